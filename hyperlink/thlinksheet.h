#pragma once

#include "platform/tpropertysheet.h"

namespace nimbara {

class THLinkPage;

// The properties sheet of a link: caption "Properties" (string 10104), one page, OK and Cancel.
// It shows and changes nothing.
class THLinkSheet : public TPropertySheet {
    Q_OBJECT

public:
    explicit THLinkSheet(QWidget* parent);
    ~THLinkSheet() override;

    // The sheet's one page; owned by the sheet.
    THLinkPage* page() const { return m_page; }

private:
    THLinkPage* m_page;
};

}  // namespace nimbara
