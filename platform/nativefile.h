#pragma once

#include <QByteArray>
#include <QString>

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

// Reads the whole regular file at path (opened as openForReading does) into content, when it holds
// at most limit bytes. Returns what went wrong, in words that follow "cannot read <path>: "
// ("No such file or directory", "not a regular file", "larger than 16 MB"); empty on success.
QString readWholeFile(const QString& path, qint64 limit, QByteArray& content);

}  // namespace nimbara
