// The learning record on this computer copied to a real server: a SQLite record file written as
// the program writes it, read and marked by StoreSyncSource on the worker's thread.
#include "record/recordenvironment.h"
#include "record/recordschema.h"
#include "record/recordstore.h"
#include "record/server/storesyncsource.h"
#include "record/server/syncworker.h"
#include "tests/record/recordtestsupport.h"
#include "tests/server/serverfixture.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <atomic>

using namespace nimbara;
using namespace std::chrono_literals;

namespace {

const QDateTime kStart(QDate(2026, 12, 1), QTime(8, 0), QTimeZone::utc());

SyncWorker::Settings storeSyncSettings(const QString& uri, int batchRows) {
    SyncWorker::Settings settings;
    settings.uri = uri;
    settings.batchRows = batchRows;
    settings.firstPause = 20ms;
    settings.longestPause = 200ms;
    settings.idlePoll = 50ms;
    return settings;
}

// Passes a source through and lets a test act before a given batch is taken.
class HookedSource final : public SyncSource {
public:
    explicit HookedSource(SyncSource& inner) : m_inner(inner) {}
    SyncBatch nextBatch(int maxRows, QString* error) override {
        const int number = ++batches;
        if (beforeBatch) {
            beforeBatch(number);
        }
        return m_inner.nextBatch(maxRows, error);
    }
    bool markCopied(const SyncBatch& batch, QString* error) override {
        return m_inner.markCopied(batch, error);
    }
    int waitingAnswers() override { return m_inner.waitingAnswers(); }
    void release() override { m_inner.release(); }

    std::function<void(int)> beforeBatch;
    std::atomic<int> batches = 0;

private:
    SyncSource& m_inner;
};

// A record file of its own with rounds written as the program writes them.
class LocalRecord {
public:
    LocalRecord() : m_path(m_dir.filePath("nimbara/record.sqlite")) {}
    explicit LocalRecord(const QString& copyOf) : LocalRecord() {
        QDir().mkpath(m_dir.filePath("nimbara"));
        QFile::copy(copyOf, m_path);
    }

    const QString& path() const { return m_path; }

    // rounds rounds of answers answers each (every third one wrong), the last one left open
    // when lastOpen.
    void play(int rounds, int answers, bool lastOpen = false, int dayOffset = 0) {
        RecordStore store(m_path);
        ASSERT_FALSE(store.open());
        for (int round = 0; round < rounds; ++round) {
            std::vector<test::PlayedAnswer> played;
            for (int i = 0; i < answers; ++i) {
                played.push_back({"Cl 2 - Cm 6 - Ch 0",
                                  i % 3 ? "Cl 2 - Cm 6 - Ch 0" : "Cl 8 - Cm 6 - Ch 0",
                                  QString("cloud%1.bmp").arg(i % 40), 2.5 + i % 4});
            }
            test::writeRound(store, "clouds-normal",
                             kStart.addDays(dayOffset).addSecs(round * 3600), played,
                             !(lastOpen && round == rounds - 1));
        }
    }

    // Sorted ids of the answers in the file, joined by commas, as the server's are.
    QString answerIds() {
        RecordStore store(m_path, {.readOnly = true});
        EXPECT_FALSE(store.open());
        QSqlQuery query(store.database());
        QStringList ids;
        query.exec("SELECT id FROM answers");
        while (query.next()) {
            ids << query.value(0).toString();
        }
        ids.sort();
        return ids.join(',');
    }

    int waiting() { return StoreSyncSource(m_path).waitingAnswers(); }
    // Rounds not copied in the state they are in now.
    int roundsWaiting() {
        RecordStore store(m_path, {.readOnly = true});
        EXPECT_FALSE(store.open());
        return test::count(store,
                           "SELECT count(*) FROM rounds WHERE copied_outcome IS NOT outcome");
    }
    bool allCopied() { return waiting() == 0 && roundsWaiting() == 0; }

