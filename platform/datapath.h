#pragma once

#include <QString>

namespace nimbara {

// The application directory: the process's current directory as the system reports it, with no
// trailing separator except at the root. Every data file of the program lies under it.
QString currentApplicationDirectory();

// Forms a data path by plain concatenation of the application directory and a relative text that
// begins with a backslash ("\HELP\CLASSIFY.CHM"); backslashes become the system's separator.
QString dataPath(const QString& applicationDirectory, const QString& relative);

}  // namespace nimbara
