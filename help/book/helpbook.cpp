#include "help/book/helpbook.h"

#include "help/book/chmbook.h"

#include <QFile>
#include <QFileInfo>

namespace nimbara {

namespace {

// The largest help file the viewer opens; a help book is a few hundred kilobytes.
constexpr qint64 kMaxBookSize = 256LL << 20;

}  // namespace

std::unique_ptr<HelpBook> HelpBook::loadFile(const QString& path, const ChmDecoderEntry& decoder,
                                             QString* errorString) {
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
    auto archive = ChmArchive::open(Bytes(content.begin(), content.end()), decoder, error);
    if (!archive) {
        *errorString = QString("The help file %1 cannot be shown. %2")
                           .arg(path, QString::fromStdString(error));
        return nullptr;
    }
    return std::make_unique<ChmBook>(std::move(archive), QFileInfo(path).fileName());
}

}  // namespace nimbara
