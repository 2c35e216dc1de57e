// Games played through the main window's own dialogs, started from the Games menu and from the
// progress window, as the learning record keeps them: every answer as given, the rounds
// finished or abandoned, practice rounds marked; a record that cannot be written costs one box
// and no game; the progress window stays usable while a game runs; a program that quits or is
// killed during a round.
#include "app/progresswindow.h"
#include "app/recordproblemnotice.h"
#include "app/tmyapp.h"
#include "app/tmywindow.h"
#include "games/core/gamecatalogue.h"
#include "games/core/weighteddraw.h"
#include "games/photoarea.h"
#include "games/tgamedlg.h"
#include "platform/tdecoratedframe.h"
#include "record/recordenvironment.h"
#include "record/recordqueries.h"
#include "resources/resourceids.h"
#include "tests/record/recordtestsupport.h"
#include "tests/support/testfiles.h"
#include "tests/support/widgettest.h"
#include "tests/support/windowsysteminput.h"
#include "tests/support/windowwatch.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace nimbara {
namespace {

using namespace std::chrono_literals;

// One answer as a test gave it through the dialog, and the most its time can be: from before
// its photo was drawn and shown (the OK that ended the answer before, or the start of the
// round) to after its own OK.
struct Answered {
    QString photo;
    QString right;
    QString given;
    bool correct = false;
    double atMostSeconds = 0;
};

// Checks the right answer to the photo on show of dialog or, when wrong, the next item of the
// last group; clicks OK. shownAtLatest runs from before the photo was shown; it is restarted
// for the next photo.
Answered answer(TGameDlg& dialog, bool right, QElapsedTimer& shownAtLatest) {
    const GameRules& rules = *dialog.game().rules;
    const PhotoId photo = dialog.round().photo();
    Choice given = rules.rightChoice(photo);
    if (!right) {
        const int size = static_cast<int>(rules.answerGroups().back().items.size());
        given.back() = (given.back() + 1) % size;
    }
    int first = 0;
    for (std::size_t group = 0; group < given.size(); ++group) {
        dialog.answerButtons().at(static_cast<std::size_t>(first + given[group]))->click();
        first += static_cast<int>(rules.answerGroups()[group].items.size());
    }
    Answered answered{QString::fromStdString(dialog.round().fileName()),
                      QString::fromStdString(rules.rightAnswerName(photo)),
                      QString::fromStdString(rules.choiceName(given)), right, 0};
    QElapsedTimer next;
    next.start();
    dialog.control<QPushButton>(IdOk)->click();
    answered.atMostSeconds = static_cast<double>(shownAtLatest.nsecsElapsed()) / 1e9;
    shownAtLatest = next;
    return answered;
}

// Every row of sql on the record at path, each value as text ("NULL" for none).
std::vector<QStringList> rows(const QString& path, const QString& sql) {
    RecordStore store(path, {.readOnly = true});
    EXPECT_FALSE(store.open());
    QSqlQuery query(store.database());
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
    std::vector<QStringList> result;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i) {
            values << (query.isNull(i) ? QString("NULL") : query.value(i).toString());
        }
        result.push_back(values);
    }
    return result;
}

class RecordPlayTest : public test::WidgetTest {
protected:
    RecordPlayTest() {
        dir.writeFile("TEXT/DESKTOPM.TXT", "\n");  // the default picture, which is absent
        for (const char* game : {"ice1", "seastate-UK"}) {
            writePhotos(*findGame(game));
        }
    }
    ~RecordPlayTest() override {
        if (frame) {
            frame->hide();
        }
        frame.reset();
    }

