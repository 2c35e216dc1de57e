#include "record/server/serverschema.h"

#include "record/server/pgconnection.h"

#include <array>
#include <vector>

namespace nimbara {

namespace {

// The group roles; fixed names, so every statement naming them is constant text.
struct GroupRole {
    const char* name;
    const char* create;
};
constexpr std::array<GroupRole, 2> kRoles = {{
    {"nimbara_trainee", "CREATE ROLE nimbara_trainee NOLOGIN"},
    {"nimbara_instructor", "CREATE ROLE nimbara_instructor NOLOGIN"},
}};

// Step n of the schema: the statements that take version n-1 to version n.
const std::vector<std::vector<const char*>>& migrationSteps() {
    static const std::vector<std::vector<const char*>> steps = {
        {
            "CREATE SCHEMA nimbara",
            "REVOKE ALL ON SCHEMA nimbara FROM PUBLIC",
            "CREATE TABLE nimbara.schema_version (version integer NOT NULL)",
            "INSERT INTO nimbara.schema_version (version) VALUES (0)",
            "CREATE TABLE nimbara.rounds ("
            " id uuid PRIMARY KEY,"
            " trainee text NOT NULL DEFAULT current_user,"
            " display_name text NOT NULL,"
            " game text NOT NULL,"
            " practice boolean NOT NULL,"
            " started_at timestamptz NOT NULL,"
            " ended_at timestamptz,"
            " outcome text NOT NULL CHECK (outcome IN ('open', 'finished', 'abandoned')),"
            " good integer NOT NULL,"
            " asked integer NOT NULL,"
            " percent integer,"
            " rating text,"
            " copied_at timestamptz NOT NULL DEFAULT now(),"
            " UNIQUE (id, trainee))",
            "CREATE INDEX rounds_trainee_started ON nimbara.rounds (trainee, started_at)",
            // An answer belongs to a round of the same trainee: the key holds both.
            "CREATE TABLE nimbara.answers ("
            " id uuid PRIMARY KEY,"
            " round_id uuid NOT NULL,"
            " trainee text NOT NULL DEFAULT current_user,"
            " answered_at timestamptz NOT NULL,"
            " photo text NOT NULL,"
            " right_answer text NOT NULL,"
            " given_answer text NOT NULL,"
            " correct boolean NOT NULL,"
            " seconds double precision NOT NULL,"
            " copied_at timestamptz NOT NULL DEFAULT now(),"
            " FOREIGN KEY (round_id, trainee) REFERENCES nimbara.rounds (id, trainee))",
            "CREATE INDEX answers_round ON nimbara.answers (round_id, trainee)",
            "CREATE INDEX answers_trainee_answered ON nimbara.answers (trainee, answered_at)",
            "ALTER TABLE nimbara.rounds ENABLE ROW LEVEL SECURITY",
            "ALTER TABLE nimbara.answers ENABLE ROW LEVEL SECURITY",
            "CREATE POLICY trainee_reads ON nimbara.rounds FOR SELECT TO nimbara_trainee"
            " USING (trainee = current_user)",
            "CREATE POLICY trainee_adds ON nimbara.rounds FOR INSERT TO nimbara_trainee"
            " WITH CHECK (trainee = current_user)",
            "CREATE POLICY trainee_ends ON nimbara.rounds FOR UPDATE TO nimbara_trainee"
            " USING (trainee = current_user) WITH CHECK (trainee = current_user)",
            "CREATE POLICY instructor_reads ON nimbara.rounds FOR SELECT TO nimbara_instructor"
            " USING (true)",
            "CREATE POLICY trainee_reads ON nimbara.answers FOR SELECT TO nimbara_trainee"
            " USING (trainee = current_user)",
            "CREATE POLICY trainee_adds ON nimbara.answers FOR INSERT TO nimbara_trainee"
            " WITH CHECK (trainee = current_user)",
            "CREATE POLICY instructor_reads ON nimbara.answers FOR SELECT TO nimbara_instructor"
            " USING (true)",
            "GRANT USAGE ON SCHEMA nimbara TO nimbara_trainee, nimbara_instructor",
            "GRANT SELECT, INSERT ON nimbara.rounds, nimbara.answers TO nimbara_trainee",
            "GRANT UPDATE (ended_at, outcome, good, asked, percent, rating) ON nimbara.rounds"
            " TO nimbara_trainee",
            "GRANT SELECT ON nimbara.rounds, nimbara.answers, nimbara.schema_version"
            " TO nimbara_trainee, nimbara_instructor",
        },
    };
    return steps;
}

// setUp's work inside its transaction.
ServerSchema::Outcome migrate(PgConnection& connection) {
    ServerSchema::Outcome outcome;
    // Two set-ups at once on one database take turns.
    PgResult locked = connection.exec("SELECT pg_advisory_xact_lock(7367016465621327)");
    if (!locked.ok()) {
        outcome.error = locked.error();
        return outcome;
    }
    if ((outcome.error =
             connection.prepare("nimbara_role_exists", "SELECT 1 FROM pg_roles WHERE rolname = $1"))
            .failed()) {
        return outcome;
    }
    for (const GroupRole& role : kRoles) {
        PgResult exists = connection.execPrepared("nimbara_role_exists", {QByteArray(role.name)});
        PgResult created = exists.ok() && exists.rows() == 0 ? connection.exec(role.create)
                                                             : PgResult(nullptr, exists.error());
        if (!created.ok()) {
            outcome.error = created.error();
            return outcome;
        }
        if (exists.rows() == 0) {
            outcome.rolesCreated << QString::fromLatin1(role.name);
        }
    }
    const int found = ServerSchema::version(connection, &outcome.error);
    outcome.fromVersion = outcome.toVersion = found;
    if (found < 0 || found > ServerSchema::kVersion) {
        if (found > ServerSchema::kVersion) {
            outcome.error = {PgError::Kind::Statement,
                             {},
                             QStringLiteral("the schema on the server is version %1, newer than "
                                            "this program's %2; nothing was changed")
                                 .arg(found)
                                 .arg(ServerSchema::kVersion)};
        }
        return outcome;
    }
    const auto& steps = migrationSteps();
    for (int step = found + 1; step <= ServerSchema::kVersion; ++step) {
        for (const char* statement : steps[static_cast<size_t>(step - 1)]) {
            PgResult result = connection.exec(statement);
            if (!result.ok()) {
                outcome.error = result.error();
                return outcome;
            }
        }
        // Prepared once the first step has made the table.
        outcome.error = connection.prepare(
            "nimbara_set_version", "UPDATE nimbara.schema_version SET version = $1::integer");
        if (outcome.error.failed()) {
            return outcome;
        }
        PgResult set = connection.execPrepared("nimbara_set_version", {QByteArray::number(step)});
        if (!set.ok()) {
            outcome.error = set.error();
            return outcome;
        }
        outcome.toVersion = step;
    }
    return outcome;
}

}  // namespace

int ServerSchema::version(PgConnection& connection, PgError* error) {
    PgResult table = connection.exec("SELECT to_regclass('nimbara.schema_version') IS NOT NULL");
    if (!table.ok()) {
        *error = table.error();
        return -1;
    }
    if (table.value(0, 0) != QLatin1String("t")) {
        return 0;
    }
    PgResult row = connection.exec("SELECT version FROM nimbara.schema_version");
    if (!row.ok()) {
        *error = row.error();
        return -1;
    }
    return row.rows() == 1 ? row.value(0, 0).toInt() : 0;
}

ServerSchema::Outcome ServerSchema::setUp(PgConnection& connection) {
    PgResult begun = connection.exec("BEGIN");
    if (!begun.ok()) {
        Outcome failed;
        failed.error = begun.error();
        return failed;
    }
    Outcome outcome = migrate(connection);
    PgResult ended = connection.exec(outcome.error.failed() ? "ROLLBACK" : "COMMIT");
    if (!outcome.error.failed() && !ended.ok()) {
        outcome.error = ended.error();
        outcome.toVersion = outcome.fromVersion;
    }
    if (outcome.error.failed()) {
        outcome.toVersion = outcome.fromVersion;
        outcome.rolesCreated.clear();
    }
    return outcome;
}

}  // namespace nimbara
