// Failures met by the record on real files, with a second process where one is needed: another
// program holding the record locked, two running copies recording at once, a copy killed in the
// middle of a round, a full disk (a file-size limit on the writing process).
#include "record/recordqueries.h"
#include "record/recordstore.h"
#include "record/roundrecorder.h"
#include "record/wholeanswers.h"
#include "tests/record/recordtestsupport.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::count;

// A child program on the record whose output is read line by line, each wait with a deadline.
class Child {
public:
    explicit Child(const QStringList& arguments) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(RECORD_CHILD, arguments);
        m_process.waitForStarted(10000);
    }
    ~Child() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    // The next line of output, or empty after 20 seconds without one.
    QString nextLine() {
        const QDeadlineTimer deadline(20000);
        while (!m_process.canReadLine() && !deadline.hasExpired() &&
               (m_process.state() == QProcess::Running || m_process.bytesAvailable() > 0)) {
            m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
            if (m_process.state() != QProcess::Running && !m_process.canReadLine()) {
                break;
            }
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    // Reads lines until one equals line; false when the output ends first.
    bool waitFor(const QString& line) {
        for (QString next = nextLine(); !next.isEmpty(); next = nextLine()) {
            m_lines << next;
            if (next == line) {
                return true;
            }
        }
        return false;
    }
    // Every line until the program ends, and whether it ended by itself with status 0.
    bool finish() {
        m_process.closeWriteChannel();
        for (QString next = nextLine(); !next.isEmpty(); next = nextLine()) {
            m_lines << next;
        }
        const bool ended =
            m_process.state() == QProcess::NotRunning || m_process.waitForFinished(20000);
        return ended && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }
    void write(const QByteArray& bytes) { m_process.write(bytes); }
    void killHard() {
        m_process.kill();  // SIGKILL
        m_process.waitForFinished(10000);
    }
    QStringList problems() const { return m_lines.filter(QRegularExpression("^problem ")); }
    const QStringList& lines() const { return m_lines; }

private:
    QProcess m_process;
    QStringList m_lines;
};

TEST(RecordFailures, TwoRunningCopiesBothRecordEveryAnswer) {
    test::RecordFolder folder;
    {
        RecordStore store(folder.path());
        ASSERT_FALSE(store.open());  // both copies find the tables made
    }
    Child first({"play", folder.path(), "10", "10"});
    Child second({"play", folder.path(), "10", "10"});
    ASSERT_TRUE(first.finish());
    ASSERT_TRUE(second.finish());
    EXPECT_EQ(first.problems(), QStringList());
    EXPECT_EQ(second.problems(), QStringList());
    RecordStore store(folder.path());
    ASSERT_FALSE(store.open());
    EXPECT_EQ(count(store, "SELECT COUNT(*) FROM answers"), 200);
    EXPECT_EQ(count(store, "SELECT COUNT(*) FROM rounds WHERE outcome = 'finished' AND asked = 10"),
              20);
}

TEST(RecordFailures, LockedRecordIsReportedAndRecordingResumesWhenFree) {
    test::RecordFolder folder;
    RecordStore store(folder.path(), {.busyTimeout = std::chrono::milliseconds(200)});
    ASSERT_FALSE(store.open());
    std::vector<RecordProblem> problems;
    RoundRecorder recorder(store, [&](const RecordProblem& p) { problems.push_back(p); });

    Child holder({"hold-lock", folder.path()});
    ASSERT_TRUE(holder.waitFor("locked"));
    recorder.roundStarted("ice2", false);
    recorder.answerJudged({"ice2_3.bmp", "grease ice", "shuga", false, 5});
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].text(),
              "The learning record is locked by another program (file: " + folder.path() +
                  ").\nThe game goes on; answers are recorded again once "
                  "the record is free.");
    holder.write("\n");
    ASSERT_TRUE(holder.waitFor("released"));
    recorder.answerJudged({"ice2_4.bmp", "shuga", "shuga", true, 4});
    recorder.roundFinished(50, "(novice)");
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_EQ(test::firstRow(store, "SELECT outcome, good, asked FROM rounds"),
              (QStringList{"finished", "1", "1"}));
    EXPECT_TRUE(holder.finish());
}

TEST(RecordFailures, KilledCopyLosesNoJudgedAnswerAndItsRoundCountsAsAbandoned) {
    test::RecordFolder folder;
    Child player({"play", folder.path(), "1", "5", "--wait"});
    ASSERT_TRUE(player.waitFor("answered 5"));
    player.killHard();

    RecordStore store(folder.path());
    ASSERT_FALSE(store.open());
    EXPECT_EQ(count(store, "SELECT COUNT(*) FROM answers"), 5);
    EXPECT_EQ(test::firstRow(store, "SELECT outcome, asked, good FROM rounds"),
              (QStringList{"open", "5", "3"}));
    const WholeAnswers games;
    RecordQueries queries(store.database(), games);
    const RoundTotals totals = queries.progress({"ice1", {}, {}}).totals;
    EXPECT_EQ(totals.rounds, 1);
    EXPECT_EQ(totals.abandoned, 1);
    EXPECT_EQ(totals.answers, 5);
}

TEST(RecordFailures, FullDiskIsReportedAndTheRoundPlaysOn) {
    test::RecordFolder folder;
    Child player({"play", folder.path(), "2", "10", "--limit-after", "4"});
    ASSERT_TRUE(player.finish());
    EXPECT_TRUE(player.lines().contains("answered 20"));
    const QStringList problems = player.problems();
    ASSERT_FALSE(problems.isEmpty());
    EXPECT_EQ(problems.front(),
              "problem full The disk refused to write the learning record; it may be full (file: " +
                  folder.path() +
                  ").\\nThe game goes on; answers are recorded again once "
                  "there is space.");
    RecordStore store(folder.path());
    ASSERT_FALSE(store.open());
    EXPECT_EQ(count(store, "SELECT COUNT(*) FROM answers"), 4);
}

}  // namespace
}  // namespace nimbara
