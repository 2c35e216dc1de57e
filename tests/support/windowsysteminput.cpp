#include "tests/support/windowsysteminput.h"

#include <QMenu>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace nimbara::test {

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
