#include "platform/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace nimbara {

namespace {

QMessageBox::Icon qtIcon(MbIcon icon) {
    switch (icon) {
        case MbIcon::Stop:
            return QMessageBox::Critical;
        case MbIcon::Question:
            return QMessageBox::Question;
        case MbIcon::Exclamation:
            return QMessageBox::Warning;
        case MbIcon::Information:
            return QMessageBox::Information;
        case MbIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QPointer<QWidget> applicationWindow;

// The window a box is modal to: its owner; without one, the dialog that runs modally, else the
// program's main window.
QWidget* modalParent(const MessageBoxRequest& request) {
    if (request.owner != nullptr) {
        return request.owner;
    }
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        return dialog;
    }
    return applicationWindow;
}

// The desktop's message boxes: modal to their owner (and its owners) only.
class DesktopMessageBoxService final : public MessageBoxService {
public:
    MbAnswer show(const MessageBoxRequest& request) override {
        QWidget* parent = modalParent(request);
        QMessageBox box(qtIcon(request.icon), request.caption, request.text, QMessageBox::NoButton,
                        parent);
        if (request.buttons == MbButtons::YesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
        } else {
            box.setStandardButtons(QMessageBox::Ok);
        }
        box.setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
        const int answer = box.exec();
        if (request.buttons == MbButtons::Ok) {
            return MbAnswer::Ok;
        }
        return answer == QMessageBox::Yes ? MbAnswer::Yes : MbAnswer::No;
    }
};

DesktopMessageBoxService& desktopService() {
    static DesktopMessageBoxService service;
    return service;
}

MessageBoxService* installedService = nullptr;

}  // namespace

MessageBoxService& MessageBoxService::current() {
    return installedService ? *installedService : desktopService();
}

MessageBoxService* MessageBoxService::install(MessageBoxService* service) {
    MessageBoxService* previous = installedService;
    installedService = service;
    return previous;
}

void setApplicationWindow(QWidget* window) {
    applicationWindow = window;
}

MbAnswer messageBox(QWidget* owner, const QString& text, const QString& caption, MbIcon icon,
                    MbButtons buttons) {
    return MessageBoxService::current().show({owner, text, caption, icon, buttons});
}

}  // namespace nimbara
