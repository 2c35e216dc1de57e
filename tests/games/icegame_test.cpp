#include "games/ticegamedlg.h"
#include "help/viewer/helpviewer.h"
#include "resources/resourceids.h"
#include "tests/games/gamedialogtest.h"

#include <QBuffer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace nimbara {
namespace {

using test::RecordedBox;

QColor photoColour(int photo) {
    return QColor(10 * photo, 240 - 10 * photo, 100);
}

class IceGameTest : public test::GameDialogTest {
protected:
    void writeIcePhotos(const QString& prefix = "ice") {
        for (int photo = 0; photo < 18; ++photo) {
            dir.writePhoto(QString("games/ice/%1%2.bmp").arg(prefix).arg(photo),
                           photoColour(photo));
        }
    }

    // Opens game I on a scripted draw (values after the script count up from `after`).
    std::unique_ptr<TGameDlg> open(std::deque<std::int64_t> draws, std::int64_t after = 0,
                                   const GameDefinition& game = test::game("ice1")) {
        return GameDialogTest::open(game, std::move(draws), after);
    }
    // The box of a wrong answer or a reminder, owned by dialog.
    static RecordedBox gameBox(TGameDlg& dialog, const QString& text, MbIcon icon) {
        return RecordedBox::ownedBy(&dialog, text, "Ice classification game", icon);
    }

