#include "platform/nativefile.h"

#include <QFile>

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
    // opens the bytes themselves and QFile takes the handle.
    const int handle = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(handle, &status) != 0 || S_ISDIR(status.st_mode) ||
        !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return false;
    }
    return true;
#else
    file.setFileName(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly);
#endif
}

}  // namespace nimbara
