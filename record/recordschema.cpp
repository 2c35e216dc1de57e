#include "record/recordschema.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace nimbara {

namespace {

// Version 1: rounds and their answers, the trainee's settings, and the indexes the progress
// window and the export read by (a game's rounds by start, a round's answers, answers by time).
const QStringList kVersion1 = {
    "CREATE TABLE rounds ("
    " id TEXT PRIMARY KEY,"
    " trainee TEXT NOT NULL,"
    " game TEXT NOT NULL,"
    " practice INTEGER NOT NULL,"
    " started_at TEXT NOT NULL,"
    " ended_at TEXT,"
    " outcome TEXT NOT NULL DEFAULT 'open' CHECK (outcome IN ('open','finished','abandoned')),"
    " good INTEGER NOT NULL DEFAULT 0,"
    " asked INTEGER NOT NULL DEFAULT 0,"
    " percent INTEGER,"
    " rating TEXT)",
    "CREATE TABLE answers ("
    " id TEXT PRIMARY KEY,"
    " round_id TEXT NOT NULL REFERENCES rounds(id),"
    " answered_at TEXT NOT NULL,"
    " photo TEXT NOT NULL,"
    " right_answer TEXT NOT NULL,"
    " given_answer TEXT NOT NULL,"
    " correct INTEGER NOT NULL,"
    " seconds REAL NOT NULL)",
    "CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE INDEX rounds_by_game ON rounds(game, started_at)",
    "CREATE INDEX answers_by_round ON answers(round_id)",
    "CREATE INDEX answers_by_time ON answers(answered_at)",
};

// Version 2: what of the record was copied to the organisation's server. A round notes the
// outcome it was copied in (NULL: never copied), so that a round copied while open comes again
// once it ends; an answer notes that it was copied. The partial indexes hold only what waits,
// so finding it stays quick on a long record. Rows recorded before this version all wait.
const QStringList kVersion2 = {
    "ALTER TABLE rounds ADD COLUMN copied_outcome TEXT",
    "ALTER TABLE answers ADD COLUMN copied INTEGER NOT NULL DEFAULT 0",
    "CREATE INDEX rounds_to_copy ON rounds(started_at) WHERE copied_outcome IS NOT outcome",
    "CREATE INDEX answers_to_copy ON answers(answered_at) WHERE copied = 0",
};

}  // namespace

const std::vector<RecordSchema::Step>& RecordSchema::steps() {
    static const std::vector<Step> all = {
        {1, kVersion1},
        {2, kVersion2},
    };
    return all;
}

int RecordSchema::latestVersion() {
    return steps().back().version;
}

int RecordSchema::version(QSqlDatabase& db, QSqlError& error) {
    QSqlQuery query(db);
    if (!query.exec("PRAGMA user_version") || !query.next()) {
        error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

QSqlError RecordSchema::applyStep(QSqlDatabase& db, const Step& step) {
    QSqlQuery query(db);
    if (!query.exec("BEGIN IMMEDIATE")) {
        return query.lastError();
    }
    // Another running copy may have taken the step since the version was first read.
    QSqlError error;
    const int current = version(db, error);
    QStringList statements;
    if (current >= 0 && current < step.version) {
        statements = step.statements;
        statements << "PRAGMA user_version = " + QString::number(step.version);
    }
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            error = query.lastError();
            break;
        }
    }
    if (error.type() == QSqlError::NoError && query.exec("COMMIT")) {
        return {};
    }
    if (error.type() == QSqlError::NoError) {
        error = query.lastError();
    }
    query.exec("ROLLBACK");
    return error;
}

QSqlError RecordSchema::migrate(QSqlDatabase& db) {
    QSqlError error;
    const int current = version(db, error);
    if (current < 0) {
        return error;
    }
    for (const Step& step : steps()) {
        if (step.version <= current) {
            continue;
        }
        error = applyStep(db, step);
        if (error.type() != QSqlError::NoError) {
            return error;
        }
    }
    return {};
}

}  // namespace nimbara
