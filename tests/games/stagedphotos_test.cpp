// The sample photo sets the build stages hold every photo each game draws.
#include "games/core/gamecatalogue.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/gameprinters.h"

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

class StagedPhotosTest : public testing::TestWithParam<GameDefinition> {};

TEST_P(StagedPhotosTest, EveryPhotoTheGameDrawsIsA24BitBitmapOf400By250) {
    const QString folder = test::stagedApplicationDirectory() + '/' +
                           QString::fromStdString(GetParam().photoFolderPath()) + '/';
    for (const std::string& name : GetParam().photoFileNames()) {
        const QString path = folder + QString::fromStdString(name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString() << " is missing";
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 30) << path.toStdString();
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24) << path.toStdString();
        EXPECT_EQ(QImage::fromData(bytes, "BMP").size(), QSize(400, 250)) << path.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(AllGames, StagedPhotosTest, testing::ValuesIn(gameCatalogue()),
                         [](const auto& row) { return test::gameRowName(row); });

}  // namespace
}  // namespace nimbara
