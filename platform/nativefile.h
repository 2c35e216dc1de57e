#pragma once

#include <QByteArray>

class QFile;

namespace nimbara {

// Opens the file named by path for reading. path holds the file system's own bytes, so names that
// are not valid in the system's text encoding open too. A path that is empty, holds a zero byte
// or names a folder is refused. On success file is open and owns its handle; on failure it is
// left closed.
bool openForReading(QFile& file, const QByteArray& path);

}  // namespace nimbara
