// Writes a picture as a Windows bitmap with 24 bits per pixel, replacing the file only once the
// whole picture is written.
#pragma once

#include <QImage>
#include <QString>

namespace nimbara {

// Returns an empty string on success, otherwise what went wrong.
QString saveBitmap(const QImage& image, const QString& path);

}  // namespace nimbara
