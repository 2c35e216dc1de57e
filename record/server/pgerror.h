#pragma once

#include <QString>

namespace nimbara {

// What went wrong in a talk with the record server. kind tells how the caller should react:
// a server that cannot be reached or a lost connection is tried again later, a refused login
// needs the user or the organisation to act, a refused statement is a fault of the data or the
// schema. text is libpq's or the server's own explanation, one line.
struct PgError {
    enum class Kind {
        None,          // no failure
        Unreachable,   // no server answered at the address
        LoginRefused,  // a server answered and refused the login (password, role, pg_hba, SSL)
        Lost,          // the connection broke while in use
        Statement,     // the server refused a statement; sqlState tells why
    };

    Kind kind = Kind::None;
    QString sqlState;  // five characters for Statement failures, else empty
    QString text;

    bool failed() const { return kind != Kind::None; }
};

}  // namespace nimbara
