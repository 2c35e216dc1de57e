#include "modalhelper.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace nimbara::test {

namespace {

// Long enough for a slow machine, short enough that a window that never opens fails the test
// instead of stopping the run, and never reaches into a later test.
constexpr int kDeadlineMilliseconds = 10000;

void whenOpens(std::function<QWidget*()> find, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    const QDeadlineTimer deadline(kDeadlineMilliseconds);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, find, action, deadline] {
        if (QWidget* window = find(); window != nullptr && window->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(window);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no window opened within " << kDeadlineMilliseconds << " ms";
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
