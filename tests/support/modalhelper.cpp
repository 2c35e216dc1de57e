#include "modalhelper.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace nimbara::test {

namespace {

void whenOpens(std::function<QWidget*()> find, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, find, action] {
        if (QWidget* window = find(); window != nullptr && window->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(window);
        }
    });
    timer->start();
}

}  // namespace

void whenModalOpens(std::function<void(QWidget*)> action) {
    whenOpens([] { return QApplication::activeModalWidget(); }, std::move(action));
}

void whenPopupOpens(std::function<void(QWidget*)> action) {
    whenOpens([] { return QApplication::activePopupWidget(); }, std::move(action));
}

}  // namespace nimbara::test