    void openFrame(const QString& recordPath) {
        frame = createMainFrame(recordPath);
        frame->showMaximisedAlways();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    TMyWindow* window() const { return qobject_cast<TMyWindow*>(frame->client()); }
    QAction* gamesEntry(const QString& text) const {
        for (QAction* action : frame->popupAt(kGamesPopupPosition)->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    }
    void writePhotos(const GameDefinition& game) {
        int shade = 0;
        for (const std::string& name : game.photoFileNames()) {
            dir.writePhoto(QString::fromStdString(game.photoFolderPath() + "/" + name),
                           QColor(15 * shade++ % 256, 120, 180));
        }
    }

    // Runs play on the next game dialog once its first photo is on screen; returns whether it
    // ran. The dialog is left to end itself (a last answer, Cancel) or is closed by the watch.
    static std::unique_ptr<test::WindowWatch> onGame(std::function<void(TGameDlg&)> play) {
        return std::make_unique<test::WindowWatch>(
            test::WindowWatch::Kind::Modal, [play = std::move(play)](QWidget* modal) {
                auto* dialog = qobject_cast<TGameDlg*>(modal);
                ASSERT_NE(dialog, nullptr);
                EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
                EXPECT_TRUE(waitUntil([dialog] { return dialog->pendingRepaints() == 0; }));
                play(*dialog);
            });
    }
    // Starts the game of the Games menu entry text; returns once the game has ended.
    void startFromMenu(const QString& text) {
        QAction* entry = gamesEntry(text);
        ASSERT_NE(entry, nullptr);
        shownAtLatest.start();
        entry->trigger();
    }
    // Answers count photos, wrong where wrong says so, and keeps what was answered.
    void answerPhotos(
        TGameDlg& dialog, int count, std::vector<Answered>& answered,
        const std::function<bool(int)>& wrong = [](int) { return false; }) {
        for (int photo = 0; photo < count; ++photo) {
            answered.push_back(answer(dialog, !wrong(photo), shownAtLatest));
        }
    }

    // The answers of the record, oldest first, with their round's game and practice mark.
    std::vector<QStringList> answerRows() const {
        return rows(folder.path(),
                    "SELECT r.game, r.practice, a.photo, a.right_answer, a.given_answer, "
                    "a.correct FROM answers a JOIN rounds r ON r.id = a.round_id "
                    "ORDER BY a.answered_at, a.rowid");
    }
    std::vector<double> answerSeconds() const {
        std::vector<double> seconds;
        for (const QStringList& row :
             rows(folder.path(), "SELECT seconds FROM answers ORDER BY answered_at, rowid")) {
            seconds.push_back(row[0].toDouble());
        }
        return seconds;
    }
    // The rounds of the record, oldest first: game, practice, outcome, good, asked, percent,
    // rating, trainee.
    std::vector<QStringList> roundRows() const {
        return rows(folder.path(),
                    "SELECT game, practice, outcome, good, asked, percent, rating, trainee "
                    "FROM rounds ORDER BY started_at, rowid");
    }
    static QStringList expectedRow(const char* game, bool practice, const Answered& answered) {
        return {game,           practice ? "1" : "0", answered.photo,
                answered.right, answered.given,       answered.correct ? "1" : "0"};
    }

    QElapsedTimer shownAtLatest;  // from before the photo on show was shown
    test::RecordFolder folder;
    test::SettingGuard instantDissolve{&PhotoArea::dissolveDuration,
                                       &PhotoArea::setDissolveDuration, 0ms};
    std::unique_ptr<TDecoratedFrame> frame;
};

TEST_F(RecordPlayTest, RoundsOfTwoGamesFromTheMenuAreRecordedAsAnswered) {
    openFrame(folder.path());
    std::vector<Answered> ice;
    std::vector<Answered> sea;
    {
        const auto watch = onGame([&](TGameDlg& dialog) {
            answerPhotos(dialog, 10, ice, [](int photo) { return photo % 4 == 1; });
        });
        startFromMenu("&Ice classification I");
        EXPECT_TRUE(watch->acted() && !watch->expired());
    }
    {
        const auto watch = onGame([&](TGameDlg& dialog) {
            answerPhotos(dialog, 10, sea, [](int photo) { return photo < 5; });
        });
        startFromMenu("Sea state classification (&MO series)");
        EXPECT_TRUE(watch->acted() && !watch->expired());
    }
    std::vector<QStringList> expected;
    for (const Answered& answered : ice) {
        expected.push_back(expectedRow("ice1", false, answered));
    }
    for (const Answered& answered : sea) {
        expected.push_back(expectedRow("seastate-UK", false, answered));
    }
    EXPECT_EQ(answerRows(), expected);
    EXPECT_EQ(expected[1][3].isEmpty(), false);
    const std::vector<double> seconds = answerSeconds();
    ASSERT_EQ(seconds.size(), 20u);
    std::vector<Answered> all = ice;
    all.insert(all.end(), sea.begin(), sea.end());
    for (std::size_t i = 0; i < seconds.size(); ++i) {
        EXPECT_GT(seconds[i], 0) << "answer " << i;
        EXPECT_LE(seconds[i], all[i].atMostSeconds) << "answer " << i;
    }
    const QString trainee = loginName();
    EXPECT_EQ(roundRows(),
              (std::vector<QStringList>{
                  {"ice1", "0", "finished", "7", "10", "70", "(novice)", trainee},
                  {"seastate-UK", "0", "finished", "5", "10", "50", "(novice)", trainee}}));
    EXPECT_TRUE(boxes.texts().filter("learning record").isEmpty()) << "no box of the record";
    EXPECT_TRUE(boxes.texts().contains("70 % correct classified (novice)"));
}

TEST_F(RecordPlayTest, TheDissolveIsNotCountedInTheAnswersTime) {
    using namespace std::chrono;
    constexpr milliseconds kDissolve = 300ms;
    const test::SettingGuard slowDissolve{&PhotoArea::dissolveDuration,
                                          &PhotoArea::setDissolveDuration, kDissolve};
    openFrame(folder.path());
    std::vector<Answered> answered;
    const auto watch = onGame([&](TGameDlg& dialog) {
        answerPhotos(dialog, 3, answered);
        dialog.reject();
    });
    startFromMenu("&Ice classification I");
    const std::vector<double> seconds = answerSeconds();
    ASSERT_EQ(seconds.size(), 3u);
    // The second and third photos dissolved in during the OK before them.
    for (std::size_t i = 1; i < seconds.size(); ++i) {
        EXPECT_GE(answered[i].atMostSeconds, duration<double>(kDissolve).count());
        EXPECT_GT(seconds[i], 0);
        EXPECT_LE(seconds[i], answered[i].atMostSeconds - duration<double>(kDissolve).count())
            << "answer " << i;
    }
}

// Ways of leaving a round before its end.
struct Leaving {
    const char* name;
    std::function<void(TGameDlg&)> leave;
};

class LeavingARound : public RecordPlayTest, public testing::WithParamInterface<Leaving> {};

TEST_P(LeavingARound, KeepsTheAnswersGivenAndAbandonsTheRound) {
    openFrame(folder.path());
    std::vector<Answered> answered;
    const auto watch = onGame([&](TGameDlg& dialog) {
        answerPhotos(dialog, 3, answered, [](int photo) { return photo == 2; });
        GetParam().leave(dialog);
    });
    startFromMenu("&Ice classification I");
    EXPECT_TRUE(watch->acted() && !watch->expired());
    std::vector<QStringList> expected;
    for (const Answered& each : answered) {
        expected.push_back(expectedRow("ice1", false, each));
    }
    EXPECT_EQ(answerRows(), expected);
    EXPECT_EQ(roundRows(), (std::vector<QStringList>{
                               {"ice1", "0", "abandoned", "2", "3", "NULL", "NULL", loginName()}}));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LeavingARound,
    testing::Values(
        Leaving{"Cancel", [](TGameDlg& dialog) { dialog.control<QPushButton>(IdCancel)->click(); }},
        Leaving{"Escape", [](TGameDlg& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }},
        Leaving{"CloseBox", [](TGameDlg& dialog) { dialog.close(); }}),
    [](const testing::TestParamInfo<Leaving>& row) { return std::string(row.param.name); });

// Records that cannot be kept: what is put in the record's place, and what the box says.
struct BadRecord {
    const char* name;
    // Spoils the record at folder's default place.
    std::function<void(const test::RecordFolder&)> spoil;
    // The problem the box reports.
    std::function<RecordProblem(const test::RecordFolder&)> problem;
};

class BadRecordTest : public RecordPlayTest, public testing::WithParamInterface<BadRecord> {};

TEST_P(BadRecordTest, OneBoxNamesTheFileAndTheRoundsPlayOn) {
    GetParam().spoil(folder);
    openFrame(folder.path());
    for (int round = 0; round < 2; ++round) {
        std::vector<Answered> answered;
        const auto watch = onGame([&](TGameDlg& dialog) {
            answerPhotos(dialog, 10, answered);
            EXPECT_FALSE(dialog.isVisible()) << "the round ran to its end";
        });
        startFromMenu("&Ice classification I");
        EXPECT_TRUE(watch->acted() && !watch->expired());
        EXPECT_EQ(answered.size(), 10u);
    }
    const QStringList recordBoxes = boxes.texts().filter(folder.path());
    EXPECT_EQ(recordBoxes, QStringList{GetParam().problem(folder).text()})
        << "one box for the run, naming the file";
    EXPECT_EQ(boxes.texts().filter("100 % correct classified (expert)").size(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Records, BadRecordTest,
    testing::Values(BadRecord{"FolderCannotBeMade",
                              [](const test::RecordFolder& folder) {
                                  test::writeFileBytes(folder.path("nimbara"), "x");
                              },
                              [](const test::RecordFolder& folder) {
                                  return RecordProblem{RecordProblem::Kind::Unwritable,
                                                       folder.path(),
                                                       "its folder " + folder.path("nimbara") +
                                                           " cannot be created"};
                              }},
                    BadRecord{
                        "FileOfGarbage",
                        [](const test::RecordFolder& folder) {
                            QDir().mkpath(folder.path("nimbara"));
                            test::writeFileBytes(folder.path(), QByteArray(8192, '\x5a'));
                        },
                        [](const test::RecordFolder& folder) {
                            const QStringList kept =
                                QDir(folder.path("nimbara")).entryList({"record-damaged-*.sqlite"});
                            EXPECT_EQ(kept.size(), 1) << "the damaged file is kept aside";
                            return RecordProblem{RecordProblem::Kind::Damaged, folder.path(),
                                                 folder.path("nimbara/" + kept.value(0))};
                        }}),
    [](const testing::TestParamInfo<BadRecord>& row) { return std::string(row.param.name); });

TEST_F(RecordPlayTest, AFileOfGarbageIsKeptAsideAndTheRoundsGoIntoANewRecord) {
    QDir().mkpath(folder.path("nimbara"));
    test::writeFileBytes(folder.path(), QByteArray(8192, '\x5a'));
    openFrame(folder.path());
    std::vector<Answered> answered;
    const auto watch = onGame([&](TGameDlg& dialog) { answerPhotos(dialog, 10, answered); });
    startFromMenu("&Ice classification I");
    ASSERT_EQ(roundRows().size(), 1u);
    EXPECT_EQ(roundRows()[0][2], "finished");
    EXPECT_EQ(answerRows().size(), 10u);
}

TEST_F(RecordPlayTest, MyProgressIsTheLastGamesEntryAfterASeparatorWithAHint) {
    openFrame(folder.path());
    const QList<QAction*> entries = frame->popupAt(kGamesPopupPosition)->actions();
    ASSERT_GE(entries.size(), 2);
    EXPECT_TRUE(entries[entries.size() - 2]->isSeparator());
    QAction* progress = entries.back();
    EXPECT_EQ(progress->text(), "My &progress...");
    EXPECT_EQ(MenuBuilder::commandId(progress), CM_MY_PROGRESS);
    EXPECT_EQ(frame->menuBuilder().hintFor(progress),
              "See your progress in every game and practise your weak classes");
    progress->trigger();
    ProgressWindow* window = this->window()->record().progressWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->parentWidget(), nullptr) << "non-modal, of its own";
    EXPECT_FALSE(window->isModal());
    window->close();
}

TEST_F(RecordPlayTest, TheProgressWindowTakesInputWhileAGameRunsAndFollowsTheRound) {
    openFrame(folder.path());
    startFromMenu("My &progress...");
    QPointer<ProgressWindow> progress = window()->record().progressWindow();
    ASSERT_FALSE(progress.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(progress));
    auto* gameBox = progress->findChild<QComboBox*>();
    ASSERT_NE(gameBox, nullptr);
    std::vector<Answered> answered;
    QString summaryDuringTheRound;
    const auto watch = onGame([&](TGameDlg& dialog) {
        answerPhotos(dialog, 4, answered);
        // The frame is blocked, the progress window is not: a click reaches it.
        EXPECT_TRUE(QApplication::activeModalWidget() == &dialog);
        const int before = gameBox->currentIndex();
        test::clickThroughWindowSystem(gameBox);
        EXPECT_TRUE(waitUntil([] { return QApplication::activePopupWidget() != nullptr; }))
            << "the game list opens";
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        EXPECT_EQ(gameBox->currentIndex(), before);
        summaryDuringTheRound = progress->summaryText();
        answerPhotos(dialog, 6, answered);
    });
    startFromMenu("&Ice classification I");
    EXPECT_TRUE(watch->acted() && !watch->expired());
    progress->showGame("ice1");
    EXPECT_EQ(progress->summaryText(), "1 round (0 abandoned, 0 practice), 10 answers, 100 % right")
        << "during the round it showed: " << summaryDuringTheRound.toStdString();
    progress->close();
}

TEST_F(RecordPlayTest, PractiseStartsAPracticeRoundDrawnByTheWeakClassesAndTheMenuStaysUniform) {
    // An earlier round: Bf 0 to Bf 9 right, Bf 10 to Bf 12 wrong.
    {
        RecordStore store(folder.path());
        std::vector<test::PlayedAnswer> played;
        for (int force = 0; force <= 12; ++force) {
            const QString right = QString("Bf %1").arg(force);
            played.push_back(
                {right, force <= 9 ? right : QString("Bf 0"), QString("Bf%1.bmp").arg(force)});
        }
        test::writeRound(store, "seastate-UK", QDateTime::currentDateTimeUtc().addDays(-1), played);
    }
    openFrame(folder.path());
    startFromMenu("My &progress...");
    ProgressWindow* progress = window()->record().progressWindow();
    ASSERT_NE(progress, nullptr);
    progress->showGame("seastate-UK");
    QPushButton* practise = nullptr;
    for (QPushButton* button : progress->findChildren<QPushButton*>()) {
        if (button->text() == "&Practise my weak classes") {
            practise = button;
        }
    }
    ASSERT_NE(practise, nullptr);
    std::vector<Answered> answered;
    std::vector<double> weights;
    bool practice = false;
    {
        const auto watch = onGame([&](TGameDlg& dialog) {
            EXPECT_EQ(dialog.game().importId, "seastate-UK");
            practice = dialog.reporting().practice;
            const auto* draw = dynamic_cast<const WeightedDraw*>(dialog.draw().get());
            if (draw != nullptr) {
                weights = draw->photoWeights();
            }
            answerPhotos(dialog, 10, answered);
        });
        shownAtLatest.start();
        practise->click();
        EXPECT_TRUE(waitUntil([&] { return watch->acted(); }, 20s));
    }
    EXPECT_TRUE(practice);
    EXPECT_EQ(weights, (std::vector<double>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 10, 10, 10}))
        << "Bf 0 to Bf 12, weighted by the record";
    ASSERT_EQ(answered.size(), 10u);
    QStringList photos;
    for (const Answered& each : answered) {
        photos << each.photo;
    }
    photos.removeDuplicates();
    EXPECT_EQ(photos.size(), 10) << "no photo twice in the round";
    // A round from the Games menu draws the game's own way and is no practice round.
    {
        const auto watch = onGame([&](TGameDlg& dialog) {
            EXPECT_EQ(dialog.draw(), nullptr);
            EXPECT_FALSE(dialog.reporting().practice);
            dialog.reject();
        });
        startFromMenu("Sea state classification (&MO series)");
        EXPECT_TRUE(watch->acted());
    }
    const std::vector<QStringList> rounds = roundRows();
    ASSERT_EQ(rounds.size(), 3u);
    EXPECT_EQ(rounds[1].mid(0, 3), (QStringList{"seastate-UK", "1", "finished"}));
    EXPECT_EQ(rounds[2].mid(0, 3), (QStringList{"seastate-UK", "0", "abandoned"}));
    progress->close();
}

// The real program in a process of its own, its record in a folder of the test's: it starts
// ice game I from the Games menu, answers two photos and then quits or waits to be killed.
class RecordProbeTest : public RecordPlayTest {
protected:
    // Starts the probe with mode ("quit" or "wait") and waits for its line "answered".
    void start(const char* mode) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", folder.dir.path());
        probe.setProcessEnvironment(environment);
        probe.setWorkingDirectory(dir.path());
        probe.start(QStringLiteral(NIMBARA_RECORD_PROBE), {mode});
        ASSERT_TRUE(probe.waitForStarted());
        EXPECT_TRUE(waitUntil([this] { return probe.canReadLine(); }, 30s));
        EXPECT_EQ(probe.readLine().trimmed(), "answered");
    }
    ~RecordProbeTest() override {
        if (probe.state() != QProcess::NotRunning) {
            probe.kill();
            probe.waitForFinished();
        }
    }
    QProcess probe;
};

TEST_F(RecordProbeTest, QuittingWithAGameOpenAbandonsItsRound) {
    start("quit");
    ASSERT_TRUE(probe.waitForFinished(30000));
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(answerRows().size(), 2u);
    const std::vector<QStringList> rounds = roundRows();
    ASSERT_EQ(rounds.size(), 1u);
    EXPECT_EQ(rounds[0].mid(0, 5), (QStringList{"ice1", "0", "abandoned", "1", "2"}));
}

TEST_F(RecordProbeTest, AKilledProgramLosesNoAnswerAndItsRoundCountsAsAbandoned) {
    start("wait");
    ::kill(static_cast<pid_t>(probe.processId()), SIGKILL);
    ASSERT_TRUE(probe.waitForFinished(30000));
    EXPECT_EQ(probe.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(answerRows().size(), 2u) << "both answers judged before the kill are kept";
    const std::vector<QStringList> rounds = roundRows();
    ASSERT_EQ(rounds.size(), 1u);
    EXPECT_EQ(rounds[0].mid(0, 5), (QStringList{"ice1", "0", "open", "1", "2"}));
    // The next run shows the round cut off as abandoned.
    openFrame(folder.path());
    startFromMenu("My &progress...");
    ProgressWindow* progress = window()->record().progressWindow();
    ASSERT_NE(progress, nullptr);
    progress->showGame("ice1");
    EXPECT_EQ(progress->summaryText(), "1 round (1 abandoned, 0 practice), 2 answers, 50 % right");
    progress->close();
}

}  // namespace
}  // namespace nimbara
