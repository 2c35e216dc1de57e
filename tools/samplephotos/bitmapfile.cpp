#include "bitmapfile.h"

#include <QSaveFile>

namespace nimbara {

QString saveBitmap(const QImage& image, const QString& path) {
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

}  // namespace nimbara
