#include "tests/server/testpostgres.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <libpq-fe.h>

#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* const kAdmin = "nimbara_admin";

QString binary(const char* name) {
    const QString folder = qEnvironmentVariable("NIMBARA_PG_BIN", "/usr/lib/postgresql/15/bin");
    return folder + '/' + QLatin1String(name);
}

// A loopback port nothing listens on now.
int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}

// The user the server runs as: nobody when this process is root, else this process's user.
struct ServerUser {
    uid_t uid;
    gid_t gid;
};
ServerUser serverUser() {
    if (::geteuid() != 0) {
        return {::geteuid(), ::getegid()};
    }
    const passwd* nobody = ::getpwnam("nobody");
    return nobody ? ServerUser{nobody->pw_uid, nobody->pw_gid} : ServerUser{65534, 65534};
}

// A superuser connection, closed with the object.
class AdminConnection {
public:
    explicit AdminConnection(const QString& uri) : m_conn(PQconnectdb(uri.toUtf8().constData())) {}
    ~AdminConnection() { PQfinish(m_conn); }
    AdminConnection(const AdminConnection&) = delete;
    AdminConnection& operator=(const AdminConnection&) = delete;

    QString error() const {
        return PQstatus(m_conn) == CONNECTION_OK ? QString()
                                                 : QString::fromUtf8(PQerrorMessage(m_conn));
    }
    PGconn* get() const { return m_conn; }

private:
    PGconn* m_conn;
};

// The error of result, empty when it succeeded; frees it unless value is given.
QString resultError(PGresult* result, QString* value = nullptr) {
    const ExecStatusType status = PQresultStatus(result);
    QString error;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        error = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
    } else if (value && PQntuples(result) > 0) {
        *value = QString::fromUtf8(PQgetvalue(result, 0, 0));
    }
    PQclear(result);
    return error;
}

}  // namespace

// Under root the server's user must reach the folder, which a private TMPDIR may not allow.
TestPostgres::TestPostgres()
    : m_folder(std::make_unique<QTemporaryDir>(
          (::geteuid() == 0 ? QStringLiteral("/tmp") : QDir::tempPath()) + "/nimbara-pg-XXXXXX")) {}

TestPostgres::~TestPostgres() {
    if (m_running) {
        stop();
    }
}

QString TestPostgres::run(const QStringList& command, int seconds) {
    QProcess process;
    const ServerUser user = serverUser();
    process.setChildProcessModifier([user] {
        if (::geteuid() == 0) {
            // Drop root for good: groups first, then the group, then the user.
            if (::setgroups(0, nullptr) != 0 || ::setgid(user.gid) != 0 ||
                ::setuid(user.uid) != 0) {
                ::_exit(125);
            }
        }
    });
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");
    environment.insert("HOME", folder());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(seconds * 1000)) {
        process.kill();
        process.waitForFinished(5000);
        return command.first() + " did not finish in time: " + process.readAll();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return command.join(' ') + " failed: " + process.readAll();
    }
    return {};
}

QString TestPostgres::initialise() {
    if (!m_folder->isValid()) {
        return "cannot make a temporary folder";
    }
    const ServerUser user = serverUser();
    const QByteArray path = QFile::encodeName(folder());
    if (::chown(path.constData(), user.uid, user.gid) != 0) {
        return "cannot give the folder to the server's user";
    }
    m_port = freePort();
    const QString data = folder() + "/data";
    if (QString error =
            run({binary("initdb"), "-D", data, "-U", kAdmin, "--auth-local=trust",
                 "--auth-host=scram-sha-256", "--encoding=UTF8", "--locale=C", "--no-sync"},
                120);
        !error.isEmpty()) {
        return error;
    }
    // Only the superuser is trusted; everyone else gives a password, as on a real server.
    QFile hba(data + "/pg_hba.conf");
    QFile conf(data + "/postgresql.conf");
    if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !conf.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return "cannot write the server's configuration";
    }
    hba.write(QByteArray("local all ") + kAdmin +
              " trust\n"
              "local all all scram-sha-256\n"
              "host all all 127.0.0.1/32 scram-sha-256\n");
    conf.write(QString("\nlisten_addresses = '127.0.0.1'\nport = %1\n"
                       "unix_socket_directories = '%2'\nfsync = off\nmax_connections = 120\n")
                   .arg(m_port)
                   .arg(folder())
                   .toUtf8());
    hba.close();
    conf.close();
    QFile pass(passfile());
    if (!pass.open(QIODevice::WriteOnly) ||
        !pass.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
        return "cannot make the passfile";
    }
    m_initialised = true;
    return {};
}

