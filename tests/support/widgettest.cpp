#include "tests/support/widgettest.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace nimbara::test {

bool WidgetTest::waitUntil(const std::function<bool()>& condition,
                           std::chrono::milliseconds deadline) {
    return QTest::qWaitFor(condition, static_cast<int>(deadline.count()));
}

bool WidgetTest::showAndWait(QWidget& window) {
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

bool WidgetTest::hideAndWait(QWidget& window) {
    window.hide();
    return waitUntil([&window] {
        return window.windowHandle() == nullptr || !window.windowHandle()->isExposed();
    });
}

}  // namespace nimbara::test
