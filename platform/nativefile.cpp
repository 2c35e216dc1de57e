#include "platform/nativefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace nimbara {

bool openForReading(QFile& file, const QByteArray& path) {
    // A zero byte would end the name early and open another file.
    if (path.isEmpty() || path.contains('\0')) {
        return false;
    }
#ifdef Q_OS_UNIX
    // QFile names are text: bytes that do not decode would be lost on the way, so the system
    // opens the bytes themselves and QFile takes the handle. Opened without blocking, so that a
    // named pipe nobody writes to is refused instead of waited on for good.
    const int handle = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (handle < 0) {
        return false;
    }
    // Only a regular file has an end and a size: a pipe or a device (/dev/zero) could be read
    // without end.
    struct stat status {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode) ||
        ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK) != 0 ||
        !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return false;
    }
    return true;
#else
    file.setFileName(QFile::decodeName(path));
    return QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly);
#endif
}

bool canOpenForReading(const QByteArray& path) {
    QFile file;
    return openForReading(file, path);
}

QString readWholeFile(const QString& path, qint64 limit, QByteArray& content) {
    QFile file;
    if (!openForReading(file, QFile::encodeName(path))) {
        const int error = errno;  // why the system did not open it, when it did not
        const QFileInfo info(path);
        return info.exists() && !info.isFile() ? QStringLiteral("not a regular file")
                                               : qt_error_string(error);
    }
    if (file.size() > limit) {
        return QString("larger than %1 MB").arg(limit / (1024 * 1024));
    }
    content = file.read(limit);
    if (file.error() != QFileDevice::NoError) {
        return file.errorString();
    }
    return {};
}

}  // namespace nimbara