    // The id of the open round.
    QString openRound() {
        RecordStore store(m_path, {.readOnly = true});
        EXPECT_FALSE(store.open());
        return test::firstRow(store, "SELECT id FROM rounds WHERE outcome = 'open'").value(0);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

class StoreSyncTest : public RecordServerTest {
protected:
    QString value(const QString& sql) { return testServer().adminValue(m_database, sql); }
    QString serverAnswerIds() {
        return value("SELECT string_agg(id::text, ',' ORDER BY id::text) FROM nimbara.answers");
    }
    QString count(const char* table) {
        return value(QString("SELECT count(*) FROM nimbara.%1").arg(table));
    }
    QString uri() const { return testServer().uri(m_database, trainee(0)); }
};

TEST_F(StoreSyncTest, RecordedRowsReachTheServerAndARoundsEndFollows) {
    LocalRecord record;
    record.play(3, 10, true);
    EXPECT_EQ(record.waiting(), 30);
    StoreSyncSource source(record.path());
    SyncWorker worker(source, storeSyncSettings(uri(), 7));
    worker.start();
    ASSERT_TRUE(waitUntil([&] { return record.allCopied(); }));
    EXPECT_EQ(serverAnswerIds(), record.answerIds());
    EXPECT_EQ(value("SELECT string_agg(outcome, ',' ORDER BY started_at) FROM nimbara.rounds"),
              "finished,finished,open");
    EXPECT_EQ(value("SELECT string_agg(DISTINCT display_name || '/' || trainee, ',')"
                    " FROM nimbara.rounds"),
              "ann/" + trainee(0));

    // The open round ends on this computer: the server follows, its answers stay once.
    {
        RecordStore store(record.path());
        ASSERT_FALSE(store.open());
        ASSERT_FALSE(store.endRound(
            {record.openRound(), recordTimestamp(kStart.addDays(1)), true, 70, "(observer)"}));
    }
    EXPECT_EQ(record.roundsWaiting(), 1);
    worker.wake();
    ASSERT_TRUE(waitUntil([&] {
        return value("SELECT count(*) FROM nimbara.rounds WHERE outcome = 'finished'") == "3";
    }));
    ASSERT_TRUE(waitUntil([&] { return record.allCopied(); }));
    worker.stop();
    EXPECT_EQ(count("answers"), "30");
    EXPECT_EQ(value("SELECT concat_ws(' ', percent, rating) FROM nimbara.rounds"
                    " ORDER BY started_at DESC LIMIT 1"),
              "70 (observer)");
}

TEST_F(StoreSyncTest, AFirstReleaseRecordIsMigratedWholeAndCopiedWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("record.sqlite");
    {
        // A record as the first release left it: version 1, without the copy's columns.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "first-release-sync");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const QString& statement : RecordSchema::steps().front().statements) {
            ASSERT_TRUE(query.exec(statement));
        }
        ASSERT_TRUE(query.exec("PRAGMA user_version = 1"));
        ASSERT_TRUE(query.exec("BEGIN"));
        for (int round = 0; round < 4; ++round) {
            const QString id = recordId();
            query.prepare(
                "INSERT INTO rounds (id, trainee, game, practice, started_at, ended_at, outcome,"
                " good, asked, percent, rating) VALUES (?, 'ann', 'ice1', ?, ?, ?, ?, 3, 5, ?, ?)");
            query.addBindValue(id);
            query.addBindValue(round % 2);
            query.addBindValue(recordTimestamp(kStart.addSecs(round * 600)));
            query.addBindValue(round == 3 ? QVariant()
                                          : recordTimestamp(kStart.addSecs(round * 600 + 300)));
            query.addBindValue(round == 3 ? "abandoned" : "finished");
            query.addBindValue(round == 3 ? QVariant() : QVariant(60));
            query.addBindValue(round == 3 ? QVariant() : QVariant("(novice)"));
            ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
            for (int i = 0; i < 5; ++i) {
                query.prepare(
                    "INSERT INTO answers (id, round_id, answered_at, photo, right_answer,"
                    " given_answer, correct, seconds) VALUES (?, ?, ?, 'ice2.bmp', 'brash ice',"
                    " ?, ?, 4.5)");
                query.addBindValue(recordId());
                query.addBindValue(id);
                query.addBindValue(recordTimestamp(kStart.addSecs(round * 600 + i * 10)));
                query.addBindValue(i < 3 ? "brash ice" : "pancake ice");
                query.addBindValue(i < 3 ? 1 : 0);
                ASSERT_TRUE(query.exec());
            }
        }
        ASSERT_TRUE(query.exec("COMMIT"));
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase("first-release-sync");

    StoreSyncSource source(path);
    SyncWorker worker(source, storeSyncSettings(uri(), 500));
    worker.start();
    ASSERT_TRUE(waitUntil([&] { return count("answers") == "20"; }));
    worker.stop();
    RecordStore store(path, {.readOnly = true});
    ASSERT_FALSE(store.open());
    EXPECT_EQ(test::count(store, "PRAGMA user_version"), RecordSchema::latestVersion());
    EXPECT_EQ(test::firstRow(store, "SELECT count(*), sum(copied) FROM answers"),
              (QStringList{"20", "20"}));
    EXPECT_EQ(test::firstRow(store, "SELECT count(*), sum(copied_outcome = outcome) FROM rounds"),
              (QStringList{"4", "4"}));
    EXPECT_EQ(count("rounds"), "4");
    EXPECT_EQ(value("SELECT concat_ws(' ', count(*) FILTER (WHERE correct), count(*)"
                    " FILTER (WHERE practice)) FROM nimbara.answers a JOIN nimbara.rounds r"
                    " ON r.id = a.round_id"),
              "12 10");
}

TEST_F(StoreSyncTest, TwoRecordsOfOneTraineeMergeWithNothingCopiedTwice) {
    LocalRecord office;
    office.play(4, 8);
    // The office's record was carried to the ship before anything was copied; the ship plays
    // on in it.
    LocalRecord ship(office.path());
    ship.play(3, 6, false, 2);
    office.play(1, 5, false, 3);
    StoreSyncSource officeSource(office.path());
    StoreSyncSource shipSource(ship.path());
    SyncWorker officeWorker(officeSource, storeSyncSettings(uri(), 9));
    SyncWorker shipWorker(shipSource, storeSyncSettings(uri(), 9));
    officeWorker.start();
    shipWorker.start();
    ASSERT_TRUE(waitUntil([&] { return office.allCopied() && ship.allCopied(); }));
    officeWorker.stop();
    shipWorker.stop();
    EXPECT_EQ(count("rounds"), "8");
    EXPECT_EQ(count("answers"), QString::number(4 * 8 + 3 * 6 + 5));
    QStringList both = (office.answerIds() + "," + ship.answerIds()).split(',');
    both.removeDuplicates();
    both.sort();
    EXPECT_EQ(serverAnswerIds(), both.join(','));
}

// The server goes away in the middle of a copy and comes back: every answer arrives once.
struct StoreInterruption {
    const char* name;
    const char* stopMode;
    bool betweenBatches;  // else while the worker copies
};

class InterruptedStoreSyncTest : public StoreSyncTest,
                                 public testing::WithParamInterface<StoreInterruption> {
protected:
    void TearDown() override {
        if (!testServer().running()) {
            ASSERT_EQ(testServer().start(), QString());
        }
    }
};

TEST_P(InterruptedStoreSyncTest, EveryAnswerArrivesExactlyOnce) {
    const StoreInterruption& interruption = GetParam();
    LocalRecord record;
    record.play(40, 50);
    StoreSyncSource store(record.path());
    HookedSource source(store);
    std::atomic<bool> stopped = false;
    if (interruption.betweenBatches) {
        source.beforeBatch = [&](int number) {
            if (number == 5) {
                stopped = testServer().stop(interruption.stopMode).isEmpty();
            }
        };
    }
    SyncWorker worker(source, storeSyncSettings(uri(), 40));
    WorkerLog log(worker);
    worker.start();
    if (!interruption.betweenBatches) {
        ASSERT_TRUE(waitUntil([&] { return source.batches >= 5; }));
        stopped = testServer().stop(interruption.stopMode).isEmpty();
    }
    ASSERT_TRUE(waitUntil([&] { return stopped && log.retries() >= 2; }));
    EXPECT_GT(record.waiting(), 0);
    ASSERT_EQ(testServer().start(), QString());
    ASSERT_TRUE(waitUntil([&] { return record.allCopied(); }, 60s));
    worker.stop();
    EXPECT_EQ(count("answers"), "2000");
    EXPECT_EQ(count("rounds"), "40");
    EXPECT_EQ(serverAnswerIds(), record.answerIds());
    EXPECT_EQ(log.problems().size(), 1) << log.problems().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Sync, InterruptedStoreSyncTest,
    testing::Values(StoreInterruption{"server_stopped_between_batches", "fast", true},
                    StoreInterruption{"server_crashed_while_copying", "immediate", false}),
    [](const testing::TestParamInfo<StoreInterruption>& row) { return row.param.name; });

}  // namespace
