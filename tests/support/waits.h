#pragma once

#include <chrono>
#include <functional>

class QWidget;

namespace nimbara::test {

// Waits that end as soon as what a test needs has happened, each with a deadline, so that a test
// neither sleeps for a guessed time nor counts event passes, and never hangs.

constexpr std::chrono::milliseconds kWaitDeadline = std::chrono::seconds(5);

// Handles events until condition holds or deadline has passed; whether it held. Returns at once,
// handling nothing, when it holds already.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = kWaitDeadline);

// Waits until everything posted to this thread's event queue so far has run: a marker posted now
// runs after all of it. This is how a test sees that something posted did NOT happen.
bool waitForPostedEvents(std::chrono::milliseconds deadline = kWaitDeadline);

// Whether the window system has window (a top-level widget) on screen.
bool isExposed(const QWidget& window);

// Waits until the window system has put window, shown by someone else, on screen.
bool waitUntilExposed(const QWidget& window, std::chrono::milliseconds deadline = kWaitDeadline);

// Shows window and waits until the window system has put it on screen.
bool showAndWait(QWidget& window);

// Hides window and waits until the window system has taken it off the screen.
bool hideAndWait(QWidget& window);

// Asks for window to become the active window and waits until it is: active for the window
// system and for the application, so that key events go to its focus widget.
bool activateAndWait(QWidget& window);

}  // namespace nimbara::test
