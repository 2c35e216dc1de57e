#pragma once

#include <QByteArray>

class QFile;

namespace nimbara {

// Opens the file named by path for reading. path holds the file system's own bytes, so names that
// are not valid in the system's text encoding open too. Only a regular file opens, directly or
// through links: a path that is empty, holds a zero byte or names a folder, a named pipe or a
// device is refused, and the call never waits (a pipe nobody writes to is not waited on). On
// success file is open and owns its handle; on failure it is left closed.
bool openForReading(QFile& file, const QByteArray& path);

// Whether openForReading would open path: it is opened and closed again.
bool canOpenForReading(const QByteArray& path);

}  // namespace nimbara
