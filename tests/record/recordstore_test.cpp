// The record's file: where it lives, its tables and their versions, what a round leaves in it,
// and what happens when the file is damaged or cannot be written.
#include "record/recordstore.h"
#include "record/recordenvironment.h"
#include "record/recordschema.h"
#include "record/roundrecorder.h"
#include "tests/record/recordtestsupport.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::count;
using test::firstRow;

const QDateTime kNoon(QDate(2026, 12, 7), QTime(12, 0), QTimeZone::utc());

// A recorder whose clock stands at noon and moves a second per reading.
struct Recording {
    explicit Recording(const QString& path)
        : store(path, {.busyTimeout = std::chrono::milliseconds(200)}),
          recorder(
              store, [this](const RecordProblem& problem) { problems.push_back(problem); },
              [this] { return kNoon.addSecs(ticks++); }) {}

    RecordStore store;
    std::vector<RecordProblem> problems;
    int ticks = 0;
    RoundRecorder recorder;
};

JudgedAnswer answer(const char* photo, const char* right, const char* given, double seconds) {
    return {photo, right, given, std::string(right) == given, seconds};
}

// ----------------------------------------------------------------------------------------------
// Where the record lives

struct LocationCase {
    const char* name;
    const char* dataHome;  // null: unset
    const char* expected;  // below the temporary home
};

class RecordLocation : public testing::TestWithParam<LocationCase> {};

TEST_P(RecordLocation, FollowsTheDataHome) {
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", home.path().toUtf8());
    if (GetParam().dataHome == nullptr) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        const QString value = QString(GetParam().dataHome).replace("HOME", home.path());
        qputenv("XDG_DATA_HOME", value.toUtf8());
    }
    const QString path = defaultRecordPath();
    qputenv("HOME", savedHome);
    savedData.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", savedData);
    EXPECT_EQ(path, home.path() + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RecordLocation,
    testing::Values(LocationCase{"unset", nullptr, "/.local/share/nimbara/record.sqlite"},
                    LocationCase{"absolute", "HOME/data", "/data/nimbara/record.sqlite"},
                    LocationCase{"relative_is_ignored", "data",
                                 "/.local/share/nimbara/record.sqlite"}),
    [](const auto& row) { return std::string(row.param.name); });

// ----------------------------------------------------------------------------------------------
// Tables and versions

TEST(RecordSchemaTest, NewRecordIsAtTheLatestVersionInWriteAheadLogMode) {
    test::RecordFolder folder;
    RecordStore store(folder.path());
    ASSERT_FALSE(store.open());
    EXPECT_EQ(count(store, "PRAGMA user_version"), RecordSchema::latestVersion());
    EXPECT_EQ(firstRow(store, "PRAGMA journal_mode"), QStringList{"wal"});
    EXPECT_EQ(count(store, "PRAGMA foreign_keys"), 1);
}

TEST(RecordSchemaTest, FirstReleaseFileIsBroughtUpToDateKeepingItsRows) {
    test::RecordFolder folder;
    QDir().mkpath(folder.path("nimbara"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "first-release");
        db.setDatabaseName(folder.path());
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const QString& statement : RecordSchema::steps().front().statements) {
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
        }
        ASSERT_TRUE(query.exec("PRAGMA user_version = 1"));
        ASSERT_TRUE(
            query.exec("INSERT INTO rounds (id, trainee, game, practice, started_at) VALUES"
                       " ('r1', 'ann', 'ice1', 0, '2026-01-01T00:00:00.000Z')"));
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase("first-release");
    RecordStore store(folder.path());
    ASSERT_FALSE(store.open());
    EXPECT_EQ(count(store, "PRAGMA user_version"), RecordSchema::latestVersion());
    EXPECT_EQ(firstRow(store, "SELECT id, trainee, game FROM rounds"),
              (QStringList{"r1", "ann", "ice1"}));
}

// ----------------------------------------------------------------------------------------------
// What a round leaves

