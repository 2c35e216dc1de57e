#include "tests/games/gamedialogtest.h"

#include <QGroupBox>

namespace nimbara {
namespace {

// Buttons of the normal game: Cl 0 is 0, Cm 0 is 11, Ch 0 is 22; "x" is code 10.
constexpr int kCl = 0;
constexpr int kCm = 11;
constexpr int kCh = 22;
constexpr int x = 10;

using test::RecordedBox;

class CloudNormalGameTest : public test::GameDialogTest {
protected:
    std::unique_ptr<TGameDlg> open(std::deque<std::int64_t> draws) {
        return GameDialogTest::open(test::game("clouds-normal"), std::move(draws));
    }
};

TEST_F(CloudNormalGameTest, ThreeColumnsOfElevenCodes) {
    auto dialog = open({0});
    EXPECT_EQ(dialog->metaObject()->className(), std::string("nimbara::TCloudGameNormalDlg"));
    EXPECT_EQ(dialog->windowTitle(), "Cloud classification game (normal)");
    ASSERT_EQ(dialog->answerButtons().size(), 33u);
    EXPECT_EQ(dialog->answerButtons()[kCl]->text(), "Cl 0");
    EXPECT_EQ(dialog->answerButtons()[kCm + x]->text(), "Cm x");
    EXPECT_EQ(dialog->answerButtons()[kCh + 9]->text(), "Ch 9");
    const DialogUnits& units = dialog->units();
    EXPECT_EQ(dialog->answerButtons()[kCh + x]->geometry(), units.toPixels(438, 185, 28, 12));
    // One code can be checked in each column at the same time.
    check(*dialog, {kCl + 2, kCm + 6, kCh + 1});
    EXPECT_EQ(checkedButtons(*dialog), (QStringList{"Cl 2", "Cm 6", "Ch 1"}));
}

TEST_F(CloudNormalGameTest, AllThreeCodesMustBeRight) {
    writePhotos("clouds", {"cloud3.bmp", "cloud0.bmp", "cloud10.bmp"});
    auto dialog = open({3, 0, 10});
    answer(*dialog, {kCl + 5, kCm + x, kCh + x});
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 1 of 1 (total 10)");
    EXPECT_TRUE(checkedButtons(*dialog).isEmpty()) << "each new photo starts unanswered";
    answer(*dialog, {kCl + 2, kCm + 6, kCh + 1});  // photo 0 is Cl 2 - Cm 6 - Ch 0
    EXPECT_EQ(boxes.boxes(), std::vector<RecordedBox>{RecordedBox::ownedBy(
                                 dialog.get(), "error;  Cl 2 - Cm 6 - Ch 0",
                                 "Cloud classification game (normal)", MbIcon::Information)});
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 1 of 2 (total 10)");
    answer(*dialog, {kCl + 0, kCm + 4, kCh + 0});  // photo 10 shares its key with 11 and 68
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 2 of 3 (total 10)");
}

TEST_F(CloudNormalGameTest, TheReminderLeavesTheCheckedButtonsAsTheyWere) {
    writePhotos("clouds", {"cloud3.bmp"});
    auto dialog = open({3});
    answer(*dialog, {kCl + 5, kCm + x});
    EXPECT_EQ(boxes.boxes(), std::vector<RecordedBox>{RecordedBox::ownedBy(
                                 dialog.get(), "Please select radio buttons Cl and Cm and Ch",
                                 "Cloud classification game (normal)", MbIcon::Exclamation)});
    EXPECT_EQ(checkedButtons(*dialog), (QStringList{"Cl 5", "Cm x"}));
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 0 of 0 (total 10)");
    answer(*dialog, {kCh + x});
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 1 of 1 (total 10)");
}

TEST_F(CloudNormalGameTest, APhotoWithoutRemarksEmptiesAllThreeLines) {
    auto dialog = open({69, 0});
    EXPECT_EQ(remarkTexts(*dialog),
              (QStringList{"- Stratocumulus was not resulting from the spreading out of Cumulus",
                           "- the Altocumulus elements are continually changing in appearance",
                           "- the Cirrostratus was progressively invading the sky"}));
    answer(*dialog, {kCl, kCm, kCh});
    EXPECT_EQ(remarkTexts(*dialog), (QStringList{"", "", ""}));
}

TEST_F(CloudNormalGameTest, TabMovesFromColumnToColumn) {
    auto dialog = open({0});
    ASSERT_TRUE(activateAndWait(*dialog));
    QStringList visited{dialog->focusWidget()->property("text").toString()};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        visited << dialog->focusWidget()->property("text").toString();
    }
    EXPECT_EQ(visited, (QStringList{"Cl 0", "Cm 0", "Ch 0", "OK"}));
}

TEST_F(CloudNormalGameTest, TheKeyboardAloneAnswersAllThreeColumns) {
    auto dialog = open({27});  // Cl 5 - Cm 0 - Ch 0
    ASSERT_TRUE(activateAndWait(*dialog));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);  // Cl 0
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Down);  // arrows check as they move
    }
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);  // Cm 0
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);  // Ch 0
    EXPECT_EQ(checkedButtons(*dialog), (QStringList{"Cl 5", "Cm 0", "Ch 0"}));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 1 of 1 (total 10)");
}

// The easy game.

class CloudEasyGameTest : public test::GameDialogTest {
protected:
    std::unique_ptr<TGameDlg> open(std::deque<std::int64_t> draws) {
        return GameDialogTest::open(test::game("clouds-easy"), std::move(draws));
    }

