#include "messagebox.h"

#include <QMessageBox>

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

// The desktop's message boxes: modal to their owner, or application modal without one.
class DesktopMessageBoxService final : public MessageBoxService {
public:
    MbAnswer show(const MessageBoxRequest& request) override {
        QMessageBox box(qtIcon(request.icon), request.caption, request.text, QMessageBox::NoButton,
                        request.owner);
        if (request.buttons == MbButtons::YesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
        } else {
            box.setStandardButtons(QMessageBox::Ok);
        }
        box.setWindowModality(request.owner ? Qt::WindowModal : Qt::ApplicationModal);
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

MbAnswer messageBox(QWidget* owner, const QString& text, const QString& caption, MbIcon icon,
                    MbButtons buttons) {
    return MessageBoxService::current().show({owner, text, caption, icon, buttons});
}

}  // namespace nimbara