TEST(RoundRecording, KeepsEveryAnswerAndTheRoundsEnd) {
    test::RecordFolder folder;
    Recording recording(folder.path());
    recording.recorder.roundStarted("clouds-normal", true);
    recording.recorder.answerJudged(
        answer("cloud17.bmp", "Cl 4 - Cm 0 - Ch 4", "Cl 4 - Cm 0 - Ch 4", 4.5));
    recording.recorder.answerJudged(
        answer("cloud3.bmp", "Cl 5 - Cm x - Ch x", "Cl 8 - Cm x - Ch x", 12.25));
    recording.recorder.roundFinished(50, "(novice)");

    RecordStore& store = recording.store;
    EXPECT_EQ(firstRow(store,
                       "SELECT trainee, game, practice, started_at, ended_at, outcome, good, "
                       "asked, percent, rating FROM rounds"),
              (QStringList{loginName(), "clouds-normal", "1", "2026-12-07T12:00:00.000Z",
                           "2026-12-07T12:00:03.000Z", "finished", "1", "2", "50", "(novice)"}));
    EXPECT_EQ(firstRow(store,
                       "SELECT answered_at, photo, right_answer, given_answer, correct, seconds "
                       "FROM answers ORDER BY answered_at DESC"),
              (QStringList{"2026-12-07T12:00:02.000Z", "cloud3.bmp", "Cl 5 - Cm x - Ch x",
                           "Cl 8 - Cm x - Ch x", "0", "12.25"}));
    EXPECT_EQ(count(store, "SELECT COUNT(*) FROM answers a JOIN rounds r ON r.id = a.round_id"), 2);
    EXPECT_TRUE(recording.problems.empty());
}

struct AbandonCase {
    const char* name;
    void (*end)(std::unique_ptr<Recording>& recording);
};

class RoundAbandoning : public testing::TestWithParam<AbandonCase> {};

TEST_P(RoundAbandoning, EndsTheRoundAsAbandoned) {
    test::RecordFolder folder;
    auto recording = std::make_unique<Recording>(folder.path());
    recording->recorder.roundStarted("ice1", false);
    recording->recorder.answerJudged(answer("ice4.bmp", "brash ice", "brash ice", 2));
    GetParam().end(recording);
    RecordStore store(folder.path());
    ASSERT_FALSE(store.open());
    EXPECT_EQ(firstRow(store,
                       "SELECT outcome, good, asked, percent, rating, ended_at IS NOT NULL "
                       "FROM rounds ORDER BY started_at LIMIT 1"),
              (QStringList{"abandoned", "1", "1", "NULL", "NULL", "1"}));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, RoundAbandoning,
    testing::Values(AbandonCase{"cancel", [](auto& r) { r->recorder.roundAbandoned(); }},
                    AbandonCase{"next_round_started",
                                [](auto& r) { r->recorder.roundStarted("ice1", false); }},
                    AbandonCase{"program_quits", [](auto& r) { r.reset(); }}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RoundRecording, RoundsAreRecordedUnderTheDisplayNameOnceSet) {
    test::RecordFolder folder;
    Recording recording(folder.path());
    ASSERT_FALSE(recording.store.setDisplayName("  Ann Lee "));
    recording.recorder.roundStarted("ice2", false);
    ASSERT_FALSE(recording.store.setDisplayName(""));
    recording.recorder.roundStarted("ice2", false);
    QSqlQuery query(recording.store.database());
    ASSERT_TRUE(query.exec("SELECT trainee FROM rounds ORDER BY started_at"));
    QStringList trainees;
    while (query.next()) {
        trainees << query.value(0).toString();
    }
    EXPECT_EQ(trainees, (QStringList{"Ann Lee", loginName()}));
}

// ----------------------------------------------------------------------------------------------
// Damaged and unwritable records

// Writes a record with one round, then overwrites its tables' pages, keeping the header page.
QByteArray recordWithBrokenTables(const QString& path) {
    {
        RecordStore store(path);
        test::writeRound(store, "ice1", kNoon, {{"brash ice", "brash ice", "ice4.bmp"}});
    }
    QByteArray bytes = test::readFileBytes(path);
    for (qsizetype i = 4096; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(0xA5 ^ (i * 7));
    }
    return bytes;
}

struct DamageCase {
    const char* name;
    QByteArray (*make)(const QString& path);
};

class DamagedRecord : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedRecord, IsKeptAsideAndANewOneStarted) {
    test::RecordFolder folder;
    const QString path = folder.path();
    const QByteArray damaged = GetParam().make(path);
    QFile::remove(path + "-wal");
    QFile::remove(path + "-shm");
    ASSERT_TRUE(test::writeFileBytes(path, damaged));