QString TestPostgres::start() {
    if (!m_initialised) {
        if (QString error = initialise(); !error.isEmpty()) {
            return error;
        }
    }
    const QString data = folder() + "/data";
    QString error = run(
        {binary("pg_ctl"), "start", "-D", data, "-w", "-t", "60", "-l", folder() + "/server.log"},
        90);
    m_running = error.isEmpty();
    return error;
}

QString TestPostgres::stop(const char* mode) {
    const QString error =
        run({binary("pg_ctl"), "stop", "-D", folder() + "/data", "-m", mode, "-w", "-t", "60"}, 90);
    m_running = !error.isEmpty() && m_running;
    return error;
}

QString TestPostgres::passfile() const {
    return folder() + "/pgpass";
}

QString TestPostgres::uri(const QString& database, const QString& user) const {
    return QString("postgresql:///%1?host=%2&port=%3&user=%4&passfile=%5")
        .arg(database, folder())
        .arg(m_port)
        .arg(user, passfile());
}

QString TestPostgres::tcpUri(const QString& database, const QString& user) const {
    return QString("postgresql://127.0.0.1:%1/%2?user=%3&passfile=%4")
        .arg(m_port)
        .arg(database, user, passfile());
}

QString TestPostgres::adminUri(const QString& database) const {
    return uri(database, kAdmin);
}

QString TestPostgres::adminExec(const QString& database, const QString& sql) {
    AdminConnection connection(adminUri(database));
    if (QString error = connection.error(); !error.isEmpty()) {
        return error;
    }
    return resultError(PQexec(connection.get(), sql.toUtf8().constData()));
}

QString TestPostgres::adminValue(const QString& database, const QString& sql) {
    AdminConnection connection(adminUri(database));
    QString value;
    if (connection.error().isEmpty()) {
        resultError(PQexec(connection.get(), sql.toUtf8().constData()), &value);
    }
    return value;
}

QString TestPostgres::adminExecFormatted(const QString& database, const QString& pattern,
                                         const QStringList& names) {
    AdminConnection connection(adminUri(database));
    if (QString error = connection.error(); !error.isEmpty()) {
        return error;
    }
    QString format = "SELECT format($1";
    QList<QByteArray> values{pattern.toUtf8()};
    for (const QString& name : names) {
        format += QString(", $%1::text").arg(values.size() + 1);
        values << name.toUtf8();
    }
    format += ")";
    std::vector<const char*> pointers;
    for (const QByteArray& value : values) {
        pointers.push_back(value.constData());
    }
    QString statement;
    if (QString error = resultError(PQexecParams(connection.get(), format.toUtf8().constData(),
                                                 static_cast<int>(pointers.size()), nullptr,
                                                 pointers.data(), nullptr, nullptr, 0),
                                    &statement);
        !error.isEmpty()) {
        return error;
    }
    return resultError(PQexec(connection.get(), statement.toUtf8().constData()));
}

QString TestPostgres::createDatabase() {
    const QString name = QString("record_%1").arg(++m_serial);
    return adminExecFormatted("postgres", "CREATE DATABASE %I", {name}).isEmpty() ? name
                                                                                  : QString();
}

QString TestPostgres::createLogin(const QString& prefix, const QString& group) {
    const QString name = QString("%1_%2").arg(prefix).arg(++m_serial);
    const QString error =
        group.isEmpty()
            ? adminExecFormatted("postgres", "CREATE ROLE %I LOGIN PASSWORD %L",
                                 {name, passwordOf(name)})
            : adminExecFormatted("postgres", "CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I",
                                 {name, passwordOf(name), group});
    QFile pass(passfile());
    if (!error.isEmpty() || !pass.open(QIODevice::Append)) {
        return {};
    }
    pass.write(QString("*:*:*:%1:%2\n").arg(name, passwordOf(name)).toUtf8());
    return name;
}
