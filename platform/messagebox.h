#pragma once

#include <QString>

class QWidget;

namespace nimbara {

enum class MbIcon { None, Stop, Question, Exclamation, Information };
enum class MbButtons { Ok, YesNo };
enum class MbAnswer { Ok, Yes, No };

// One message box as the program asks for it. owner null means a box with no owner window.
struct MessageBoxRequest {
    QWidget* owner = nullptr;
    QString text;
    QString caption;
    MbIcon icon = MbIcon::None;
    MbButtons buttons = MbButtons::Ok;
};

// Shows the program's message boxes. Every box of the program goes through the installed
// service; tests install a recorder in its place.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MbAnswer show(const MessageBoxRequest& request) = 0;

    // The installed service; the real one on the desktop unless another was installed.
    static MessageBoxService& current();
    // Installs service (not owned) in place of the current one; null restores the real one.
    // Returns the previous one.
    static MessageBoxService* install(MessageBoxService* service);
};

// The window that a box without owner is modal to while no dialog runs modally: the program's
// main window (null: such a box blocks the whole program). A box without owner never blocks the
// help windows, only the program window in use, so that it cannot be re-entered mid-action.
void setApplicationWindow(QWidget* window);

// Shows a box through the installed service and returns the answer.
MbAnswer messageBox(QWidget* owner, const QString& text, const QString& caption,
                    MbIcon icon = MbIcon::None, MbButtons buttons = MbButtons::Ok);

}  // namespace nimbara
