#pragma once

#include <functional>

class QMenu;
class QWidget;

namespace nimbara::test {

// Acts on the next modal window (a dialog run with exec()) once it is open: action receives the
// window and must close it. Polls until one appears; if none opens within the deadline the test
// fails and the poll stops, so it can never act on a later test's window.
void whenModalOpens(std::function<void(QWidget*)> action);

// Acts on the next popup menu once it is open; action must close it. Same deadline.
void whenPopupOpens(std::function<void(QWidget*)> action);

// Moves the pointer onto item position of the open menu the way the window system does, coming
// from outside the menu, so what the pointer did before does not matter.
void hoverMenuItem(QMenu* menu, int position);

// Clicks widget through the window system, where a window blocked by a modal dialog refuses it
// (a direct event to the widget would get through).
void clickThroughWindowSystem(QWidget* widget);

}  // namespace nimbara::test
