#pragma once

#include <QImage>
#include <QString>

namespace nimbara {

// A file larger than this is no photo: it is refused before it is read.
constexpr qint64 kMaxBitmapFileSize = 64 * 1024 * 1024;

// Loads a Windows bitmap (BMP) file. Returns a null image when the file cannot be opened as a
// regular file (openForReading: a pipe or a device is none), is larger than kMaxBitmapFileSize,
// or is refused by decodeWindowsBitmap.
QImage loadWindowsBitmap(const QString& path);

// Decodes the bytes of a Windows bitmap file. Returns a null image when they are not a bitmap,
// are shorter than the header says (a truncated copy: refused whole rather than shown in part),
// or describe a picture larger than a photo can sensibly be.
QImage decodeWindowsBitmap(const QByteArray& data);

// Whether data holds a complete bitmap as far as its header tells. Reads nothing beyond the data.
bool isCompleteWindowsBitmap(const QByteArray& data);

}  // namespace nimbara
