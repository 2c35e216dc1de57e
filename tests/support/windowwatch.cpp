#include "tests/support/windowwatch.h"

#include <QApplication>
#include <QDialog>

namespace nimbara::test {

WindowWatch::WindowWatch(Kind kind, std::function<void(QWidget*)> action,
                         std::chrono::milliseconds deadline)
    : m_kind(kind), m_action(std::move(action)) {
    m_poll.setInterval(5);
    QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
    m_poll.start();
    m_deadline.setSingleShot(true);
    QObject::connect(&m_deadline, &QTimer::timeout, [this] { expire(); });
    m_deadline.start(deadline);
}

WindowWatch::~WindowWatch() = default;

QWidget* WindowWatch::openWindow() const {
    QWidget* window = m_kind == Kind::Modal ? QApplication::activeModalWidget()
                                            : QApplication::activePopupWidget();
    return window != nullptr && window->isVisible() ? window : nullptr;
}

void WindowWatch::poll() {
    if (QWidget* window = openWindow()) {
        m_poll.stop();
        m_acted = true;
        m_actedOn = window;
        m_action(window);
    }
}

void WindowWatch::expire() {
    m_poll.stop();
    QWidget* window = m_acted ? m_actedOn.data() : openWindow();
    if (window == nullptr || !window->isVisible()) {
        m_expired = !m_acted;
        return;
    }
    m_expired = true;
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->reject();
    } else {
        window->close();
    }
}

}  // namespace nimbara::test
