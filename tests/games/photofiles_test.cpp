// A game's photo whose name stands for something other than a file: it is reported as missing,
// at once, and the game goes on.
#include "tests/games/gamedialogtest.h"
#include "tests/support/hostilefiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

struct NotAPhotoCase {
    const char* name;
    const char* target;  // "pipe", or the path a link in the photo's place leads to
    friend void PrintTo(const NotAPhotoCase& row, std::ostream* out) { *out << row.name; }
};

class NotAPhoto : public test::GameDialogTest, public testing::WithParamInterface<NotAPhotoCase> {};

TEST_P(NotAPhoto, IsReportedAsMissingWithoutWaiting) {
    for (int photo = 0; photo < 18; ++photo) {
        dir.writePhoto(QString("games/ice/ice%1.bmp").arg(photo), QColor(10 * photo, 90, 160));
    }
    const QString photo = dir.absolute("games/ice/ice5.bmp");
    QFile::remove(photo);
    const QString target = QString::fromUtf8(GetParam().target);
    test::UnwrittenPipe pipe(target == "pipe" ? photo : dir.absolute("pipe"));
    ASSERT_TRUE(pipe.isValid());
    if (target != "pipe") {
        ASSERT_TRUE(QFile::link(target, photo));
    }
    const test::MemoryCeiling ceiling(512);
    const std::unique_ptr<TGameDlg> dialog = create(test::game("ice1"), {5, 0});
    EXPECT_FALSE(pipe.releasedAReader()) << "the game waited on the pipe";
    EXPECT_EQ(boxes.texts(), QStringList{"photo not existing (file: " + photo + ")"});
    EXPECT_FALSE(dialog->photoReady());
}

INSTANTIATE_TEST_SUITE_P(Paths, NotAPhoto,
                         testing::Values(NotAPhotoCase{"named_pipe", "pipe"},
                                         NotAPhotoCase{"link_to_a_device", "/dev/zero"}),
                         [](const testing::TestParamInfo<NotAPhotoCase>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
}  // namespace nimbara
