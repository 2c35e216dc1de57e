#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>

namespace nimbara::test {

// Acts on the next modal dialog or popup menu once it is open (polling every 5 ms); the action
// must close it. If nothing opens by the deadline, or the action leaves its window open, the
// watch closes whatever of its kind is open, so that exec() returns, and expired() says so.
// Polling and the deadline end with the watch.
class WindowWatch {
public:
    enum class Kind { Modal, Popup };

    WindowWatch(Kind kind, std::function<void(QWidget*)> action,
                std::chrono::milliseconds deadline = std::chrono::seconds(10));
    ~WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    bool acted() const { return m_acted; }
    bool expired() const { return m_expired; }

private:
    QWidget* openWindow() const;
    void poll();
    void expire();

    Kind m_kind;
    std::function<void(QWidget*)> m_action;
    QTimer m_poll;
    QTimer m_deadline;
    QPointer<QWidget> m_actedOn;
    bool m_acted = false;
    bool m_expired = false;
};

}  // namespace nimbara::test
