#include "tpropertypage.h"

#include "tpropertysheet.h"

#include <QKeyEvent>

namespace nimbara {

TPropertyPage::TPropertyPage(TPropertySheet* sheet, const DialogTemplate& templ)
    : TDialog(sheet, templ) {
    setWindowFlags(Qt::Widget);
    sheet->AddPage(this);
}

TPropertyPage::~TPropertyPage() = default;

void TPropertyPage::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

}  // namespace nimbara
