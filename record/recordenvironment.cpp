#include "record/recordenvironment.h"

#include <QDir>
#include <QStandardPaths>
#include <QUuid>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace nimbara {

namespace {

QString dataHome() {
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(configured)) {
        return configured;
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return QDir::homePath() + "/.local/share";
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
}

}  // namespace

QString defaultRecordPath() {
    return dataHome() + "/nimbara/record.sqlite";
}

QString loginName() {
#ifdef Q_OS_UNIX
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_name) {
        return QString::fromLocal8Bit(entry->pw_name);
    }
#endif
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty()) {
            return name;
        }
    }
    return "trainee";
}

QString recordId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString recordTimestamp(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODateWithMs);
}

}  // namespace nimbara
