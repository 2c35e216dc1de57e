// Copying the local record to the server: the upload statements and the worker, on a real
// server, with the local record held in memory.
#include "record/server/serveruploader.h"
#include "record/server/syncworker.h"
#include "tests/server/memorysyncsource.h"
#include "tests/server/serverfixture.h"

#include <QCoreApplication>

#include <algorithm>

using namespace nimbara;
using namespace std::chrono_literals;

namespace {

SyncWorker::Settings quickSettings(const QString& uri, int batchRows) {
    SyncWorker::Settings settings;
    settings.uri = uri;
    settings.batchRows = batchRows;
    settings.firstPause = 20ms;
    settings.longestPause = 200ms;
    settings.idlePoll = 50ms;
    return settings;
}

class SyncTest : public RecordServerTest {
protected:
    QString count(const char* table) {
        return testServer().adminValue(m_database,
                                       QString("SELECT count(*) FROM nimbara.%1").arg(table));
    }
    // The ids on the server and in source, each sorted, as one text to compare.
    QString serverAnswerIds() {
        return testServer().adminValue(
            m_database, "SELECT string_agg(id::text, ',' ORDER BY id::text) FROM nimbara.answers");
    }
    static QString sourceAnswerIds(MemorySyncSource& source) {
        QStringList ids;
        for (const SyncAnswer& answer : source.answers()) {
            ids << answer.id;
        }
        ids.sort();
        return ids.join(',');
    }
    SyncBatch wholeRecord(MemorySyncSource& source) {
        QString error;
        return source.nextBatch(1'000'000, &error);
    }
};

TEST_F(SyncTest, ABatchSentTwiceLeavesEveryRowOnce) {
    MemorySyncSource source;
    source.addRound("Ann", 10, true);
    PgConnection connection;
    connectAs(connection, trainee(0));
    ServerUploader uploader(connection);
    const SyncBatch batch = wholeRecord(source);
    ASSERT_FALSE(uploader.upload(batch).failed());
    ASSERT_FALSE(uploader.upload(batch).failed());
    EXPECT_EQ(count("rounds"), "1");
    EXPECT_EQ(count("answers"), "10");
    EXPECT_EQ(serverAnswerIds(), sourceAnswerIds(source));
}

TEST_F(SyncTest, ARoundCopiedOpenTakesItsEndStateAndKeepsIt) {
    MemorySyncSource source;
    source.addRound("Ann", 4, false);
    PgConnection connection;
    connectAs(connection, trainee(0));
    ServerUploader uploader(connection);
    const SyncBatch open = wholeRecord(source);
    ASSERT_FALSE(uploader.upload(open).failed());
    source.finishRound(open.rounds.at(0).id);
    ASSERT_FALSE(uploader.upload(wholeRecord(source)).failed());
    // A late copy of the open state changes nothing.
    ASSERT_FALSE(uploader.upload(open).failed());
    EXPECT_EQ(testServer().adminValue(m_database,
                                      "SELECT concat_ws(' ', trainee, display_name, outcome, good,"
                                      " asked, percent, rating, ended_at IS NOT NULL)"
                                      " FROM nimbara.rounds"),
              trainee(0) + " Ann finished 2 4 50 (novice) t");
}

TEST_F(SyncTest, TwoMachinesOfOneTraineeMergeWithNothingTwice) {
    MemorySyncSource office;
    MemorySyncSource ship;
    office.addRound("Ann", 10, true);
    ship.addRound("Ann", 7, true);
    // The office's record was copied to the ship before the ship's own round.
    for (const SyncRound& round : office.rounds()) {
        ship.addRound(round);
    }
    for (const SyncAnswer& answer : office.answers()) {
        ship.addAnswer(answer);
    }
    for (MemorySyncSource* machine : {&office, &ship}) {
        SyncWorker worker(*machine, quickSettings(testServer().uri(m_database, trainee(0)), 6));
        worker.start();
        ASSERT_TRUE(waitUntil([&] { return machine->allCopied(); }));
    }
    EXPECT_EQ(count("rounds"), "2");
    EXPECT_EQ(count("answers"), "17");
    EXPECT_EQ(serverAnswerIds(), sourceAnswerIds(ship));
    EXPECT_EQ(testServer().adminValue(
                  m_database, "SELECT string_agg(DISTINCT trainee, ',') FROM nimbara.answers"),
              trainee(0));
}

TEST_F(SyncTest, ABatchThatFailsHalfwayLeavesNothing) {
    MemorySyncSource source;
    source.addRound("Ann", 5, true);
    SyncBatch batch = wholeRecord(source);
    SyncAnswer stray = batch.answers.back();
    stray.id = "1b4e28ba-2fa1-11d2-883f-0016d3cca427";
    stray.roundId = "2b4e28ba-2fa1-11d2-883f-0016d3cca427";  // a round the server never got
    batch.answers.push_back(stray);
    PgConnection connection;
    connectAs(connection, trainee(0));
    const PgError error = ServerUploader(connection).upload(batch);
    EXPECT_EQ(error.kind, PgError::Kind::Statement);
    EXPECT_EQ(error.sqlState, "23503");
    EXPECT_EQ(count("rounds"), "0");
    EXPECT_EQ(count("answers"), "0");
    // The connection is still good for the next batch.
    ASSERT_FALSE(ServerUploader(connection).upload(wholeRecord(source)).failed());
    EXPECT_EQ(count("answers"), "5");
}

TEST_F(SyncTest, TheWorkerCopiesEverythingAndSaysItIsUpToDate) {
    MemorySyncSource source;
    for (int round = 0; round < 12; ++round) {
        source.addRound("Ann", 10, round != 11);
    }
    SyncWorker worker(source, quickSettings(testServer().uri(m_database, trainee(0)), 25));
    // The status reaches a receiver on this thread, as it reaches the progress window.
    QObject window;
    SyncStatus shown;
    QObject::connect(&worker, &SyncWorker::statusChanged, &window,
                     [&](const SyncStatus& status) { shown = status; });
    worker.start();
    ASSERT_TRUE(waitUntil([&] {
        QCoreApplication::processEvents();
        return shown.state == SyncStatus::State::UpToDate && shown.waitingAnswers == 0;
    }));
    EXPECT_TRUE(source.allCopied());
    EXPECT_TRUE(worker.status().lastCopied.isValid());
    EXPECT_EQ(serverAnswerIds(), sourceAnswerIds(source));
    // A round that ends later reaches the server without a restart.
    source.finishRound(source.rounds().back().id);
    worker.wake();
    ASSERT_TRUE(waitUntil([&] {
        return testServer().adminValue(m_database,
                                       "SELECT count(*) FROM nimbara.rounds"
                                       " WHERE outcome = 'finished'") == "12";
    }));
    worker.stop();
    EXPECT_EQ(worker.status().state, SyncStatus::State::Stopped);
}

// The server goes away in the middle of a sync and comes back: the worker waits, goes on, and
// every answer arrives exactly once. Ways the server goes: stopped cleanly between two batches,
// killed as in a crash while batches are on their way, and a mark of a copied batch that
// failed locally so that the batch is sent again.
struct Interruption {
    const char* name;
    const char* stopMode;  // nullptr: the server stays up
    bool fromWorker;       // stopped between two batches, else while the worker copies
    QSet<int> refusedMarks;
};

class InterruptedSyncTest : public SyncTest, public testing::WithParamInterface<Interruption> {
protected:
    void TearDown() override {
        if (!testServer().running()) {
            ASSERT_EQ(testServer().start(), QString());
        }
    }
};

TEST_P(InterruptedSyncTest, EveryAnswerArrivesExactlyOnce) {
    const Interruption& interruption = GetParam();
    MemorySyncSource source;
    for (int round = 0; round < 40; ++round) {
        source.addRound("Ann", 50, true);
    }
    source.refusedMarks = interruption.refusedMarks;
    std::atomic<bool> stopped = false;
    if (interruption.stopMode && interruption.fromWorker) {
        source.beforeBatch = [&](int number) {
            if (number == 5) {
                stopped = testServer().stop(interruption.stopMode).isEmpty();
            }
        };
    }
    SyncWorker worker(source, quickSettings(testServer().uri(m_database, trainee(0)), 40));
    WorkerLog log(worker);
    worker.start();
    if (interruption.stopMode && !interruption.fromWorker) {
        ASSERT_TRUE(waitUntil([&] { return source.batchesTaken() >= 5; }));
        stopped = testServer().stop(interruption.stopMode).isEmpty();
    }
    if (interruption.stopMode) {
        ASSERT_TRUE(waitUntil([&] { return stopped && log.retries() >= 2; }));
        EXPECT_FALSE(source.allCopied());
        ASSERT_EQ(testServer().start(), QString());
    }
    ASSERT_TRUE(waitUntil([&] { return source.allCopied(); }, 60s));
    worker.stop();
    EXPECT_EQ(count("answers"), "2000");
    EXPECT_EQ(serverAnswerIds(), sourceAnswerIds(source));
    EXPECT_EQ(count("rounds"), "40");
    EXPECT_EQ(log.problems().size(),
              interruption.stopMode || !interruption.refusedMarks.isEmpty() ? 1 : 0)
        << log.problems().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Sync, InterruptedSyncTest,
    testing::Values(Interruption{"server_stopped_between_batches", "fast", true, {}},
                    Interruption{"server_crashed_while_copying", "immediate", false, {}},
                    Interruption{
                        "mark_failed_after_the_server_kept_the_batch", nullptr, false, {2, 3}}),
    [](const testing::TestParamInfo<Interruption>& row) { return row.param.name; });

}  // namespace
