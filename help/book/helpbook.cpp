#include "help/book/helpbook.h"

#include "help/book/chmbook.h"
#include "platform/nativefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace nimbara {

namespace {

bool isHelpFileName(const QString& name) {
    return name.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive);
}

}  // namespace

std::unique_ptr<HelpBook> HelpBook::loadFile(const QString& path, const ChmDecoderEntry& decoder,
                                             QString* errorString) {
    QFile file;
    if (!openForReading(file, QFile::encodeName(path))) {
        const int error = errno;  // why the system did not open it, when it did not
        const QFileInfo info(path);
        if (!info.exists()) {
            *errorString = QString("The help file %1 does not exist.").arg(path);
        } else {
            *errorString = QString("The help file %1 cannot be read: %2")
                               .arg(path, info.isFile() ? qt_error_string(error)
                                                        : QString("not a regular file"));
        }
        return nullptr;
    }
    if (file.size() > kMaxFileSize) {
        *errorString = QString("The help file %1 is too large to be a help file.").arg(path);
        return nullptr;
    }
    // Bounded even if the file grows meanwhile.
    const QByteArray content = file.read(kMaxFileSize);
    if (file.error() != QFileDevice::NoError) {
        *errorString = QString("The help file %1 cannot be read: %2").arg(path, file.errorString());
        return nullptr;
    }
    std::string error;
    auto archive = ChmArchive::open(Bytes(content.begin(), content.end()), decoder, error);
    if (!archive) {
        *errorString = QString("The help file %1 cannot be shown. %2")
                           .arg(path, QString::fromStdString(error));
        return nullptr;
    }
    return std::make_unique<ChmBook>(std::move(archive), QFileInfo(path).fileName());
}

bool HelpBook::isBeside(const QString& currentBook, const QString& path, QString* errorString) {
    const QFileInfo current(QFileInfo(currentBook).canonicalFilePath());
    const QFileInfo named(QFileInfo(currentBook).absoluteDir(), path);
    const QString shownName = QDir::cleanPath(named.absoluteFilePath());
    // Where the links lead; empty when nothing is there.
    const QString target = named.canonicalFilePath();
    if (target.isEmpty()) {
        *errorString = QString("The help file %1 does not exist.").arg(shownName);
        return false;
    }
    if (current.fileName().isEmpty() || !isHelpFileName(named.fileName()) ||
        !isHelpFileName(target) || QFileInfo(target).path() != current.path()) {
        *errorString = QString("The link leads to %1, which is not a help file beside this one.")
                           .arg(shownName);
        return false;
    }
    return true;
}

}  // namespace nimbara
