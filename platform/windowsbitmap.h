#pragma once

#include <QImage>
#include <QString>

namespace nimbara {

// Loads a Windows bitmap (BMP) file. Returns a null image when the file cannot be read, is not
// a bitmap, or is shorter than its header says (a truncated copy): such a file is refused
// whole rather than shown in part.
QImage loadWindowsBitmap(const QString& path);

// Whether data holds a complete bitmap as far as its header tells.
bool isCompleteWindowsBitmap(const QByteArray& data);

}  // namespace nimbara
