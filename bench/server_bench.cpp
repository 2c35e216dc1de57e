// Copying the learning record to the organisation's server, on a PostgreSQL 15 server the
// benchmark starts in a temporary folder (as the tests do) and stops after.
//
// 1. One trainee's 100,000 answers (10,000 rounds of ten) copied by the sync worker, in batches
//    through its prepared statements, against the floor: COPY of the same rows into the same
//    tables by their owner, measured in turns in the same run, each on a fresh database. The
//    worker copies once from rows in memory (the server's side alone) and once from a learning
//    record file (SQLite, as the program copies: read, sent, marked copied).
// 2. 50 trainees, one connection each, copying 2,000 answers each at once from a record file of
//    their own: the time until all 100,000 answers are there, that each is there once, and the
//    server's peak connections.
//
//   nimbara_server_bench [runs]   runs of part 1 for each side (default 3)
#include "record/recordstore.h"
#include "record/server/pgconnection.h"
#include "record/server/serverschema.h"
#include "record/server/storesyncsource.h"
#include "record/server/syncsource.h"
#include "record/server/syncworker.h"
#include "tests/server/testpostgres.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <libpq-fe.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

using namespace nimbara;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kAnswersPerRound = 10;

// A local record in memory that hands out its rows in order, each round before its answers, as
// fast as a cursor: the benchmark measures the server side, not the source.
class SequentialSource : public SyncSource {
public:
    SequentialSource(const QString& trainee, int answers) {
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-30);
        for (int index = 0; index < answers / kAnswersPerRound; ++index) {
            SyncRound round{QUuid::createUuid().toString(QUuid::WithoutBraces),
                            trainee,
                            "clouds-normal",
                            index % 5 == 0,
                            iso(start.addSecs(index * 120)),
                            iso(start.addSecs(index * 120 + 100)),
                            "finished",
                            5,
                            kAnswersPerRound,
                            50,
                            "(novice)"};
            m_rounds.push_back(round);
            for (int item = 0; item < kAnswersPerRound; ++item) {
                m_answers.push_back({QUuid::createUuid().toString(QUuid::WithoutBraces), round.id,
                                     iso(start.addSecs(index * 120 + item * 9)),
                                     QString("cloud%1.bmp").arg((index + item) % 95),
                                     "Cl 2 - Cm 6 - Ch 0",
                                     item % 2 ? "Cl 8 - Cm 6 - Ch 0" : "Cl 2 - Cm 6 - Ch 0",
                                     item % 2 == 0, 2.5 + item});
            }
        }
    }

    SyncBatch nextBatch(int maxRows, QString*) override {
        const std::lock_guard lock(m_mutex);
        SyncBatch batch;
        // Whole rounds with their answers, so every answer's round comes with it or before.
        size_t round = m_nextRound;
        while (round < m_rounds.size() &&
               static_cast<int>(batch.size()) + 1 + kAnswersPerRound <= std::max(maxRows, 11)) {
            batch.rounds.push_back(m_rounds[round]);
            for (size_t item = 0; item < kAnswersPerRound; ++item) {
                batch.answers.push_back(m_answers[round * kAnswersPerRound + item]);
            }
            ++round;
        }
        return batch;
    }
    bool markCopied(const SyncBatch& batch, QString*) override {
        const std::lock_guard lock(m_mutex);
        m_nextRound += batch.rounds.size();
        return true;
    }
    int waitingAnswers() override {
        const std::lock_guard lock(m_mutex);
        return static_cast<int>((m_rounds.size() - m_nextRound) * kAnswersPerRound);
    }
    bool allCopied() {
        const std::lock_guard lock(m_mutex);
        return m_nextRound == m_rounds.size();
    }
    const std::vector<SyncRound>& rounds() const { return m_rounds; }
    const std::vector<SyncAnswer>& answers() const { return m_answers; }

