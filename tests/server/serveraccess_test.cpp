// Who may read and change what on the server, asked of the database itself: each row runs one
// statement as a trainee or an instructor, after two trainees copied a round each.
#include "record/server/serveruploader.h"
#include "tests/server/memorysyncsource.h"
#include "tests/server/serverfixture.h"

using namespace nimbara;

namespace {

enum class Who { Trainee, Instructor };
enum class Param { None, OtherTrainee, OtherRound };

struct Access {
    const char* name;
    Who who;
    const char* sql;
    Param param;
    const char* sqlState;  // the refusal expected; empty when the statement runs
    const char* result;    // when it runs: the first value of a query, or the rows changed
};

class AccessTest : public RecordServerTest, public testing::WithParamInterface<Access> {
protected:
    void SetUp() override {
        RecordServerTest::SetUp();
        for (int index : {0, 1}) {
            MemorySyncSource source;
            source.addRound(QString("machine %1").arg(index), 3, true);
            QString error;
            PgConnection connection;
            connectAs(connection, trainee(index));
            ASSERT_FALSE(ServerUploader(connection).upload(source.nextBatch(100, &error)).failed());
            m_rounds << source.rounds().at(0).id;
        }
    }

    QStringList m_rounds;  // each trainee's round
};

TEST_P(AccessTest, TheDatabaseDecides) {
    const Access& access = GetParam();
    PgConnection connection;
    connectAs(connection, access.who == Who::Trainee ? trainee(0) : m_instructor);
    PgParams params;
    if (access.param == Param::OtherTrainee) {
        params.push_back(trainee(1).toUtf8());
    } else if (access.param == Param::OtherRound) {
        params.push_back(m_rounds.at(1).toUtf8());
    }
    ASSERT_FALSE(connection.prepare("access", access.sql).failed());
    const PgResult result = connection.execPrepared("access", params);
    EXPECT_EQ(result.error().sqlState, access.sqlState) << result.error().text.toStdString();
    if (result.ok()) {
        const QString value =
            result.rows() ? result.value(0, 0) : QString::number(result.affectedRows());
        // "@0" stands for the first trainee's name, which each test makes anew.
        const QString expected = QString(access.result) == "@0" ? trainee(0) : access.result;
        EXPECT_EQ(value, expected);
    }
}

const char* const kInsertRound =
    "INSERT INTO nimbara.rounds (id, trainee, display_name, game, practice, started_at,"
    " outcome, good, asked) VALUES (gen_random_uuid(), $1, 'x', 'ice1', false, now(), 'open',"
    " 0, 0)";
const char* const kInsertOwnRound =
    "INSERT INTO nimbara.rounds (id, display_name, game, practice, started_at, outcome, good,"
    " asked) VALUES (gen_random_uuid(), 'x', 'ice1', false, now(), 'open', 0, 0)";

INSTANTIATE_TEST_SUITE_P(
    Roles, AccessTest,
    testing::Values(
        Access{"trainee_reads_only_own_rounds", Who::Trainee,
               "SELECT string_agg(trainee, ',') FROM nimbara.rounds", Param::None, "", "@0"},
        Access{"trainee_reads_only_own_answers", Who::Trainee,
               "SELECT count(*) FROM nimbara.answers", Param::None, "", "3"},
        Access{"trainee_does_not_see_another_round_by_its_id", Who::Trainee,
               "SELECT count(*) FROM nimbara.rounds WHERE id = $1::uuid", Param::OtherRound, "",
               "0"},
        Access{"trainee_cannot_end_another_round", Who::Trainee,
               "UPDATE nimbara.rounds SET outcome = 'abandoned' WHERE trainee = $1",
               Param::OtherTrainee, "", "0"},
        Access{"trainee_cannot_change_answers", Who::Trainee,
               "UPDATE nimbara.answers SET correct = true", Param::None, "42501", ""},
        Access{"trainee_cannot_delete_answers", Who::Trainee, "DELETE FROM nimbara.answers",
               Param::None, "42501", ""},
        Access{"trainee_cannot_delete_rounds", Who::Trainee, "DELETE FROM nimbara.rounds",
               Param::None, "42501", ""},
        Access{"trainee_cannot_move_a_round_to_another", Who::Trainee,
               "UPDATE nimbara.rounds SET trainee = $1", Param::OtherTrainee, "42501", ""},
        Access{"trainee_cannot_add_a_round_as_another", Who::Trainee, kInsertRound,
               Param::OtherTrainee, "42501", ""},
        Access{"trainee_adds_a_round_as_itself", Who::Trainee, kInsertOwnRound, Param::None, "",
               "1"},
        Access{"trainee_cannot_add_an_answer_to_another_round", Who::Trainee,
               "INSERT INTO nimbara.answers (id, round_id, answered_at, photo, right_answer,"
               " given_answer, correct, seconds) VALUES (gen_random_uuid(), $1::uuid, now(),"
               " 'ice0.bmp', 'brash ice', 'brash ice', true, 2)",
               Param::OtherRound, "23503", ""},
        Access{"instructor_reads_every_round", Who::Instructor,
               "SELECT count(DISTINCT trainee) FROM nimbara.rounds", Param::None, "", "2"},
        Access{"instructor_reads_every_answer", Who::Instructor,
               "SELECT count(*) FROM nimbara.answers", Param::None, "", "6"},
        Access{"instructor_cannot_add_rounds", Who::Instructor, kInsertOwnRound, Param::None,
               "42501", ""},
        Access{"instructor_cannot_end_rounds", Who::Instructor,
               "UPDATE nimbara.rounds SET outcome = 'abandoned'", Param::None, "42501", ""}),
    [](const testing::TestParamInfo<Access>& row) { return row.param.name; });

}  // namespace
