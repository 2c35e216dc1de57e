// The record session copying to a real server as rounds are played through it: the status line,
// one box per kind of trouble with nothing lost, a quit that never waits for a silent server,
// and the progress window of an instructor reading every trainee's record there.
#include "app/progresswindow.h"
#include "app/recordproblemnotice.h"
#include "app/recordsession.h"
#include "record/recordstore.h"
#include "record/server/serveruploader.h"
#include "record/server/storesyncsource.h"
#include "tests/record/recordtestsupport.h"
#include "tests/server/memorysyncsource.h"
#include "tests/server/serverfixture.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/messageboxrecorder.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <sys/types.h>
#include <csignal>

using namespace nimbara;
using namespace std::chrono_literals;

namespace {

// Handles events until done holds, up to the deadline.
bool waitHere(const std::function<bool()>& done, std::chrono::milliseconds deadline = 30s) {
    return QTest::qWaitFor(done, static_cast<int>(deadline.count()));
}

class SessionSyncTest : public RecordServerTest {
protected:
    void TearDown() override {
        m_session.reset();
        if (!testServer().running()) {
            ASSERT_EQ(testServer().start(), QString());
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            widget->close();
        }
    }

    // A session on a record file of its own, copying as role to the test's database.
    RecordSession& startSession(const QString& role,
                                std::chrono::milliseconds stopDeadline = 2000ms) {
        RecordSync::Settings sync;
        sync.environment = QProcessEnvironment();
        sync.environment.insert("HOME", m_folder.dir.path());
        sync.environment.insert("NIMBARA_RECORD_SERVER", testServer().uri(m_database, role));
        sync.systemFile = m_folder.path("no-such.conf");
        sync.worker.firstPause = 20ms;
        sync.worker.longestPause = 200ms;
        sync.worker.idlePoll = 100ms;
        sync.stopDeadline = stopDeadline;
        m_session = std::make_unique<RecordSession>(m_dir.path(), m_folder.path(), sync);
        QObject::connect(&m_session->sync(), &RecordSync::statusChanged, &m_session->sync(),
                         [this](const QString& text) { m_statusLines << text; });
        return *m_session;
    }

    // A round of answers answers of clouds-normal through the session's listener, every other
    // one wrong.
    void play(int answers, bool finish = true) {
        RoundListener& listener = m_session->listener();
        listener.roundStarted("clouds-normal", false);
        for (int i = 0; i < answers; ++i) {
            listener.answerJudged(
                {QString("cloud%1.bmp").arg(i).toStdString(), "Cl 2 - Cm 6 - Ch 0",
                 i % 2 ? "Cl 8 - Cm 6 - Ch 0" : "Cl 2 - Cm 6 - Ch 0", i % 2 == 0, 3.5});
        }
        if (finish) {
            listener.roundFinished(50, "(novice)");
        }
    }

    QString serverCount(const char* table) {
        return testServer().adminValue(m_database,
                                       QString("SELECT count(*) FROM nimbara.%1").arg(table));
    }
    int localWaiting() { return StoreSyncSource(m_folder.path()).waitingAnswers(); }
    int retriesShown() const {
        return static_cast<int>(
            std::count_if(m_statusLines.begin(), m_statusLines.end(),
                          [](const QString& line) { return line.contains("tried again later"); }));
    }

    test::AppDirFixture m_dir;
    test::RecordFolder m_folder;
    test::MessageBoxRecorder m_boxes;
    QStringList m_statusLines;
    std::unique_ptr<RecordSession> m_session;
};

TEST_F(SessionSyncTest, AnswersPlayedReachTheServerAndTheWindowSaysWhereTheCopyStands) {
    RecordSession& session = startSession(trainee(0));
    play(6);
    ASSERT_TRUE(waitHere([&] { return serverCount("answers") == "6"; }));
    ASSERT_TRUE(
        waitHere([&] { return session.sync().statusText().contains("every answer copied"); }));
    ProgressWindow* window = session.openProgressWindow();
    EXPECT_TRUE(window->syncStatus().startsWith("Record server: every answer copied; last copied "))
        << window->syncStatus().toStdString();
    // The line is a label a screen reader reads and Tab reaches.
    QLabel* line = nullptr;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        line = label->text() == window->syncStatus() ? label : line;
    }
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->focusPolicy() & Qt::TabFocus, Qt::TabFocus);

    // The window follows the copy of a round played while it is open.
    play(3, false);
    ASSERT_TRUE(waitHere([&] { return serverCount("answers") == "9"; }));
    m_session->listener().roundAbandoned();
    ASSERT_TRUE(waitHere([&] {
        return testServer().adminValue(m_database,
                                       "SELECT string_agg(outcome, ',' ORDER BY started_at)"
                                       " FROM nimbara.rounds") == "finished,abandoned";
    }));
    EXPECT_TRUE(m_boxes.boxes().empty());
    EXPECT_EQ(localWaiting(), 0);
}

