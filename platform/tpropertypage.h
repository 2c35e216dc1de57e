#pragma once

#include "platform/tdialog.h"

namespace nimbara {

class TPropertySheet;

// One page of a property sheet, built from a template of child-page style whose caption is the
// page's tab text. It is set up, like a dialog, when the sheet first shows it.
class TPropertyPage : public TDialog {
    Q_OBJECT

public:
    // Adds the page to sheet, which owns it. templ must outlive the page.
    TPropertyPage(TPropertySheet* sheet, const DialogTemplate& templ);
    ~TPropertyPage() override;

protected:
    // Enter, Esc and the other keys a page does not use go on to the sheet: a page never ends
    // itself as a dialog would.
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace nimbara
