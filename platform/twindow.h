#pragma once

#include <QWidget>

namespace nimbara {

// A window that is the client of a frame: it answers the frame's menu commands through its
// response table, is set up once before it is first shown, and may refuse to close.
class TWindow : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Whether the window agrees to close; the frame asks before every close.
    virtual bool CanClose() { return true; }
    // Runs the handler of command id; false when the response table has none.
    virtual bool EvCommand(int id) {
        Q_UNUSED(id);
        return false;
    }
    // Whether the response table handles command id; commands without a handler are greyed.
    virtual bool HasCommand(int id) const {
        Q_UNUSED(id);
        return false;
    }
    // Runs once when the frame has its decorations and menu, before it is first shown.
    virtual void SetupWindow() {}
};

}  // namespace nimbara