    Recording recording(path);
    recording.recorder.roundStarted("ice1", false);
    recording.recorder.answerJudged(answer("ice2.bmp", "nilas", "nilas", 1));

    const QStringList kept =
        QDir(folder.path("nimbara")).entryList({"record-damaged-*.sqlite"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(QRegularExpression("^record-damaged-\\d{8}T\\d{6}Z\\.sqlite$")
                    .match(kept.front())
                    .hasMatch());
    const QString keptPath = folder.path("nimbara/" + kept.front());
    EXPECT_EQ(test::readFileBytes(keptPath), damaged);
    ASSERT_EQ(recording.problems.size(), 1u);
    EXPECT_EQ(recording.problems[0].text(), "The learning record was damaged (file: " + path +
                                                ").\nIt was kept as " + keptPath +
                                                " and a new record was started.");
    EXPECT_EQ(count(recording.store,
                    "SELECT COUNT(*) FROM answers a JOIN rounds r "
                    "ON r.id = a.round_id WHERE r.game = 'ice1'"),
              1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DamagedRecord,
    testing::Values(DamageCase{"garbage", [](const QString&) { return QByteArray(20000, 'x'); }},
                    DamageCase{"broken_tables", recordWithBrokenTables}),
    [](const auto& row) { return std::string(row.param.name); });

struct UnwritableCase {
    const char* name;
    void (*block)(const test::RecordFolder& folder);
    const char* why;  // FOLDER stands for the record's folder
};

class UnwritableRecord : public testing::TestWithParam<UnwritableCase> {};

TEST_P(UnwritableRecord, ReportsEachFailureAndLetsTheRoundPlayOn) {
    test::RecordFolder folder;
    GetParam().block(folder);
    Recording recording(folder.path());
    recording.recorder.roundStarted("seastate-UK", false);
    recording.recorder.answerJudged(answer("Bf3.bmp", "Bf 3", "Bf 4", 6));
    recording.recorder.roundFinished(0, "(novice)");

    ASSERT_FALSE(recording.problems.empty());
    const QString why = QString(GetParam().why).replace("FOLDER", folder.path("nimbara"));
    EXPECT_EQ(recording.problems.front().text(),
              "The learning record cannot be written (file: " + folder.path() + "): " + why +
                  ".\nThe game goes on; its answers are not recorded.");
    EXPECT_FALSE(QFileInfo(folder.path()).isFile());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnwritableRecord,
    testing::Values(UnwritableCase{"folder_is_a_file",
                                   [](const test::RecordFolder& folder) {
                                       test::writeFileBytes(folder.path("nimbara"), "x");
                                   },
                                   "its folder FOLDER cannot be created"},
                    UnwritableCase{"symbolic_link",
                                   [](const test::RecordFolder& folder) {
                                       QDir().mkpath(folder.path("nimbara"));
                                       QFile::link(folder.path("elsewhere.sqlite"), folder.path());
                                   },
                                   "it is a symbolic link"},
                    UnwritableCase{
                        "folder_in_its_place",
                        [](const test::RecordFolder& folder) { QDir().mkpath(folder.path()); },
                        "it is not a regular file"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RoundRecording, RoundWhoseStartFailedIsWrittenWithItsNextAnswer) {
    test::RecordFolder folder;
    test::writeFileBytes(folder.path("nimbara"), "x");
    Recording recording(folder.path());
    recording.recorder.roundStarted("ice1", false);
    ASSERT_EQ(recording.problems.size(), 1u);
    QFile::remove(folder.path("nimbara"));
    recording.recorder.answerJudged(answer("ice0.bmp", "new ice", "nilas", 3));
    EXPECT_EQ(recording.problems.size(), 1u);
    EXPECT_EQ(firstRow(recording.store,
                       "SELECT r.game, r.asked, a.given_answer FROM rounds r "
                       "JOIN answers a ON a.round_id = r.id"),
              (QStringList{"ice1", "1", "nilas"}));
}

}  // namespace
}  // namespace nimbara