TEST(RecordSyncStatus, LineCountsTheAnswersWaiting) {
    SyncStatus status;
    status.state = SyncStatus::State::Retrying;
    status.waitingAnswers = 12;
    status.lastCopied = QDateTime(QDate(2026, 12, 7), QTime(14, 2), Qt::LocalTime).toUTC();
    EXPECT_EQ(RecordSync::statusText(status),
              "Record server: 12 answers waiting; last copied 14:02; the server cannot be used "
              "now, tried again later");
    status.state = SyncStatus::State::Copying;
    status.waitingAnswers = 1;
    status.lastCopied = {};
    EXPECT_EQ(RecordSync::statusText(status), "Record server: 1 answer waiting");
    status.state = SyncStatus::State::Starting;
    status.waitingAnswers = -1;
    EXPECT_EQ(RecordSync::statusText(status), "Record server: connecting");
}

// A trouble of the server while rounds are played: one box, however often the copy is tried,
// the rounds played on, nothing lost, everything copied once the trouble is gone.
struct Trouble {
    const char* name;
    std::function<QString(TestPostgres&, const QString& database, const QString& role)> cause;
    std::function<QString(TestPostgres&, const QString& database, const QString& role)> mend;
    const char* boxStart;  // after "The record server <uri> "
};

class SessionTroubleTest : public SessionSyncTest, public testing::WithParamInterface<Trouble> {};

TEST_P(SessionTroubleTest, TellsOnceAndLosesNothing) {
    const Trouble& trouble = GetParam();
    ASSERT_EQ(trouble.cause(testServer(), m_database, trainee(0)), QString());
    RecordSession& session = startSession(trainee(0));
    play(5);
    ASSERT_TRUE(waitHere([&] { return m_boxes.boxes().size() == 1 && retriesShown() >= 3; }));
    play(4);  // the game goes on
    session.sync().wake();
    ASSERT_TRUE(waitHere([&] { return retriesShown() >= 5; }));
    EXPECT_EQ(localWaiting(), 9);
    ASSERT_EQ(trouble.mend(testServer(), m_database, trainee(0)), QString());
    ASSERT_TRUE(waitHere([&] { return localWaiting() == 0; }, 60s));
    EXPECT_EQ(serverCount("answers"), "9");
    EXPECT_EQ(serverCount("rounds"), "2");
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    const QString uri = testServer().uri(m_database, trainee(0));
    EXPECT_TRUE(
        m_boxes.texts().front().startsWith("The record server " + uri + " " + trouble.boxStart))
        << m_boxes.texts().front().toStdString();
    EXPECT_EQ(m_boxes.boxes().front(),
              test::RecordedBox::ownerless(m_boxes.texts().front(), RecordProblemNotice::kCaption,
                                           MbIcon::Exclamation));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SessionTroubleTest,
    testing::Values(
        Trouble{"wrong_password",
                [](TestPostgres& server, const QString& database, const QString& role) {
                    return server.adminExecFormatted(database, "ALTER ROLE %I PASSWORD %L",
                                                     {role, "not-the-passfiles"});
                },
                [](TestPostgres& server, const QString& database, const QString& role) {
                    return server.adminExecFormatted(database, "ALTER ROLE %I PASSWORD %L",
                                                     {role, TestPostgres::passwordOf(role)});
                },
                "refused the login"},
        Trouble{"unreachable_server",
                [](TestPostgres& server, const QString&, const QString&) { return server.stop(); },
                [](TestPostgres& server, const QString&, const QString&) { return server.start(); },
                "cannot be reached"}),
    [](const testing::TestParamInfo<Trouble>& row) { return row.param.name; });

// The server stops answering in the middle of a copy (its process for this login is frozen):
// ending the session, as the program's quit does, takes the deadline and no more.
TEST_F(SessionSyncTest, QuitNeverWaitsForASilentServer) {
    startSession(trainee(0), 300ms);
    play(2);
    ASSERT_TRUE(waitHere([&] {
        const SyncStatus status = m_session->sync().status();
        return status.state == SyncStatus::State::UpToDate && status.waitingAnswers == 0;
    }));
    const QString pid = testServer().adminValue(
        "postgres", "SELECT pid FROM pg_stat_activity WHERE usename = '" + trainee(0) + "'");
    ASSERT_FALSE(pid.isEmpty());
    // Whatever happens, the process goes on at the end, so that the server can stop.
    struct Frozen {
        pid_t pid;
        ~Frozen() { ::kill(pid, SIGCONT); }
    } frozen{static_cast<pid_t>(pid.toInt())};
    ASSERT_EQ(::kill(frozen.pid, SIGSTOP), 0);
    play(3);
    ASSERT_TRUE(waitHere([&] {
        const SyncStatus status = m_session->sync().status();
        return status.state == SyncStatus::State::Copying && status.waitingAnswers > 0;
    }));
    QElapsedTimer timer;
    timer.start();
    const bool ended = m_session->sync().stop();
    const qint64 took = timer.elapsed();
    m_session.reset();
    // The answers not copied wait in the record for the next run.
    const int waiting = localWaiting();
    ::kill(frozen.pid, SIGCONT);
    EXPECT_FALSE(ended);
    EXPECT_LT(took, 3000);
    EXPECT_EQ(waiting, 3);
    // The next run copies what waits; the batch the worker let go may arrive too: each once.
    startSession(trainee(0));
    ASSERT_TRUE(waitHere([&] { return localWaiting() == 0; }));
    EXPECT_EQ(serverCount("answers"), "5");
}

