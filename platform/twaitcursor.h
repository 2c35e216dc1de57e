#pragma once

#include <QGuiApplication>

namespace nimbara {

// Shows the wait cursor over the whole application while it lives: for commands that wait on
// the desktop or the file system.
class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace nimbara
