#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace nimbara {

// Where an organisation names its record server: the first of the environment variable
// NIMBARA_RECORD_SERVER, $XDG_CONFIG_HOME/nimbara/record.conf (~/.config when unset or not
// absolute) and /etc/nimbara/record.conf that names one. A file names it with a line
// `server=<libpq connection URI>`; blank lines and lines starting with # are skipped, and the
// last server line counts. An empty value (the variable set to nothing, or `server=`) means "no
// server" and ends the lookup, so a user can turn off a server the machine names.
//
// Passwords never live in these places: libpq's ~/.pgpass (mode 0600), a service file or the
// server's peer or GSS authentication provide them. An address that carries one is refused.
class RecordServerConfig {
public:
    struct Lookup {
        QString uri;     // the server's address; empty when none is named or on error
        QString origin;  // where it was found: the variable's name or the file's path
        QString error;   // why the named address cannot be used; empty when it can

        bool named() const { return !uri.isEmpty(); }
    };

    static QString systemFile();  // /etc/nimbara/record.conf
    static QString userFile(const QProcessEnvironment& environment);

    // Finds the server address in environment, the user's file and systemFile, in that order.
    static Lookup find(const QProcessEnvironment& environment,
                       const QString& systemFile = RecordServerConfig::systemFile());

    // Why uri, found at origin, cannot be used: not a libpq connection string, or carrying a
    // password. Empty when it can.
    static QString checkUri(const QString& uri, const QString& origin);
};

}  // namespace nimbara
