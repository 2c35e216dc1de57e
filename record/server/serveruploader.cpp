#include "record/server/serveruploader.h"

#include "record/server/pgconnection.h"

namespace nimbara {

namespace {

const char* const kRoundStatement = "nimbara_upload_round";
const char* const kAnswerStatement = "nimbara_upload_answer";

// The trainee column takes its default, current_user: the login role is the trainee. A round
// already on the server ends when the copy says it has; an ended round stays as it is.
const char* const kRoundSql =
    "INSERT INTO nimbara.rounds AS r (id, display_name, game, practice, started_at, ended_at,"
    " outcome, good, asked, percent, rating)"
    " VALUES ($1::uuid, $2, $3, $4::boolean, $5::timestamptz, $6::timestamptz, $7,"
    " $8::integer, $9::integer, $10::integer, $11)"
    " ON CONFLICT (id) DO UPDATE SET ended_at = excluded.ended_at, outcome = excluded.outcome,"
    " good = excluded.good, asked = excluded.asked, percent = excluded.percent,"
    " rating = excluded.rating"
    " WHERE r.outcome = 'open' AND excluded.outcome <> 'open'";

const char* const kAnswerSql =
    "INSERT INTO nimbara.answers (id, round_id, answered_at, photo, right_answer, given_answer,"
    " correct, seconds)"
    " VALUES ($1::uuid, $2::uuid, $3::timestamptz, $4, $5, $6, $7::boolean,"
    " $8::double precision)"
    " ON CONFLICT (id) DO NOTHING";

std::optional<QByteArray> text(const QString& value) {
    return value.toUtf8();
}

std::optional<QByteArray> textOrNull(const QString& value) {
    return value.isEmpty() ? std::nullopt : std::optional<QByteArray>(value.toUtf8());
}

QByteArray boolean(bool value) {
    return value ? QByteArrayLiteral("t") : QByteArrayLiteral("f");
}

PgParams roundParams(const SyncRound& round) {
    return {text(round.id),
            text(round.displayName),
            text(round.game),
            boolean(round.practice),
            text(round.startedAt),
            textOrNull(round.endedAt),
            text(round.outcome),
            QByteArray::number(round.good),
            QByteArray::number(round.asked),
            round.percent ? std::optional<QByteArray>(QByteArray::number(*round.percent))
                          : std::nullopt,
            textOrNull(round.rating)};
}

PgParams answerParams(const SyncAnswer& answer) {
    return {text(answer.id),          text(answer.roundId),
            text(answer.answeredAt),  text(answer.photo),
            text(answer.rightAnswer), text(answer.givenAnswer),
            boolean(answer.correct),  QByteArray::number(answer.seconds, 'g', 17)};
}

}  // namespace

ServerUploader::ServerUploader(PgConnection& connection) : m_connection(connection) {}

PgError ServerUploader::prepare() {
    PgError error = m_connection.prepare(kRoundStatement, kRoundSql);
    return error.failed() ? error : m_connection.prepare(kAnswerStatement, kAnswerSql);
}

PgError ServerUploader::upload(const SyncBatch& batch) {
    if (batch.empty()) {
        return {};
    }
    if (const PgError error = prepare(); error.failed()) {
        return error;
    }
    std::vector<PgCall> calls;
    calls.reserve(batch.size());
    for (const SyncRound& round : batch.rounds) {
        calls.push_back({kRoundStatement, roundParams(round)});
    }
    for (const SyncAnswer& answer : batch.answers) {
        calls.push_back({kAnswerStatement, answerParams(answer)});
    }
    return m_connection.runPipeline(calls);
}

}  // namespace nimbara
