#include "help/book/helpshelf.h"

#include "help/book/chmarchive.h"
#include "help/book/chmbook.h"
#include "platform/nativefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <cerrno>

namespace nimbara {

namespace {

bool isHelpFileName(const QString& name) {
    return name.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive);
}

}  // namespace

HelpShelf::HelpShelf() = default;

HelpShelf::HelpShelf(std::shared_ptr<const ChmDecoderEntry> decoder)
    : m_decoder(std::move(decoder)) {}

HelpShelf HelpShelf::fromLibrary(QLibrary& library) {
    ChmDecoderEntry entry;
    entry.create =
        reinterpret_cast<decltype(entry.create)>(library.resolve("mspack_create_chm_decompressor"));
    entry.destroy = reinterpret_cast<decltype(entry.destroy)>(
        library.resolve("mspack_destroy_chm_decompressor"));
    if (!entry.isValid()) {
        return HelpShelf();
    }
    return HelpShelf(std::make_shared<const ChmDecoderEntry>(entry));
}

bool HelpShelf::canRead() const {
    return m_decoder != nullptr;
}

std::unique_ptr<HelpBook> HelpShelf::open(const QString& path, QString* errorString) const {
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
    auto archive = ChmArchive::open(Bytes(content.begin(), content.end()),
                                    m_decoder ? *m_decoder : ChmDecoderEntry{}, error);
    if (!archive) {
        *errorString = QString("The help file %1 cannot be shown. %2")
                           .arg(path, QString::fromStdString(error));
        return nullptr;
    }
    return std::make_unique<ChmBook>(std::move(archive), QFileInfo(path).fileName());
}

bool HelpShelf::isBeside(const QString& currentBook, const QString& path, QString* errorString) {
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
