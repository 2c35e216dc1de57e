#include "tools/common/bitmapfile.h"

#include "platform/filereplacement.h"

#include <QBuffer>

namespace nimbara {

QByteArray bitmapBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) {
        return {};
    }
    return bytes;
}

QString saveBitmap(const QImage& image, const QString& path) {
    const QByteArray bytes = bitmapBytes(image);
    if (bytes.isEmpty()) {
        return QString("cannot encode %1 as a bitmap").arg(path);
    }
    // A save through a link would land in the file it points to: that may be a shared,
    // installed picture that must stay as it is. The replacement puts a file in the link's place.
    FileReplacement file(path);
    if (!file.write(bytes) || !file.commit()) {
        return QString("cannot write %1: %2").arg(path, file.errorString());
    }
    return {};
}

}  // namespace nimbara
