#pragma once

class QMenu;
class QWidget;

namespace nimbara::test {

// Input as the window system delivers it, where a window blocked by a modal dialog refuses it
// (an event sent straight to a widget would get through).

// Moves the pointer onto item position of the open menu, coming from outside the menu, so what
// the pointer did before does not matter.
void hoverMenuItem(QMenu* menu, int position);

// Clicks the middle of widget.
void clickThroughWindowSystem(QWidget* widget);

}  // namespace nimbara::test
