#include "windowsbitmap.h"

#include <QFile>
#include <QtEndian>

#include <cstdlib>

namespace nimbara {

namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr quint32 kCoreHeaderSize = 12;
constexpr quint32 kRgb = 0;
constexpr quint32 kBitFields = 3;

quint32 u32(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint32>(data.constData() + at);
}

quint16 u16(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint16>(data.constData() + at);
}

// Bytes the header says the file needs: where the pixels start plus their size.
qint64 requiredSize(const QByteArray& data) {
    const qint64 pixelsAt = u32(data, 10);
    const quint32 infoSize = u32(data, kFileHeaderSize);
    if (infoSize == kCoreHeaderSize) {
        const qint64 stride = (qint64{u16(data, 18)} * u16(data, 24) + 31) / 32 * 4;
        return pixelsAt + stride * u16(data, 20);
    }
    if (data.size() < kFileHeaderSize + 40) {
        return -1;
    }
    const qint64 width = std::abs(qint64{static_cast<qint32>(u32(data, 18))});
    const qint64 height = std::abs(qint64{static_cast<qint32>(u32(data, 22))});
    const qint64 bitsPerPixel = u16(data, 28);
    const quint32 compression = u32(data, 30);
    if (compression == kRgb || compression == kBitFields) {
        return pixelsAt + (width * bitsPerPixel + 31) / 32 * 4 * height;
    }
    return pixelsAt + u32(data, 34);  // compressed: the stored image size
}

}  // namespace

bool isCompleteWindowsBitmap(const QByteArray& data) {
    if (data.size() < kFileHeaderSize + 4 || !data.startsWith("BM")) {
        return false;
    }
    const qint64 required = requiredSize(data);
    return required > 0 && required <= data.size();
}

QImage loadWindowsBitmap(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray data = file.readAll();
    if (!isCompleteWindowsBitmap(data)) {
        return {};
    }
    return QImage::fromData(data, "BMP");
}

}  // namespace nimbara
