// nimbara-record, run as a program on a record in a temporary data home.
#include "record/recordenvironment.h"
#include "record/recordstore.h"
#include "tests/record/recordtestsupport.h"
#include "tests/support/testfiles.h"
#include "tools/record/exportcommand.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

const QByteArray kHeader =
    "answered_at,trainee,game,round,practice,photo,right_answer,given_answer,correct,seconds\r\n";

struct ToolRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

class RecordToolTest : public testing::Test {
protected:
    QString recordPath() const { return home.filePath("data/nimbara/record.sqlite"); }

    ToolRun run(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_DATA_HOME", home.filePath("data"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(home.path());
        process.start(RECORD_TOOL, arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    // Two rounds: ice1 on 1 December (practice), clouds-normal on 5 December.
    void writeRecord() {
        RecordStore store(recordPath());
        ASSERT_FALSE(store.open());
        ASSERT_FALSE(
            store.startRound({"round-1", "Ann Lee", "ice1", true, "2026-12-01T09:00:00.000Z"}));
        ASSERT_FALSE(store.recordAnswer({"a1", "round-1", "2026-12-01T09:00:05.250Z", "ice4.bmp",
                                         "brash ice", "new ice, \"frazil\"", false, 5.25}));
        ASSERT_FALSE(store.startRound(
            {"round-2", "Ann Lee", "clouds-normal", false, "2026-12-05T10:00:00.000Z"}));
        ASSERT_FALSE(store.recordAnswer({"a2", "round-2", "2026-12-05T10:00:07.000Z", "cloud2.bmp",
                                         "Cl 4 - Cm 0 - Ch 4", "Cl 4 - Cm 0 - Ch 4", true, 7}));
    }

    QTemporaryDir home;
};

const QByteArray kIceLine =
    "2026-12-01T09:00:05.250Z,Ann Lee,ice1,round-1,1,ice4.bmp,brash ice,"
    "\"new ice, \"\"frazil\"\"\",0,5.250\r\n";
const QByteArray kCloudLine =
    "2026-12-05T10:00:07.000Z,Ann Lee,clouds-normal,round-2,0,cloud2.bmp,Cl 4 - Cm 0 - Ch 4,"
    "Cl 4 - Cm 0 - Ch 4,1,7.000\r\n";

struct ExportCase {
    const char* name;
    QStringList arguments;
    QByteArray expected;
};

class RecordExport : public RecordToolTest, public testing::WithParamInterface<ExportCase> {};

TEST_P(RecordExport, WritesTheChosenAnswersToStandardOutput) {
    writeRecord();
    const ToolRun result = run(QStringList{"export"} + GetParam().arguments);
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, RecordExport,
    testing::Values(ExportCase{"everything", {}, kHeader + kIceLine + kCloudLine},
                    ExportCase{"since_a_day", {"--since", "2026-12-02"}, kHeader + kCloudLine},
                    ExportCase{"since_a_time_with_offset",
                               {"--since", "2026-12-05T11:00:07+01:00"},
                               kHeader + kCloudLine},
                    ExportCase{"one_game", {"--game", "ice1"}, kHeader + kIceLine},
                    ExportCase{
                        "game_and_since", {"--game", "ice1", "--since", "2026-12-02"}, kHeader}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(RecordToolTest, ExportsIntoAFile) {
    writeRecord();
    const QString file = home.filePath("answers.csv");
    const ToolRun result = run({"export", "--game", "clouds-normal", file});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, QByteArray());
    EXPECT_EQ(test::readFileBytes(file), kHeader + kCloudLine);
}

TEST_F(RecordToolTest, RefusesToWriteThroughASymbolicLink) {
    writeRecord();
    const QString target = home.filePath("target.csv");
    test::writeFileBytes(target, "kept");
    QFile::link(target, home.filePath("link.csv"));
    const ToolRun result = run({"export", home.filePath("link.csv")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "nimbara-record: " + home.filePath("link.csv").toUtf8() +
                              " is a symbolic link; nothing written\n");
    EXPECT_EQ(test::readFileBytes(target), "kept");
}

TEST_F(RecordToolTest, WithoutARecordGivesTheHeaderAndMakesNoFile) {
    const ToolRun result = run({"export"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, kHeader);
    EXPECT_FALSE(QFileInfo::exists(recordPath()));
    EXPECT_FALSE(QFileInfo::exists(home.filePath("data/nimbara")));
}

TEST_F(RecordToolTest, DamagedRecordFailsAndStaysAsItIs) {
    test::writeFileBytes(recordPath(), QByteArray(9000, 'x'));
    const ToolRun result = run({"export"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "nimbara-record: cannot export: the learning record is damaged (file: " +
                              recordPath().toUtf8() + ")\n");
    EXPECT_EQ(test::readFileBytes(recordPath()), QByteArray(9000, 'x'));
}

struct UsageCase {
    const char* name;
    QStringList arguments;
    QByteArray complaint;  // before the usage text; empty for none
};

class RecordToolUsage : public RecordToolTest, public testing::WithParamInterface<UsageCase> {};

TEST_P(RecordToolUsage, WrongArgumentsGiveTheUsage) {
    const ToolRun result = run(GetParam().arguments);
    EXPECT_EQ(result.status, 2);
    const QByteArray usage =
        "usage:\n  nimbara-record export [--since DATE] [--game ID] [FILE]\n      writes the "
        "answers of your learning record as CSV to FILE or standard output\n"
        "  nimbara-record setup-server [URI]\n      creates or migrates the record's schema and "
        "roles on the server at URI (by default the configured one)\n"
        "  nimbara-record export --server [URI] [--since DATE] [--game ID] [FILE]\n      writes "
        "as CSV the answers on the record server at URI (by default the configured one) of "
        "every trainee your login may read\n"
        "  nimbara-record report [--game ID] [--since DATE] [--server URI]\n      prints from "
        "the record server a table per trainee and the group's most frequent confusions\n";
    EXPECT_EQ(result.err, GetParam().complaint + usage);
    EXPECT_EQ(result.out, QByteArray());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordToolUsage,
    testing::Values(
        UsageCase{"nothing", {}, ""},
        UsageCase{"unknown_subcommand", {"import"}, "nimbara-record: unknown subcommand import\n"},
        UsageCase{"since_without_value",
                  {"export", "--since"},
                  "nimbara-record: --since needs a value\n"},
        UsageCase{"since_not_a_date",
                  {"export", "--since", "yesterday"},
                  "nimbara-record: --since takes a date like 2026-12-01, not "
                  "yesterday\n"},
        UsageCase{"two_files",
                  {"export", "a.csv", "b.csv"},
                  "nimbara-record: unexpected argument b.csv\n"},
        UsageCase{"unknown_option",
                  {"export", "--trainee", "ann"},
                  "nimbara-record: unexpected argument --trainee\n"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace nimbara
