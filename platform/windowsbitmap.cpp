#include "platform/windowsbitmap.h"

#include "platform/nativefile.h"

#include <QFile>
#include <QtEndian>

#include <cstdlib>
#include <optional>

namespace nimbara {

namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr quint32 kCoreHeaderSize = 12;
constexpr quint32 kInfoHeaderSize = 40;
constexpr quint32 kRgb = 0;
constexpr quint32 kBitFields = 3;
// Far beyond a photo's 400 x 250, yet small enough that no size below can overflow.
constexpr qint64 kMaxSide = 32768;

// The little-endian field of type T at offset at; nullopt when the data ends before it.
template <typename T>
std::optional<T> field(const QByteArray& data, qsizetype at) {
    if (at < 0 || data.size() - at < static_cast<qsizetype>(sizeof(T))) {
        return std::nullopt;
    }
    return qFromLittleEndian<T>(data.constData() + at);
}

// What the header says of the picture.
struct BitmapHeader {
    qint64 pixelsAt;
    qint64 width;
    qint64 height;
    qint64 bitsPerPixel;
    quint32 compression;
    qint64 storedImageSize;
};

std::optional<BitmapHeader> readHeader(const QByteArray& data) {
    const auto pixelsAt = field<quint32>(data, 10);
    const auto infoSize = field<quint32>(data, kFileHeaderSize);
    if (!pixelsAt || !infoSize) {
        return std::nullopt;
    }
    if (*infoSize == kCoreHeaderSize) {
        const auto width = field<quint16>(data, 18);
        const auto height = field<quint16>(data, 20);
        const auto bits = field<quint16>(data, 24);
        if (!width || !height || !bits) {
            return std::nullopt;
        }
        return BitmapHeader{*pixelsAt, *width, *height, *bits, kRgb, 0};
    }
    if (*infoSize < kInfoHeaderSize) {
        return std::nullopt;
    }
    const auto width = field<qint32>(data, 18);
    const auto height = field<qint32>(data, 22);
    const auto bits = field<quint16>(data, 28);
    const auto compression = field<quint32>(data, 30);
    const auto imageSize = field<quint32>(data, 34);
    if (!width || !height || !bits || !compression || !imageSize) {
        return std::nullopt;
    }
    return BitmapHeader{
        *pixelsAt, std::abs(qint64{*width}), std::abs(qint64{*height}), *bits, *compression,
        *imageSize};
}

// Bytes the file needs by its header: where the pixels start plus their size. nullopt for a
// picture too large to be a photo, whose size is not worth computing.
std::optional<qint64> requiredSize(const BitmapHeader& header) {
    if (header.width > kMaxSide || header.height > kMaxSide) {
        return std::nullopt;
    }
    if (header.compression != kRgb && header.compression != kBitFields) {
        return header.pixelsAt + header.storedImageSize;
    }
    // At most 32768 x 65535 bits a row and 32768 rows: well inside 64 bits.
    const qint64 stride = (header.width * header.bitsPerPixel + 31) / 32 * 4;
    return header.pixelsAt + stride * header.height;
}

}  // namespace

bool isCompleteWindowsBitmap(const QByteArray& data) {
    if (!data.startsWith("BM")) {
        return false;
    }
    const std::optional<BitmapHeader> header = readHeader(data);
    if (!header) {
        return false;
    }
    const std::optional<qint64> required = requiredSize(*header);
    return required && *required > 0 && *required <= data.size();
}

QImage decodeWindowsBitmap(const QByteArray& data) {
    if (!isCompleteWindowsBitmap(data)) {
        return {};
    }
    return QImage::fromData(data, "BMP");
}

QImage loadWindowsBitmap(const QString& path) {
    QFile file;
    if (!openForReading(file, QFile::encodeName(path)) || file.size() > kMaxBitmapFileSize) {
        return {};
    }
    // Read with the same bound, should the file grow after its size was taken.
    return decodeWindowsBitmap(file.read(kMaxBitmapFileSize));
}

}  // namespace nimbara
