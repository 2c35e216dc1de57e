#include "help/book/helpshelf.h"

#include "help/book/chmarchive.h"
#include "help/book/chmbook.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>

namespace nimbara {

namespace {

// The largest help file the viewer opens; a help book is a few hundred kilobytes.
constexpr qint64 kMaxBookSize = 256LL << 20;

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
    QFile file(path);
    if (!file.exists()) {
        *errorString = QString("The help file %1 does not exist.").arg(path);
        return nullptr;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *errorString = QString("The help file %1 cannot be read: %2").arg(path, file.errorString());
        return nullptr;
    }
    if (file.size() > kMaxBookSize) {
        *errorString = QString("The help file %1 is too large to be a help file.").arg(path);
        return nullptr;
    }
    const QByteArray content = file.readAll();
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

}  // namespace nimbara
