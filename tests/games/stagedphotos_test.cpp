// The sample photo sets the build stages hold every photo each game draws.
#include "games/core/gamecatalogue.h"
#include "tests/support/appdirfixture.h"

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

namespace nimbara {

inline void PrintTo(const CatalogueGame& game, std::ostream* out) {
    *out << game.id;
}

namespace {

class StagedPhotosTest : public testing::TestWithParam<CatalogueGame> {};

TEST_P(StagedPhotosTest, EveryPhotoTheGameDrawsIsA24BitBitmapOf400By250) {
    const std::unique_ptr<GameRules> rules = GetParam().makeRules();
    const QString folder = test::stagedApplicationDirectory() +
                           QString::fromStdString(rules->texts().photoFolder).replace('\\', '/');
    for (const PhotoId& photo : rules->allPhotos()) {
        const QString path = folder + QString::fromStdString(rules->fileName(photo));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString() << " is missing";
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 30) << path.toStdString();
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24) << path.toStdString();
        EXPECT_EQ(QImage::fromData(bytes, "BMP").size(), QSize(400, 250)) << path.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(AllGames, StagedPhotosTest, testing::ValuesIn(gameCatalogue()),
                         [](const testing::TestParamInfo<CatalogueGame>& row) {
                             std::string name = row.param.id;
                             std::erase(name, '-');
                             return name;
                         });

}  // namespace
}  // namespace nimbara
