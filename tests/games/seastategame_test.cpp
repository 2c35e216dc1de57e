#include "games/core/seastategame.h"
#include "tests/games/gamedialogtest.h"

namespace nimbara {
namespace {

using test::RecordedBox;

class SeaStateGameTest : public test::GameDialogTest {
protected:
    // The game on series, whatever the code: one outside the table plays too.
    std::unique_ptr<TGameDlg> open(const std::string& series, std::deque<std::int64_t> draws) {
        return GameDialogTest::open(seastateGame(series), std::move(draws));
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
    EXPECT_EQ(dialog->metaObject()->className(), std::string("nimbara::TSeastateGameDlg"));
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
    // The next draw is force 0, whose photo is missing.
    EXPECT_EQ(boxes.boxes(),
              (std::vector<RecordedBox>{
                  RecordedBox::ownedBy(dialog.get(), "error; Bf 7", "Sea state classification game",
                                       MbIcon::Information),
                  RecordedBox::ownerless(
                      "photo not present (file: " + dir.path() + "/games/seastate/Bfge0.bmp)",
                      "Nimbara error", MbIcon::Stop)}));
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 0 of 1 (total 10)");
}

TEST_F(SeaStateGameTest, TheKeyboardAlonePlaysAcrossBothColumns) {
    writePhotos("seastate", {"Bforva9.bmp"});
    auto dialog = open("ORVA", {9});
    ASSERT_TRUE(activateAndWait(*dialog));
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
