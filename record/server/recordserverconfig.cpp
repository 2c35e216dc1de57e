#include "record/server/recordserverconfig.h"

#include <QDir>
#include <QFile>

#include <libpq-fe.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

namespace nimbara {

namespace {

const char* const kVariable = "NIMBARA_RECORD_SERVER";
constexpr qsizetype kMaxFileBytes = 64 * 1024;

// The file's bytes, or why it cannot be read. Only a regular file is read, opened without
// blocking (a FIFO put in its place cannot hang the program) and read up to a bound.
struct FileText {
    bool exists = false;
    QByteArray bytes;
    QString error;
};

FileText readConfigFile(const QString& path) {
    FileText text;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        text.exists = errno != ENOENT && errno != ENOTDIR;
        text.error = QString::fromLocal8Bit(std::strerror(errno));
        return text;
    }
    text.exists = true;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        text.error = QStringLiteral("not a regular file");
    } else if (status.st_size > kMaxFileBytes) {
        text.error = QStringLiteral("larger than %1 bytes").arg(kMaxFileBytes);
    } else {
        text.bytes.resize(kMaxFileBytes + 1);
        const ssize_t got = ::read(fd, text.bytes.data(), static_cast<size_t>(text.bytes.size()));
        if (got < 0 || got > kMaxFileBytes) {
            text.error = got < 0 ? QString::fromLocal8Bit(std::strerror(errno))
                                 : QStringLiteral("larger than %1 bytes").arg(kMaxFileBytes);
        }
        text.bytes.resize(got < 0 ? 0 : got);
    }
    ::close(fd);
    return text;
}

// The value of the last `server=` line, or nothing when no line names the key.
std::optional<QString> serverLine(const QByteArray& bytes) {
    std::optional<QString> server;
    for (const QByteArray& rawLine : bytes.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        const qsizetype equals = line.indexOf('=');
        if (line.isEmpty() || line.startsWith('#') || equals < 0) {
            continue;
        }
        if (line.left(equals).trimmed() == "server") {
            server = QString::fromUtf8(line.mid(equals + 1).trimmed());
        }
    }
    return server;
}

RecordServerConfig::Lookup named(const QString& uri, const QString& origin) {
    return {uri, origin, uri.isEmpty() ? QString() : RecordServerConfig::checkUri(uri, origin)};
}

}  // namespace

QString RecordServerConfig::systemFile() {
    return QStringLiteral("/etc/nimbara/record.conf");
}

QString RecordServerConfig::userFile(const QProcessEnvironment& environment) {
    QString base = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (!QDir::isAbsolutePath(base)) {
        base = environment.value(QStringLiteral("HOME")) + QStringLiteral("/.config");
    }
    return QDir::cleanPath(base + QStringLiteral("/nimbara/record.conf"));
}

RecordServerConfig::Lookup RecordServerConfig::find(const QProcessEnvironment& environment,
                                                    const QString& systemFile) {
    if (environment.contains(QLatin1String(kVariable))) {
        return named(environment.value(QLatin1String(kVariable)).trimmed(),
                     QStringLiteral("the environment variable %1").arg(kVariable));
    }
    for (const QString& path : {userFile(environment), systemFile}) {
        const FileText text = readConfigFile(path);
        if (!text.error.isEmpty()) {
            if (!text.exists) {
                continue;
            }
            return {{}, path, QStringLiteral("Cannot read %1: %2.").arg(path, text.error)};
        }
        if (const std::optional<QString> server = serverLine(text.bytes)) {
            return named(*server, path);
        }
    }
    return {};
}

QString RecordServerConfig::checkUri(const QString& uri, const QString& origin) {
    char* error = nullptr;
    std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(
        PQconninfoParse(uri.toUtf8().constData(), &error), &PQconninfoFree);
    if (!options) {
        const QString reason = error ? QString::fromUtf8(error).trimmed() : QStringLiteral("?");
        PQfreemem(error);
        return QStringLiteral(
                   "The record server named in %1 is not a connection address "
                   "PostgreSQL understands: %2")
            .arg(origin, reason);
    }
    for (const PQconninfoOption* option = options.get(); option->keyword; ++option) {
        if (qstrcmp(option->keyword, "password") == 0 && option->val && *option->val) {
            return QStringLiteral(
                       "The record server named in %1 carries a password. Passwords are never "
                       "kept there: remove it from the address and put it in ~/.pgpass (mode "
                       "0600) or a service file.")
                .arg(origin);
        }
    }
    return {};
}

}  // namespace nimbara
