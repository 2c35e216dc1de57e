#include "record/server/serverreader.h"

#include "record/progresstally.h"
#include "record/server/pgconnection.h"

#include <QByteArray>

namespace nimbara {

namespace {

// Times as the local record writes them, so both sources read alike.
#define NIMBARA_RECORD_TIME(column) \
    "to_char(" column " AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"')"

// $1 game, $2 start of the period, $3 trainee ('' for all): the filter every view reads by.
#define NIMBARA_ROUND_FILTER(alias)                                                     \
    alias "game = $1 AND " alias "started_at >= $2::timestamptz AND ($3 = '' OR " alias \
          "trainee = $3)"

struct Statement {
    const char* name;
    const char* sql;
};

const Statement kRole = {"nimbara_read_role",
                         "SELECT current_user, EXISTS (SELECT 1 FROM pg_roles WHERE rolname ="
                         " 'nimbara_instructor' AND pg_has_role(current_user, oid, 'MEMBER'))"};
const Statement kTrainees = {"nimbara_read_trainees",
                             "SELECT trainee FROM nimbara.rounds GROUP BY trainee"
                             " ORDER BY trainee"};
const Statement kPlayedGames = {"nimbara_read_games",
                                "SELECT game FROM nimbara.rounds WHERE $1 = '' OR trainee = $1"
                                " GROUP BY game ORDER BY max(started_at) DESC, game"};
const Statement kTotals = {
    "nimbara_read_totals",
    "SELECT count(*), count(*) FILTER (WHERE outcome = 'finished'),"
    " count(*) FILTER (WHERE outcome <> 'finished'), count(*) FILTER (WHERE practice),"
    " coalesce(sum(asked), 0), coalesce(sum(good), 0) FROM nimbara.rounds"
    " WHERE " NIMBARA_ROUND_FILTER("")};
const Statement kRounds = {"nimbara_read_rounds",
                           "SELECT " NIMBARA_RECORD_TIME("started_at") ", percent, practice"
                           " FROM nimbara.rounds WHERE " NIMBARA_ROUND_FILTER("")
                           " AND outcome = 'finished' ORDER BY started_at, id"};
const Statement kAnswers = {
    "nimbara_read_answers",
    "SELECT a.right_answer, a.given_answer, a.photo, count(*),"
    " count(*) FILTER (WHERE a.correct), sum(a.seconds) FROM nimbara.rounds r"
    " JOIN nimbara.answers a ON a.round_id = r.id AND a.trainee = r.trainee"
    " WHERE " NIMBARA_ROUND_FILTER("r.") " GROUP BY a.right_answer, a.given_answer, a.photo"};
// $1 game ('' for all), $2 start of the period.
const Statement kTraineeTotals = {
    "nimbara_read_trainee_totals",
    "SELECT r.trainee, r.game, count(DISTINCT r.id), count(a.id),"
    " count(a.id) FILTER (WHERE a.correct), coalesce(sum(a.seconds), 0)"
    " FROM nimbara.rounds r LEFT JOIN nimbara.answers a"
    " ON a.round_id = r.id AND a.trainee = r.trainee"
    " WHERE ($1 = '' OR r.game = $1) AND r.started_at >= $2::timestamptz"
    " GROUP BY r.trainee, r.game ORDER BY r.trainee, r.game"};
// $1 game ('' for all), $2 the answers' earliest time, $3 trainee ('' for all).
const Statement kExport = {
    "nimbara_read_export",
    "SELECT " NIMBARA_RECORD_TIME("a.answered_at") ", a.trainee, r.game, r.id, r.practice,"
    " a.photo, a.right_answer, a.given_answer, a.correct, a.seconds FROM nimbara.answers a"
    " JOIN nimbara.rounds r ON r.id = a.round_id AND r.trainee = a.trainee"
    " WHERE ($1 = '' OR r.game = $1) AND a.answered_at >= $2::timestamptz"
    " AND ($3 = '' OR a.trainee = $3) ORDER BY a.answered_at, a.id"};

#undef NIMBARA_RECORD_TIME
#undef NIMBARA_ROUND_FILTER

const Statement* const kAll[] = {&kRole,   &kTrainees, &kPlayedGames,   &kTotals,
                                 &kRounds, &kAnswers,  &kTraineeTotals, &kExport};

QByteArray sinceValue(const QString& since) {
    return since.isEmpty() ? QByteArrayLiteral("-infinity") : since.toUtf8();
}

PgParams filterParams(const ServerFilter& filter) {
    return {filter.game.toUtf8(), sinceValue(filter.since), filter.trainee.toUtf8()};
}

bool flag(const PgResult& result, int row, int column) {
    return result.value(row, column) == QLatin1String("t");
}

}  // namespace

ServerReader::ServerReader(PgConnection& connection, const RecordGames& games)
    : m_connection(connection), m_games(games) {}

bool ServerReader::prepareAll() {
    m_error = {};
    for (const Statement* statement : kAll) {
        m_error = m_connection.prepare(statement->name, statement->sql);
        if (m_error.failed()) {
            return false;
        }
    }
    return true;
}

std::optional<ServerReader::Role> ServerReader::role() {
    if (!prepareAll()) {
        return std::nullopt;
    }
    const PgResult result = m_connection.execPrepared(kRole.name);
    if (!result.ok() || result.rows() != 1) {
        m_error = result.error();
        return std::nullopt;
    }
    return Role{result.value(0, 0), flag(result, 0, 1)};
}

QStringList ServerReader::trainees() {
    QStringList names;
    if (!prepareAll()) {
        return names;
    }
    const PgResult result = m_connection.execPrepared(kTrainees.name);
    m_error = result.error();
    for (int row = 0; row < result.rows(); ++row) {
        names << result.value(row, 0);
    }
    return names;
}

QStringList ServerReader::playedGames(const QString& trainee) {
    QStringList games;
    if (!prepareAll()) {
        return games;
    }
    const PgResult result = m_connection.execPrepared(kPlayedGames.name, {trainee.toUtf8()});
    m_error = result.error();
    for (int row = 0; row < result.rows(); ++row) {
        games << result.value(row, 0);
    }
    return games;
}

GameProgress ServerReader::progress(const ServerFilter& filter) {
    GameProgress progress;
    if (!prepareAll()) {
        return progress;
    }
    const PgParams params = filterParams(filter);
    const PgResult totals = m_connection.execPrepared(kTotals.name, params);
    if (!totals.ok()) {
        m_error = totals.error();
        return progress;
    }
    if (totals.rows() == 1) {
        RoundTotals& t = progress.totals;
        t.rounds = totals.value(0, 0).toInt();
        t.finished = totals.value(0, 1).toInt();
        t.abandoned = totals.value(0, 2).toInt();
        t.practice = totals.value(0, 3).toInt();
        t.answers = totals.value(0, 4).toInt();
        t.correct = totals.value(0, 5).toInt();
    }
    const PgResult rounds = m_connection.execPrepared(kRounds.name, params);
    if (!rounds.ok()) {
        m_error = rounds.error();
        return progress;
    }
    for (int row = 0; row < rounds.rows(); ++row) {
        appendRoundPoint(progress.rounds, {rounds.value(row, 0), rounds.value(row, 1).toInt(), 0,
                                           flag(rounds, row, 2)});
    }
    const PgResult answers = m_connection.execPrepared(kAnswers.name, params);
    if (!answers.ok()) {
        m_error = answers.error();
        return progress;
    }
    ProgressTally tally(m_games, filter.game);
    for (int row = 0; row < answers.rows(); ++row) {
        tally.add({answers.value(row, 0), answers.value(row, 1), answers.value(row, 2),
                   answers.value(row, 3).toInt(), answers.value(row, 4).toInt(),
                   answers.value(row, 5).toDouble()});
    }
    tally.finish(progress);
    return progress;
}

std::vector<TraineeGameTotals> ServerReader::traineeTotals(const ServerFilter& filter) {
    std::vector<TraineeGameTotals> totals;
    if (!prepareAll()) {
        return totals;
    }
    const PgResult result = m_connection.execPrepared(
        kTraineeTotals.name, {filter.game.toUtf8(), sinceValue(filter.since)});
    m_error = result.error();
    for (int row = 0; row < result.rows(); ++row) {
        totals.push_back({result.value(row, 0), result.value(row, 1), result.value(row, 2).toInt(),
                          result.value(row, 3).toInt(), result.value(row, 4).toInt(),
                          result.value(row, 5).toDouble()});
    }
    return totals;
}

bool ServerReader::exportRows(const ServerFilter& filter,
                              const std::function<bool(const ExportRow&)>& row) {
    if (!prepareAll()) {
        return false;
    }
    const PgResult result = m_connection.execPrepared(
        kExport.name, {filter.game.toUtf8(), sinceValue(filter.since), filter.trainee.toUtf8()});
    if (!result.ok()) {
        m_error = result.error();
        return false;
    }
    for (int i = 0; i < result.rows(); ++i) {
        const ExportRow answer{result.value(i, 0),           result.value(i, 1), result.value(i, 2),
                               result.value(i, 3),           flag(result, i, 4), result.value(i, 5),
                               result.value(i, 6),           result.value(i, 7), flag(result, i, 8),
                               result.value(i, 9).toDouble()};
        if (!row(answer)) {
            break;
        }
    }
    return true;
}

}  // namespace nimbara
