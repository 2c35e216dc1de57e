#include "tools/common/bitmapfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace nimbara {

namespace {

QString writeBitmap(const QImage& image, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QString("cannot write %1: %2").arg(path, file.errorString());
    }
    const QImage trueColour = image.convertToFormat(QImage::Format_RGB888);
    if (!trueColour.save(&file, "BMP")) {
        file.cancelWriting();
        return QString("cannot encode %1 as a bitmap").arg(path);
    }
    if (!file.commit()) {
        return QString("cannot write %1: %2").arg(path, file.errorString());
    }
    return {};
}

}  // namespace

QString saveBitmap(const QImage& image, const QString& path) {
    const QFileInfo existing(path);
    if (!existing.isSymLink()) {
        return writeBitmap(image, path);
    }
    // A save through the link would land in the file it points to: that may be a shared,
    // installed picture that must stay as it is.
    const QString target = existing.symLinkTarget();
    if (!QFile::remove(path)) {
        return QString("cannot replace the link %1").arg(path);
    }
    const QString error = writeBitmap(image, path);
    if (!error.isEmpty()) {
        QFile::link(target, path);
    }
    return error;
}

}  // namespace nimbara