    // Which level columns (boxes and all their buttons) are enabled: "Cl", "Cm", "Ch".
    static QStringList enabledColumns(const TGameDlg& dialog) {
        QStringList columns;
        EXPECT_EQ(dialog.answerBoxes().size(), 3u);
        for (std::size_t level = 0; level < 3; ++level) {
            QGroupBox* box = dialog.answerBoxes().at(level);
            bool allEnabled = box->isEnabled();
            bool anyEnabled = box->isEnabled();
            for (std::size_t type = 0; type < 9; ++type) {
                const bool enabled = dialog.answerButtons()[level * 9 + type]->isEnabled();
                allEnabled = allEnabled && enabled;
                anyEnabled = anyEnabled || enabled;
            }
            EXPECT_EQ(allEnabled, anyEnabled) << "a column is enabled or greyed as a whole";
            if (allEnabled) {
                columns << box->title();
            }
        }
        return columns;
    }
};

// Draw values for level, type and variant (each counted from 1).
std::deque<std::int64_t> photo(int level, int type, int variant) {
    return {level - 1, type - 1, variant - 1};
}

std::deque<std::int64_t> photos(std::initializer_list<std::deque<std::int64_t>> list) {
    std::deque<std::int64_t> values;
    for (const auto& one : list) {
        values.insert(values.end(), one.begin(), one.end());
    }
    return values;
}

TEST_F(CloudEasyGameTest, OnlyTheFirstPhotosLevelColumnIsEnabledFromTheStart) {
    auto dialog = open(photo(2, 4, 2));
    EXPECT_EQ(dialog->metaObject()->className(), std::string("nimbara::TCloudGameEasyDlg"));
    EXPECT_EQ(dialog->windowTitle(), "Cloud classification game (easy)");
    EXPECT_EQ(dialog->photoPath(), dir.path() + "/games/clouds/cm4_2.bmp");
    EXPECT_EQ(enabledColumns(*dialog), QStringList{"Cm"});
    EXPECT_EQ(dialog->answerButtons()[9]->text(), "Cm 1");
    EXPECT_EQ(dialog->answerButtons()[26]->text(), "Ch 9");
}

TEST_F(CloudEasyGameTest, EveryDrawEnablesTheNewPhotosColumn) {
    writePhotos("clouds", {"cm4_2.bmp", "ch3_1.bmp", "cl7_4.bmp"});
    auto dialog = open(photos({photo(2, 4, 2), photo(3, 3, 1), photo(1, 7, 4)}));
    answer(*dialog, {9 + 3});  // Cm 4: right
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(enabledColumns(*dialog), QStringList{"Ch"});
    EXPECT_EQ(remarkTexts(*dialog), (QStringList{"- remains of the upper part of Cumulonimbus",
                                                 "- note: as seen from aircraft"}));
    answer(*dialog, {18 + 4});  // Ch 5 for Ch 3
    EXPECT_EQ(boxes.boxes(), std::vector<RecordedBox>{RecordedBox::ownedBy(
                                 dialog.get(), "error; Ch 3", "Cloud classification game (easy)",
                                 MbIcon::Information)});
    EXPECT_EQ(enabledColumns(*dialog), QStringList{"Cl"});
    EXPECT_EQ(remarkTexts(*dialog), (QStringList{"- classify the fractus", ""}));
    EXPECT_TRUE(checkedButtons(*dialog).isEmpty());
}

TEST_F(CloudEasyGameTest, OneButtonOfTwentySevenIsCheckedAtATime) {
    auto dialog = open(photo(2, 6, 1));
    check(*dialog, {9 + 3, 9 + 5});
    EXPECT_EQ(checkedButtons(*dialog), QStringList{"Cm 6"});
    answer(*dialog, {});
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 1 of 1 (total 10)");
}

TEST_F(CloudEasyGameTest, TheReminderKeepsThePhotoAndTheColumn) {
    writePhotos("clouds", {"cl2_3.bmp"});
    auto dialog = open(photo(1, 2, 3));
    answer(*dialog, {});
    EXPECT_EQ(boxes.boxes(), std::vector<RecordedBox>{RecordedBox::ownedBy(
                                 dialog.get(), "Please select radio button",
                                 "Cloud classification game (easy)", MbIcon::Exclamation)});
    EXPECT_EQ(dialog->photoPath(), dir.path() + "/games/clouds/cl2_3.bmp");
    EXPECT_EQ(enabledColumns(*dialog), QStringList{"Cl"});
}

TEST_F(CloudEasyGameTest, TheFocusStaysInTheEnabledColumn) {
    auto dialog = open(photos({photo(2, 1, 1), photo(3, 8, 2)}));
    ASSERT_TRUE(activateAndWait(*dialog));
    EXPECT_EQ(dialog->focusWidget(), dialog->answerButtons()[9]) << "Cm 1 when the game opens";
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(dialog->focusWidget(), i % 2 == 0 ? Qt::Key_Down : Qt::Key_Right);
        ASSERT_TRUE(dialog->focusWidget()->isEnabled()) << "never on a greyed button";
    }
    int checkedLevel = 0;
    for (std::size_t button = 0; button < 27; ++button) {
        if (dialog->answerButtons()[button]->isChecked()) {
            checkedLevel = static_cast<int>(button / 9) + 1;
        }
    }
    EXPECT_EQ(checkedLevel, 2) << "the arrows checked a button of the Cm column";
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog->focusWidget(), dialog->answerButtons()[18]) << "Ch 1 after the draw";
}

}  // namespace
}  // namespace nimbara
