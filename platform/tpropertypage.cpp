#include "platform/tpropertypage.h"

#include "platform/tpropertysheet.h"

#include <QKeyEvent>

namespace nimbara {

TPropertyPage::TPropertyPage(TPropertySheet* sheet, const DialogTemplate& templ)
    : TDialog(sheet, templ) {
    setWindowFlags(Qt::Widget);
    // A page is drawn in the dialog colour, whatever the style does for a tab's pane, so that its
    // read-only fields sit on the same colour as in a dialog.
    setAutoFillBackground(true);
    sheet->AddPage(this);
}

TPropertyPage::~TPropertyPage() = default;

void TPropertyPage::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

}  // namespace nimbara
