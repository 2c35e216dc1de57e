#include "platform/filereplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace nimbara {

namespace {

#ifdef Q_OS_UNIX
mode_t modeOf(QFileDevice::Permissions permissions) {
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[] = {
        {QFileDevice::ReadOwner, S_IRUSR},  {QFileDevice::WriteOwner, S_IWUSR},
        {QFileDevice::ExeOwner, S_IXUSR},   {QFileDevice::ReadGroup, S_IRGRP},
        {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH},  {QFileDevice::WriteOther, S_IWOTH},
        {QFileDevice::ExeOther, S_IXOTH}};
    for (const auto& [permission, bit] : bits) {
        if (permissions.testFlag(permission)) {
            mode |= bit;
        }
    }
    return mode;
}

// Writes all of content to handle and syncs it to disk; errno tells why not.
bool writeWhole(int handle, const QByteArray& content) {
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t written = ::write(handle, content.constData() + done,
                                        static_cast<std::size_t>(content.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += written;
    }
    return ::fsync(handle) == 0;
}
#endif

}  // namespace

FileReplacement::FileReplacement(QString path) : m_path(std::move(path)) {}

FileReplacement::~FileReplacement() {
    discard();
}

void FileReplacement::discard() {
    if (!m_temporary.isEmpty()) {
        QFile::remove(m_temporary);
        m_temporary.clear();
    }
}

#ifdef Q_OS_UNIX

bool FileReplacement::write(const QByteArray& content) {
    discard();
    const QByteArray path = QFile::encodeName(m_path);
    struct stat old {};
    const bool regular = ::lstat(path.constData(), &old) == 0 && S_ISREG(old.st_mode);
    // A file its owner made read-only stays as it is, though its folder would let it be replaced.
    if (regular && ::access(path.constData(), W_OK) != 0) {
        m_error = qt_error_string(errno);
        return false;
    }
    const QFileInfo target(m_path);
    const QByteArray base =
        QFile::encodeName(QDir(target.absolutePath()).filePath('.' + target.fileName() + ".new-"));
    int handle = -1;
    QByteArray temporary;
    // A name of its own beside the file, made exclusively, so nothing is opened that was there.
    for (int attempt = 0; attempt < 100 && handle < 0; ++attempt) {
        temporary = base + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        handle = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                        0666);
        if (handle < 0 && errno != EEXIST) {
            break;
        }
    }
    if (handle < 0) {
        m_error = qt_error_string(errno);
        return false;
    }
    m_temporary = QFile::decodeName(temporary);
    bool done = true;
    if (m_permissions) {
        done = ::fchmod(handle, modeOf(*m_permissions)) == 0;
    } else if (regular) {
        done = ::fchmod(handle, old.st_mode & 07777) == 0;
    }
    done = done && writeWhole(handle, content);
    int error = errno;
    if (::close(handle) != 0 && done) {
        done = false;
        error = errno;
    }
    if (!done) {
        m_error = qt_error_string(error);
        discard();
    }
    return done;
}

bool FileReplacement::commit() {
    if (m_temporary.isEmpty()) {
        m_error = QStringLiteral("nothing was written");
        return false;
    }
    // rename() puts the new file in place of a link without following it.
    if (::rename(QFile::encodeName(m_temporary).constData(),
                 QFile::encodeName(m_path).constData()) != 0) {
        m_error = qt_error_string(errno);
        discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

#else

// Elsewhere the content is kept until the commit, which writes it with QSaveFile.
bool FileReplacement::write(const QByteArray& content) {
    m_pending = content;
    return true;
}

bool FileReplacement::commit() {
    QSaveFile file(m_path);
    const bool done = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                      file.write(m_pending) == m_pending.size() &&
                      (!m_permissions || file.setPermissions(*m_permissions)) && file.commit();
    if (!done) {
        m_error = file.errorString();
    }
    return done;
}

#endif

}  // namespace nimbara
