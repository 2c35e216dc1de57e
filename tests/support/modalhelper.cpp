#include "modalhelper.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace nimbara::test {

namespace {

constexpr int kDeadlineMs = 10000;

void whenOpens(const char* what, std::function<QWidget*()> find,
               std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    const QDeadlineTimer deadline(kDeadlineMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, what, deadline, find, action] {
        if (QWidget* window = find(); window != nullptr && window->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(window);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no " << what << " opened within " << kDeadlineMs << " ms";
        }
    });
    timer->start();
}

}  // namespace

void whenModalOpens(std::function<void(QWidget*)> action) {
    whenOpens(
        "modal window", [] { return QApplication::activeModalWidget(); }, std::move(action));
}

void whenPopupOpens(std::function<void(QWidget*)> action) {
    whenOpens(
        "popup menu", [] { return QApplication::activePopupWidget(); }, std::move(action));
}

void hoverMenuItem(QMenu* menu, int position) {
    QWindow* window = menu->windowHandle();
    QTest::mouseMove(window, QPoint(-10, -10));
    QTest::mouseMove(window, menu->actionGeometry(menu->actions().at(position)).center());
}

void clickThroughWindowSystem(QWidget* widget) {
    QWindow* window = widget->window()->windowHandle();
    const QPoint at = widget->mapTo(widget->window(), widget->rect().center());
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace nimbara::test
