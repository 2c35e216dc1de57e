// Writes a picture as a Windows bitmap with 24 bits per pixel, replacing the file only once the
// whole picture is written.
#pragma once

#include <QImage>
#include <QString>

namespace nimbara {

// Returns an empty string on success, otherwise what went wrong. When path is a symbolic link,
// the link itself is replaced by the new file and whatever it pointed to stays as it was; when
// the write fails, the link is put back.
QString saveBitmap(const QImage& image, const QString& path);

}  // namespace nimbara