// An instructor's progress window: a trainee selector over the server's record.
class InstructorWindowTest : public SessionSyncTest {
protected:
    void SetUp() override {
        SessionSyncTest::SetUp();
        // An instructor who plays too: its own rounds are copied as a trainee's.
        ASSERT_EQ(testServer().adminExecFormatted(m_database, "GRANT nimbara_trainee TO %I",
                                                  {m_instructor}),
                  QString());
        for (int index : {0, 1}) {
            MemorySyncSource source;
            source.addRound(QString("machine %1").arg(index), index == 0 ? 10 : 4, true);
            PgConnection connection;
            connectAs(connection, trainee(index));
            QString error;
            ASSERT_FALSE(
                ServerUploader(connection).upload(source.nextBatch(1000, &error)).failed());
        }
    }

    QComboBox* selector(ProgressWindow& window) {
        for (QComboBox* box : window.findChildren<QComboBox*>()) {
            if (box->accessibleName() == "Trainee") {
                return box;
            }
        }
        return nullptr;
    }
};

TEST_F(InstructorWindowTest, ShowsEachTraineeAndAllTraineesFromTheServer) {
    RecordSession& session = startSession(m_instructor);
    play(2);  // the instructor's own record on this computer
    ASSERT_TRUE(waitHere([&] { return localWaiting() == 0; }));
    ProgressWindow* window = session.openProgressWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ASSERT_TRUE(waitHere([&] { return window->trainees().size() == 3; }));
    QComboBox* box = selector(*window);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->itemText(0), "My record on this computer");
    EXPECT_EQ(box->itemText(1), "All trainees");
    QStringList everyone{trainee(0), trainee(1), m_instructor};
    everyone.sort();
    EXPECT_EQ(window->trainees(), everyone);

    struct View {
        QString trainee;
        int answers;
        int confusions;  // Cl 2 taken for Cl 8, as the local record counts per class
        size_t rounds;
    };
    for (const View& view :
         {View{trainee(0), 10, 5, 1}, View{"", 16, 8, 3}, View{trainee(1), 4, 2, 1}}) {
        QSignalSpy read(window, &ProgressWindow::serverFiguresRead);
        window->showGame("clouds-normal");
        ASSERT_TRUE(window->showTrainee(view.trainee));
        ASSERT_TRUE(waitHere([&] { return read.count() > 0 && window->answerFiguresShown(); }));
        EXPECT_TRUE(window->readsServer());
        EXPECT_EQ(window->shown().totals.answers, view.answers) << view.trainee.toStdString();
        ASSERT_FALSE(window->shown().confusions.empty());
        EXPECT_EQ(window->shown().confusions.front().right, "Cl 2");
        EXPECT_EQ(window->shown().confusions.front().given, "Cl 8");
        EXPECT_EQ(window->shown().confusions.front().times, view.confusions);
        EXPECT_EQ(window->shown().rounds.size(), view.rounds);
    }
    window->grab().save(QString(qgetenv("NIMBARA_GRAB_DIR")).isEmpty()
                            ? QString()
                            : QString(qgetenv("NIMBARA_GRAB_DIR")) + "/instructor-window.png");
    window->showLocalRecord();
    ASSERT_TRUE(waitHere([&] { return window->answerFiguresShown(); }));
    EXPECT_FALSE(window->readsServer());
    EXPECT_EQ(window->shown().totals.answers, 2);
    EXPECT_TRUE(m_boxes.boxes().empty()) << m_boxes.texts().join('\n').toStdString();
}

TEST_F(InstructorWindowTest, ATraineeGetsNoSelector) {
    RecordSession& session = startSession(trainee(1));
    ASSERT_TRUE(
        waitHere([&] { return session.sync().statusText().contains("every answer copied"); }));
    QCoreApplication::processEvents();
    ProgressWindow* window = session.openProgressWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QComboBox* box = selector(*window);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isVisible());
    EXPECT_FALSE(window->showTrainee(trainee(1)));
    EXPECT_FALSE(window->readsServer());
}

}  // namespace
