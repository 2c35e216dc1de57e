#include "tests/support/waits.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace nimbara::test {

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    if (condition()) {
        return true;
    }
    const QDeadlineTimer end(deadline);
    // Wakes the loop now and then for a condition that changes without an event of this thread
    // (another thread, another process, the deadline itself).
    QTimer wake;
    wake.start(5);
    while (!end.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (condition()) {
            return true;
        }
    }
    return condition();
}

bool waitForPostedEvents(std::chrono::milliseconds deadline) {
    // The marker's call goes with its context object, so a marker that has not run by the deadline
    // never runs.
    QObject context;
    bool ran = false;
    QMetaObject::invokeMethod(
        &context, [&ran] { ran = true; }, Qt::QueuedConnection);
    return waitUntil([&ran] { return ran; }, deadline);
}

bool isExposed(const QWidget& window) {
    return window.windowHandle() != nullptr && window.windowHandle()->isExposed();
}

bool waitUntilExposed(const QWidget& window, std::chrono::milliseconds deadline) {
    return waitUntil([&window] { return isExposed(window); }, deadline);
}

bool showAndWait(QWidget& window) {
    window.show();
    return waitUntilExposed(window);
}

bool hideAndWait(QWidget& window) {
    window.hide();
    return waitUntil([&window] { return !isExposed(window); });
}

bool activateAndWait(QWidget& window) {
    window.activateWindow();
    return waitUntil([&window] {
        return window.windowHandle() != nullptr && window.windowHandle()->isActive() &&
               QApplication::activeWindow() == &window;
    });
}

}  // namespace nimbara::test
