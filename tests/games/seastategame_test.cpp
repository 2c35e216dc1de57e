#include "games/tseastategamedlg.h"
#include "resources/resourceids.h"
#include "tests/games/gamedialogtest.h"

namespace nimbara {
namespace {

class SeaStateGameTest : public test::GameDialogTest {
protected:
    SeaStateGameTest() { blockSize = 13; }

    std::unique_ptr<TSeastateGameDlg> open(const QString& series, std::deque<std::int64_t> draws) {
        return GameDialogTest::open<TSeastateGameDlg>(IDD_SEASTATE_GAME, std::move(draws), 0,
                                                      series);
    }
};

struct CaptionCase {
    const char* series;
    const char* caption;
    const char* firstPhoto;
};

class SeaStateCaptionTest : public SeaStateGameTest,
                            public testing::WithParamInterface<CaptionCase> {};

TEST_P(SeaStateCaptionTest, TheSeriesNamesTheCaptionAndTheFiles) {
    auto dialog = open(GetParam().series, {4});
    EXPECT_EQ(dialog->windowTitle(), GetParam().caption);
    EXPECT_EQ(dialog->photoPath(), dir.path() + "/games/seastate/" + GetParam().firstPhoto);
}

INSTANTIATE_TEST_SUITE_P(
    Series, SeaStateCaptionTest,
    testing::Values(
        CaptionCase{"UK", "Sea state classification game (Met Office series)", "Bf4.bmp"},
        CaptionCase{"GE", "Sea state classification game (Deutscher Wetterdienst series)",
                    "Bfge4.bmp"},
        CaptionCase{"CANA", "Sea state classification game (Environment Canada series III)",
                    "Bfcana4.bmp"},
        CaptionCase{"XX", "", "4.bmp"}),
    [](const testing::TestParamInfo<CaptionCase>& row) { return std::string(row.param.series); });

TEST_F(SeaStateGameTest, TheLineDescribesTheForceOnShowNeverTheAnsweredOne) {
    auto dialog = open("UK", {0, 11});
    EXPECT_EQ(remarkTexts(*dialog), QStringList{"Sea like a mirror"});
    answer(*dialog, {0});
    EXPECT_EQ(remarkTexts(*dialog),
              QStringList{"Exceptionally high waves (small and medium-sized ships might be for a "
                          "time lost to view behind the waves); the sea is completely covered "
                          "with long white patches of foam lying along the direction of the "
                          "wind; everywhere the edges of the wave crests are blown into froth; "
                          "visibility affected"});
    EXPECT_TRUE(checkedButtons(*dialog).isEmpty());
}

TEST_F(SeaStateGameTest, ANeighbouringForceIsWrongAndNamedWithOneBlank) {
    writePhotos("seastate", {"Bfge7.bmp"});
    auto dialog = open("GE", {7});
    answer(*dialog, {6});
    ASSERT_GE(boxes.boxes().size(), 1u);
    const test::RecordedBox& box = boxes.boxes()[0];
    EXPECT_EQ(box.text, "error; Bf 7");
    EXPECT_EQ(box.caption, "Sea state classification game");
    EXPECT_EQ(box.icon, MbIcon::Information);
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 0 of 1 (total 10)");
}

TEST_F(SeaStateGameTest, AMissingPhotoIsNotPresentAndTheGameGoesOn) {
    TSeastateGameDlg dialog(nullptr, IDD_SEASTATE_GAME, std::span(block).first(13), dir.path(),
                            "CA", std::make_unique<test::ScriptedRandom>(std::deque<int64_t>{5}));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text,
              "photo not present (file: " + dir.path() + "/games/seastate/Bfca5.bmp)");
    EXPECT_EQ(boxes.boxes()[0].caption, "Nimbara error");
    EXPECT_EQ(boxes.boxes()[0].icon, MbIcon::Stop);
    EXPECT_FALSE(boxes.boxes()[0].hadOwner);
}

TEST_F(SeaStateGameTest, TheKeyboardAlonePlaysAcrossBothColumns) {
    writePhotos("seastate", {"Bforva9.bmp"});
    auto dialog = open("ORVA", {9});
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    ASSERT_EQ(dialog->focusWidget(), dialog->answerButtons()[0]);
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Down);
    }
    EXPECT_EQ(checkedButtons(*dialog), QStringList{"Bf 9"});
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 1 of 1 (total 10)");
}

}  // namespace
}  // namespace nimbara