private:
    static QString iso(const QDateTime& time) {
        return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
    }

    std::mutex m_mutex;
    std::vector<SyncRound> m_rounds;
    std::vector<SyncAnswer> m_answers;
    size_t m_nextRound = 0;
};

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "server bench: %s\n", qPrintable(what));
    std::exit(1);
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A fresh database with the record's schema; returns its name.
QString preparedDatabase(TestPostgres& server) {
    const QString database = server.createDatabase();
    PgConnection admin;
    if (database.isEmpty() || admin.open(server.adminUri(database)).failed() ||
        ServerSchema::setUp(admin).error.failed()) {
        fail("cannot make a database with the record's schema");
    }
    return database;
}

void waitForCopy(const std::function<bool()>& copied, int seconds) {
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(seconds);
    while (!copied()) {
        if (Clock::now() > deadline) {
            fail("the copy did not finish in time");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

SyncWorker::Settings settingsFor(const QString& uri) {
    SyncWorker::Settings settings;
    settings.uri = uri;
    settings.batchRows = 1100;
    return settings;
}

// Seconds for the worker to copy source's rows as trainee.
double copyBySync(TestPostgres& server, const QString& trainee, int answers) {
    const QString database = preparedDatabase(server);
    SequentialSource source(trainee, answers);
    const Clock::time_point start = Clock::now();
    SyncWorker worker(source, settingsFor(server.uri(database, trainee)));
    worker.start();
    waitForCopy([&] { return source.allCopied(); }, 600);
    const double seconds = secondsSince(start);
    worker.stop();
    if (server.adminValue(database, "SELECT count(*) FROM nimbara.answers") !=
        QString::number(answers)) {
        fail("the sync did not copy every answer");
    }
    return seconds;
}

// COPY's text format: tab-separated, with \, tab and line ends escaped.
QByteArray copyField(const QString& value) {
    QByteArray bytes = value.toUtf8();
    bytes.replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n").replace('\r', "\\r");
    return bytes;
}

bool copyRows(PGconn* conn, const char* statement, const QByteArray& rows) {
    PGresult* started = PQexec(conn, statement);
    const bool ok = PQresultStatus(started) == PGRES_COPY_IN;
    PQclear(started);
    if (!ok || PQputCopyData(conn, rows.constData(), static_cast<int>(rows.size())) != 1 ||
        PQputCopyEnd(conn, nullptr) != 1) {
        return false;
    }
    PGresult* ended = PQgetResult(conn);
    const bool done = PQresultStatus(ended) == PGRES_COMMAND_OK;
    PQclear(ended);
    while (PGresult* rest = PQgetResult(conn)) {
        PQclear(rest);
    }
    return done;
}

// Seconds for COPY of the same rows, from their making into text to the commit.
double copyByCopy(TestPostgres& server, const QString& trainee, int answers) {
    const QString database = preparedDatabase(server);
    SequentialSource source(trainee, answers);
    PgConnection admin;
    if (admin.open(server.adminUri(database)).failed()) {
        fail("cannot connect as the owner");
    }
    const Clock::time_point start = Clock::now();
    QByteArray rounds;
    for (const SyncRound& round : source.rounds()) {
        rounds += copyField(round.id) + '\t' + copyField(trainee) + '\t' +
                  copyField(round.displayName) + '\t' + copyField(round.game) + '\t' +
                  (round.practice ? "t" : "f") + '\t' + copyField(round.startedAt) + '\t' +
                  copyField(round.endedAt) + '\t' + copyField(round.outcome) + '\t' +
                  QByteArray::number(round.good) + '\t' + QByteArray::number(round.asked) + '\t' +
                  QByteArray::number(round.percent.value_or(0)) + '\t' + copyField(round.rating) +
                  '\n';
    }
    QByteArray rows;
    for (const SyncAnswer& answer : source.answers()) {
        rows += copyField(answer.id) + '\t' + copyField(answer.roundId) + '\t' +
                copyField(trainee) + '\t' + copyField(answer.answeredAt) + '\t' +
                copyField(answer.photo) + '\t' + copyField(answer.rightAnswer) + '\t' +
                copyField(answer.givenAnswer) + '\t' + (answer.correct ? "t" : "f") + '\t' +
                QByteArray::number(answer.seconds, 'g', 17) + '\n';
    }
    PGconn* conn = admin.handle();
    const bool copied =
        admin.exec("BEGIN").ok() &&
        copyRows(conn,
                 "COPY nimbara.rounds (id, trainee, display_name, game, practice, started_at,"
                 " ended_at, outcome, good, asked, percent, rating) FROM STDIN",
                 rounds) &&
        copyRows(conn,
                 "COPY nimbara.answers (id, round_id, trainee, answered_at, photo, right_answer,"
                 " given_answer, correct, seconds) FROM STDIN",
                 rows) &&
        admin.exec("COMMIT").ok();
    const double seconds = secondsSince(start);
    if (!copied) {
        fail(QString("COPY failed: ") + PQerrorMessage(conn));
    }
    return seconds;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A learning record file at path holding source's rows, none copied yet, written in one
// transaction (the program writes one per answer; the file is the same).
void writeRecordFile(const QString& path, const SequentialSource& source) {
    RecordStore store(path);
    if (store.open()) {
        fail("cannot make the record file " + path);
    }
    QSqlQuery query(store.database());
    bool ok = query.exec("BEGIN");
    ok = ok &&
         query.prepare(
             "INSERT INTO rounds (id, trainee, game, practice, started_at, ended_at,"
             " outcome, good, asked, percent, rating) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const SyncRound& round : source.rounds()) {
        if (!ok) {
            break;
        }
        const QVariantList values = {round.id,        round.displayName,
                                     round.game,      round.practice ? 1 : 0,
                                     round.startedAt, round.endedAt,
                                     round.outcome,   round.good,
                                     round.asked,     round.percent.value_or(0),
                                     round.rating};
        for (qsizetype i = 0; i < values.size(); ++i) {
            query.bindValue(static_cast<int>(i), values[i]);
        }
        ok = query.exec();
    }
    ok = ok && query.prepare(
                   "INSERT INTO answers (id, round_id, answered_at, photo, right_answer,"
                   " given_answer, correct, seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    for (const SyncAnswer& answer : source.answers()) {
        if (!ok) {
            break;
        }
        const QVariantList values = {
            answer.id,          answer.roundId,     answer.answeredAt,      answer.photo,
            answer.rightAnswer, answer.givenAnswer, answer.correct ? 1 : 0, answer.seconds};
        for (qsizetype i = 0; i < values.size(); ++i) {
            query.bindValue(static_cast<int>(i), values[i]);
        }
        ok = query.exec();
    }
    if (!ok || !query.exec("COMMIT")) {
        fail("cannot write the record file: " + query.lastError().text());
    }
}

bool upToDate(const SyncWorker& worker) {
    const SyncStatus status = worker.status();
    return status.state == SyncStatus::State::UpToDate && status.waitingAnswers == 0;
}

// Seconds for the worker to copy the record file at original (copied first, so that every run
// starts with nothing copied) as trainee.
double copyFromRecord(TestPostgres& server, const QString& trainee, const QString& original,
                      int answers) {
    const QString database = preparedDatabase(server);
    QTemporaryDir dir;
    const QString path = dir.filePath("record.sqlite");
    if (!QFile::copy(original, path)) {
        fail("cannot copy the record file");
    }
    StoreSyncSource source(path);
    const Clock::time_point start = Clock::now();
    SyncWorker worker(source, settingsFor(server.uri(database, trainee)));
    worker.start();
    waitForCopy([&] { return upToDate(worker); }, 600);
    const double seconds = secondsSince(start);
    worker.stop();
    if (server.adminValue(database, "SELECT count(*) FROM nimbara.answers") !=
        QString::number(answers)) {
        fail("the sync from the record file did not copy every answer");
    }
    return seconds;
}

void oneTrainee(TestPostgres& server, int runs) {
    const QString trainee = server.createLogin("trainee", "nimbara_trainee");
    QTemporaryDir dir;
    const QString recordFile = dir.filePath("record.sqlite");
    writeRecordFile(recordFile, SequentialSource(trainee, 100'000));
    std::vector<double> sync;
    std::vector<double> fromRecord;
    std::vector<double> floor;
    for (int run = 0; run < runs; ++run) {
        // In turns, the order rotating, so that all meet the same machine.
        const std::function<void()> sides[] = {
            [&] { sync.push_back(copyBySync(server, trainee, 100'000)); },
            [&] { fromRecord.push_back(copyFromRecord(server, trainee, recordFile, 100'000)); },
            [&] { floor.push_back(copyByCopy(server, trainee, 100'000)); },
        };
        for (int side = 0; side < 3; ++side) {
            sides[(run + side) % 3]();
        }
    }
    const double measured = median(sync);
    const double record = median(fromRecord);
    const double copy = median(floor);
    std::printf("100,000 answers (10,000 rounds) of one trainee, median of %d runs:\n", runs);
    std::printf("  sync worker from memory, batches of 100 rounds:  %.2f s\n", measured);
    std::printf("  sync worker from the record file (SQLite):       %.2f s (goal under 10 s: %s)\n",
                record, record < 10 ? "met" : "MISSED");
    std::printf("  floor, COPY of the same rows:                    %.2f s\n", copy);
    std::printf("  ratio sync from memory / COPY:                   %.1f\n", measured / copy);
    std::printf("  ratio sync from the record file / COPY:          %.1f\n", record / copy);
}

void fiftyTrainees(TestPostgres& server) {
    constexpr int kTrainees = 50;
    constexpr int kEach = 2'000;
    const QString database = preparedDatabase(server);
    QTemporaryDir dir;
    std::vector<std::unique_ptr<StoreSyncSource>> sources;
    std::vector<std::unique_ptr<SyncWorker>> workers;
    for (int index = 0; index < kTrainees; ++index) {
        const QString trainee = server.createLogin("trainee", "nimbara_trainee");
        const QString path = dir.filePath(QString("record-%1.sqlite").arg(index));
        writeRecordFile(path, SequentialSource(trainee, kEach));
        sources.push_back(std::make_unique<StoreSyncSource>(path));
        workers.push_back(std::make_unique<SyncWorker>(*sources.back(),
                                                       settingsFor(server.uri(database, trainee))));
    }
    // The server's own count of connections to the database, watched while the copy runs.
    std::atomic<bool> watching = true;
    std::atomic<int> peak = 0;
    std::thread watcher([&] {
        PgConnection admin;
        if (admin.open(server.adminUri(database)).failed()) {
            return;
        }
        while (watching) {
            PgResult result = admin.exec(
                "SELECT count(*) - 1 FROM pg_stat_activity WHERE datname = current_database()");
            peak = std::max(peak.load(), result.value(0, 0).toInt());
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    const Clock::time_point start = Clock::now();
    for (auto& worker : workers) {
        worker->start();
    }
    waitForCopy(
        [&] {
            return std::all_of(workers.begin(), workers.end(),
                               [](const auto& worker) { return upToDate(*worker); });
        },
        600);
    const double seconds = secondsSince(start);
    watching = false;
    watcher.join();
    for (auto& worker : workers) {
        worker->stop();
    }
    const QString count = server.adminValue(database, "SELECT count(*) FROM nimbara.answers");
    const QString distinct =
        server.adminValue(database, "SELECT count(DISTINCT (id, trainee)) FROM nimbara.answers");
    const QString perTrainee =
        server.adminValue(database,
                          "SELECT min(n) || '..' || max(n) FROM (SELECT count(*) AS n FROM"
                          " nimbara.answers GROUP BY trainee) AS t");
    std::printf("50 trainees copying 2,000 answers each at once from their record files:\n");
    std::printf("  all arrived in:         %.2f s\n", seconds);
    std::printf("  answers on the server:  %s, distinct %s, per trainee %s\n", qPrintable(count),
                qPrintable(distinct), qPrintable(perTrainee));
    std::printf("  peak connections:       %d\n", peak.load());
    if (count != "100000" || distinct != "100000") {
        fail("not every answer arrived exactly once");
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 3;
    TestPostgres server;
    if (const QString error = server.start(); !error.isEmpty()) {
        fail(error);
    }
    {
        // The group roles are made with the first schema.
        preparedDatabase(server);
    }
    oneTrainee(server, runs);
    fiftyTrainees(server);
    return 0;
}