    static void answer(TGameDlg& dialog, int button) {
        if (button >= 0) {
            GameDialogTest::answer(dialog, {button});
        } else {
            GameDialogTest::answer(dialog, {});
        }
    }
    static int photoOnShow(const TGameDlg& dialog) {
        return std::stoi(dialog.round().photo().front());
    }
};

TEST_F(IceGameTest, SetupShowsTheFirstPhotoItsRemarksAndAClearedAnswer) {
    writeIcePhotos();
    block[3] = 1;  // what an earlier game left in the launcher's block is cleared at setup
    auto dialog = open({0});
    EXPECT_EQ(dialog->metaObject()->className(), std::string("nimbara::TIceGameDlg"));
    EXPECT_EQ(dialog->windowTitle(), "Ice classification game I");
    EXPECT_EQ(shownColour(*dialog), photoColour(0));
    EXPECT_EQ(dialog->photoArea()->pos(), QPoint(40, 40));
    EXPECT_EQ(remarkTexts(*dialog),
              (QStringList{"- less than 5 m above sea-level but more than 1 m",
                           "- about 100-300 sq. m in area"}));
    for (const QRadioButton* button : dialog->answerButtons()) {
        EXPECT_FALSE(button->isChecked());
    }
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 0 of 0 (total 10)");
    EXPECT_FALSE(dialog->control(IDC_NAME_LABEL)->isEnabled());
    EXPECT_EQ(dialog->scoreLine()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(dialog->scoreLine()->autoFillBackground());
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(IceGameTest, ARightAnswerOnlyRewritesTheScoreLine) {
    writeIcePhotos();
    auto dialog = open({7, 2});
    answer(*dialog, 7);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 1 of 1 (total 10)");
    EXPECT_EQ(photoOnShow(*dialog), 2);
    EXPECT_EQ(shownColour(*dialog), photoColour(2));
    EXPECT_EQ(remarkTexts(*dialog), (QStringList{"- protrude up to 5 m above sea-level", ""}));
    EXPECT_FALSE(dialog->answerButtons()[7]->isChecked());
}

TEST_F(IceGameTest, AWrongAnswerRewritesTheScoreThenNamesTheRightClass) {
    writeIcePhotos();
    auto dialog = open({4, 9});
    QString scoreWhileBoxOpen;
    boxes.onNextBox(
        [&](const test::RecordedBox&) { scoreWhileBoxOpen = dialog->scoreLine()->text(); });
    answer(*dialog, 5);  // grey-white for grey ice
    EXPECT_EQ(boxes.boxes(),
              std::vector<RecordedBox>{gameBox(*dialog, "error;  grey ice ", MbIcon::Information)});
    EXPECT_EQ(scoreWhileBoxOpen, "good: 0 of 1 (total 10)");
    EXPECT_EQ(photoOnShow(*dialog), 9);
}

TEST_F(IceGameTest, OkWithNothingCheckedRemindsAndChangesNothing) {
    writeIcePhotos();
    auto dialog = open({0});
    answer(*dialog, -1);
    EXPECT_EQ(boxes.boxes(), std::vector<RecordedBox>{gameBox(*dialog, "Please select radio button",
                                                              MbIcon::Exclamation)});
    EXPECT_EQ(dialog->round().askedCount(), 1);
    EXPECT_EQ(photoOnShow(*dialog), 0);
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 0 of 0 (total 10)");
}

struct RoundCase {
    int right;
    QString finalText;
    friend void PrintTo(const RoundCase& row, std::ostream* out) { *out << row.right << " right"; }
};

class IceGameRoundTest : public IceGameTest, public testing::WithParamInterface<RoundCase> {};

TEST_P(IceGameRoundTest, TenAnswersEndWithTheFinalScoreAndCloseTheDialog) {
    writeIcePhotos();
    auto dialog = open({}, 0);  // photos 0, 1, 2, ... in turn
    std::set<int> shown;
    for (int i = 0; i < 10; ++i) {
        shown.insert(photoOnShow(*dialog));
        const int photo = photoOnShow(*dialog);
        answer(*dialog, i < GetParam().right ? photo : (photo + 1) % 18);
    }
    EXPECT_EQ(shown.size(), 10u);
    // The wrong answers name the classes of photos 0 to 9 that were answered wrongly.
    const QStringList names{
        "bery bit",       "brash ice", "floeberg",      "grease ice", "grey ice ",
        "grey-white ice", "growler",   "hummocked ice", "iceberg",    "medium first-year ice"};
    std::vector<RecordedBox> expected;
    for (int photo = GetParam().right; photo < 10; ++photo) {
        expected.push_back(gameBox(*dialog, "error;  " + names[photo], MbIcon::Information));
    }
    expected.push_back(RecordedBox::ownedBy(dialog.get(), GetParam().finalText,
                                            "Ice classification game Final Score", MbIcon::None));
    EXPECT_EQ(boxes.boxes(), expected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

INSTANTIATE_TEST_SUITE_P(Ratings, IceGameRoundTest,
                         testing::Values(RoundCase{0, "0 % correct classified (novice)"},
                                         RoundCase{8, "80 % correct classified (intermediate)"},
                                         RoundCase{10, "100 % correct classified (expert)"}),
                         [](const testing::TestParamInfo<RoundCase>& row) {
                             return std::to_string(row.param.right) + "Right";
                         });

TEST_F(IceGameTest, ARoundWithTheRealGeneratorNeverRepeatsAPhoto) {
    writeIcePhotos();
    TIceGameDlg dialog(nullptr, test::game("ice1"), blockFor(test::game("ice1")), dir.path());
    dialog.show();
    std::set<std::string> photos;
    for (int i = 0; i < 10 && dialog.isVisible(); ++i) {
        photos.insert(dialog.round().photo().front());
        answer(dialog, photoOnShow(dialog));
    }
    EXPECT_EQ(photos.size(), 10u);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(IceGameTest, RemarkLinesAreClearedBetweenPhotos) {
    writeIcePhotos();
    auto dialog = open({13, 1});
    EXPECT_EQ(remarkTexts(*dialog)[1], "- note: not the pancakes");
    answer(*dialog, 13);
    EXPECT_EQ(remarkTexts(*dialog), (QStringList{"", ""}));
}

TEST_F(IceGameTest, AMissingFirstPhotoIsReportedBeforeTheDialogShows) {
    writeIcePhotos();
    QFile::remove(dir.absolute("games/ice/ice5.bmp"));
    auto dialog = create(test::game("ice1"), {5, 0});
    EXPECT_EQ(boxes.boxes(), std::vector<RecordedBox>{RecordedBox::ownerless(
                                 "photo not existing (file: " + dir.path() + "/games/ice/ice5.bmp)",
                                 "Nimbara error", MbIcon::Stop)});
    EXPECT_FALSE(dialog->photoReady());
    ASSERT_TRUE(showAndSettle(*dialog));
    EXPECT_EQ(shownColour(*dialog).alpha(), 0) << "nothing is painted";
    EXPECT_EQ(remarkTexts(*dialog), (QStringList{"- 15-30 cm thick", ""}));
    answer(*dialog, 5);
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 1 of 1 (total 10)")
        << "the missing photo counts and is judged by its class";
    EXPECT_EQ(shownColour(*dialog), photoColour(0));
    EXPECT_TRUE(dialog->photoReady());
    dialog->close();
}

TEST_F(IceGameTest, AMissingLaterPhotoKeepsThePreviousPictureUntilTheNextRepaint) {
    writeIcePhotos();
    QFile::remove(dir.absolute("games/ice/ice5.bmp"));
    auto dialog = open({3, 5});
    answer(*dialog, 3);
    const std::vector<RecordedBox> missing{
        RecordedBox::ownerless("photo not existing (file: " + dir.path() + "/games/ice/ice5.bmp)",
                               "Nimbara error", MbIcon::Stop)};
    EXPECT_EQ(boxes.boxes(), missing);
    EXPECT_EQ(shownColour(*dialog), photoColour(3));
    reshow(*dialog);
    EXPECT_EQ(shownColour(*dialog).alpha(), 0) << "after the repaint the area stays empty";
    EXPECT_EQ(boxes.boxes(), missing);
}

TEST_F(IceGameTest, ARepaintAfterTheDialogWasHiddenDissolvesThePhotoAgain) {
    writeIcePhotos();
    auto dialog = open({6});
    dir.writePhoto("games/ice/ice6.bmp", Qt::white);  // the replay reads the file again
    reshow(*dialog);
    EXPECT_EQ(shownColour(*dialog), QColor(Qt::white));
    EXPECT_GT(dialog->photoArea()->lastFrameCount(), 0);
}

struct BadPhotoCase {
    const char* name;
    QByteArray content;
    friend void PrintTo(const BadPhotoCase& row, std::ostream* out) { *out << row.name; }
};

class UnreadablePhotoTest : public IceGameTest, public testing::WithParamInterface<BadPhotoCase> {};

TEST_P(UnreadablePhotoTest, IsReportedOnceAndLeavesTheAreaAlone) {
    writeIcePhotos();
    dir.writeFile("games/ice/ice8.bmp", GetParam().content);
    auto dialog = open({2, 8});
    answer(*dialog, 2);
    const std::vector<RecordedBox> unreadable{
        RecordedBox::ownerless("photo not readable (file: " + dir.path() + "/games/ice/ice8.bmp)",
                               "Nimbara error", MbIcon::Stop)};
    EXPECT_EQ(boxes.boxes(), unreadable);
    EXPECT_FALSE(dialog->photoReady());
    EXPECT_EQ(shownColour(*dialog), photoColour(2));
    reshow(*dialog);
    EXPECT_EQ(boxes.boxes(), unreadable) << "a repaint does not report it again";
    answer(*dialog, 8);
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 2 of 2 (total 10)");
}

// A full-size photo encoded in format.
QByteArray encodedPhoto(const char* format) {
    QImage image(400, 250, QImage::Format_RGB888);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadablePhotoTest,
                         testing::Values(BadPhotoCase{"Empty", QByteArray()},
                                         BadPhotoCase{"Png", encodedPhoto("PNG")},
                                         BadPhotoCase{"Truncated", encodedPhoto("BMP").left(200)},
                                         BadPhotoCase{"Text", "not a picture at all"}),
                         [](const testing::TestParamInfo<BadPhotoCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(IceGameTest, ASmallerPhotoPaintsWhatItHasAndLeavesTheRest) {
    writeIcePhotos();
    dir.writePhoto("games/ice/ice1.bmp", Qt::black, 200, 100);
    auto dialog = open({0, 1});
    answer(*dialog, 0);
    EXPECT_EQ(shownColour(*dialog, 10, 10), QColor(Qt::black));
    EXPECT_EQ(shownColour(*dialog, 300, 200), photoColour(0));
}

TEST_F(IceGameTest, CancelAbandonsTheRoundWithoutABox) {
    writeIcePhotos();
    auto dialog = open({0});
    dialog->control<QPushButton>(IdCancel)->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(IceGameTest, HelpOpensTheGamesHelpAndClosingTheGameClosesIt) {
    writeIcePhotos();
    dir.copyHelpBook("CLASSIFY.CHM");
    auto dialog = open({0});
    dialog->control<QPushButton>(IdHelp)->click();
    ASSERT_EQ(HelpViewer::openWindows().size(), 1);
    EXPECT_EQ(HelpViewer::openWindows()[0]->requestedPath(), dir.path() + "/HELP/CLASSIFY.CHM");
    EXPECT_NE(HelpViewer::openWindows()[0]->currentBook(), nullptr);
    dialog->close();
    dialog.reset();
    EXPECT_TRUE(HelpViewer::openWindows().isEmpty());
}

TEST_F(IceGameTest, TheKeyboardAloneCanPlay) {
    writeIcePhotos();
    auto dialog = open({1, 2});
    ASSERT_TRUE(activateAndWait(*dialog));
    ASSERT_EQ(dialog->focusWidget(), dialog->answerButtons()[0])
        << "the first answer button has the focus";
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Down);  // to "brash"
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(dialog->answerButtons()[1]->isChecked());
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Down);  // a checked button's arrow checks
    EXPECT_TRUE(dialog->answerButtons()[2]->isChecked());
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Up);
    EXPECT_TRUE(dialog->answerButtons()[1]->isChecked());
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 1 of 1 (total 10)");
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(IceGameTest, GameTwoReadsItsOwnFilesFromTheSameFolder) {
    writeIcePhotos("ice2_");
    auto dialog = open({3, 17}, 0, test::game("ice2"));
    EXPECT_EQ(dialog->metaObject()->className(), std::string("nimbara::TIceGameDlg2"));
    EXPECT_EQ(dialog->windowTitle(), "Ice classification game II");
    EXPECT_EQ(dialog->photoPath(), dir.path() + "/games/ice/ice2_3.bmp");
    EXPECT_EQ(remarkTexts(*dialog), (QStringList{"- pieces over 10 km across", ""}));
    answer(*dialog, 3);
    answer(*dialog, 16);
    EXPECT_EQ(boxes.boxes(), std::vector<RecordedBox>{gameBox(*dialog, "error;  very open pack ice",
                                                              MbIcon::Information)});
}

TEST_F(IceGameTest, TheTemplateLaysTheAnswerButtonsOutInTwoColumns) {
    writeIcePhotos();
    auto dialog = open({0});
    const DialogUnits& units = dialog->units();
    EXPECT_EQ(dialog->answerButtons()[0]->geometry(), units.toPixels(333, 35, 60, 12));
    EXPECT_EQ(dialog->answerButtons()[17]->geometry(), units.toPixels(400, 35 + 15 * 8, 70, 12));
    EXPECT_EQ(dialog->answerButtons()[9]->text(), "medium first-year");
    EXPECT_EQ(dialog->size(), QSize(units.toPixelsX(500), units.toPixelsY(291)));
}

}  // namespace
}  // namespace nimbara
