#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A PostgreSQL 15 server of a test binary's own, in a temporary folder that goes with it: made
// with initdb, started and stopped with pg_ctl (every wait with a deadline), listening on a
// Unix socket in that folder and on a free loopback port. Run as root (as CI is), the server
// runs as the user nobody, who owns the folder; PostgreSQL refuses to run as root.
//
// The superuser nimbara_admin logs in over the socket without a password; every other role
// logs in with a password over the socket or the port, which the tests keep in a passfile of
// the folder, as a user's ~/.pgpass would.
class TestPostgres {
public:
    TestPostgres();
    ~TestPostgres();  // stops the server and removes the folder

    // Makes the cluster on the first call and starts the server. Returns why it failed.
    QString start();
    // Stops the server: "fast" ends the sessions cleanly, "immediate" as a crash would.
    QString stop(const char* mode = "fast");
    bool running() const { return m_running; }

    QString folder() const { return m_folder->path(); }
    int port() const { return m_port; }
    // A connection URI for user on database over the socket, passwords from the passfile.
    QString uri(const QString& database, const QString& user) const;
    // The same over the loopback port.
    QString tcpUri(const QString& database, const QString& user) const;
    QString adminUri(const QString& database = QStringLiteral("postgres")) const;

    // A new, empty database with a name of its own. Returns it, or empty on failure.
    QString createDatabase();
    // A login role with a name of its own (starting with prefix), a password in the passfile,
    // and membership of group when given. Returns the name, or empty on failure.
    QString createLogin(const QString& prefix, const QString& group = {});
    // A statement of the superuser on database; returns the error text, empty on success.
    QString adminExec(const QString& database, const QString& sql);
    // A statement that names objects, made by the server's format() from pattern and the
    // names (%I quotes an identifier, %L a literal), then run as adminExec.
    QString adminExecFormatted(const QString& database, const QString& pattern,
                               const QStringList& names);
    // The first column of the first row of a superuser query, as text.
    QString adminValue(const QString& database, const QString& sql);

    static QString passwordOf(const QString& role) { return role + QStringLiteral("-secret"); }

private:
    QString run(const QStringList& command, int seconds);
    QString initialise();
    QString passfile() const;

    std::unique_ptr<QTemporaryDir> m_folder;
    int m_port = 0;
    bool m_initialised = false;
    bool m_running = false;
    int m_serial = 0;
};
