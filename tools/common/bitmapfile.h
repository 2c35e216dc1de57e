// Writes a picture as a Windows bitmap with 24 bits per pixel, replacing the file only once the
// whole picture is written.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace nimbara {

// image as the bytes of a Windows bitmap file with 24 bits per pixel; empty when it cannot be
// encoded.
QByteArray bitmapBytes(const QImage& image);

// Returns an empty string on success, otherwise what went wrong. The file is replaced only once
// the whole picture is on disk (a full disk leaves the old file whole); when path is a symbolic
// link, the link itself is replaced by the new file and whatever it pointed to stays as it was.
QString saveBitmap(const QImage& image, const QString& path);

}  // namespace nimbara
