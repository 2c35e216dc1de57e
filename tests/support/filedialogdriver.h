#pragma once

#include <QString>

class QWidget;

namespace nimbara::test {

// Drives an open file dialog as a user does: goes to the folder of path (a full path; a bare
// name stays in the dialog's folder), gives the file name field the focus, types the name over
// what the field offers and presses Open. A dialog that stays open (it refused the name) is
// cancelled, so that a test never hangs. Returns whether it stayed open.
bool openInFileDialog(QWidget* dialog, const QString& path);

}  // namespace nimbara::test
