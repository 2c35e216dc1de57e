#pragma once

#include "record/server/pgerror.h"

#include <QStringList>

namespace nimbara {

class PgConnection;

// The record's tables on an organisation's server, in the schema `nimbara`, and the two group
// roles that govern them:
//   nimbara_trainee     a login role granted it inserts its own rounds and answers, ends its
//                       own rounds and reads only its own rows;
//   nimbara_instructor  reads every trainee's rows.
// The trainee of a row is the login role that inserted it (current_user); row-level security
// in the database, not this program, keeps trainees apart. The schema carries its version and
// moves up one step at a time, each run in one transaction with the roles.
class ServerSchema {
public:
    static constexpr int kVersion = 1;

    struct Outcome {
        PgError error;             // kind None on success
        int fromVersion = 0;       // the version found (0: no schema)
        int toVersion = 0;         // the version left behind
        QStringList rolesCreated;  // group roles that did not exist before
    };

    // Creates or migrates the schema and the group roles, in one transaction; running it again
    // changes nothing. The connecting role needs CREATEROLE (or to be a superuser) and the right
    // to create schemas in the database. A schema newer than this program knows is left as it is.
    static Outcome setUp(PgConnection& connection);

    // The schema version on the server: 0 when there is none, -1 with error set on failure.
    static int version(PgConnection& connection, PgError* error);
};

}  // namespace nimbara
