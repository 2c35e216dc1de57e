#include "hyperlink/thlinkpage.h"

#include "hyperlink/thlinkctrl.h"
#include "hyperlink/thlinksheet.h"
#include "resources/dialogtemplates.h"
#include "resources/resourceids.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace nimbara {

THLinkPage::THLinkPage(THLinkSheet* sheet)
    : TPropertyPage(sheet, nimbara::dialogTemplate(IDD_LINK_PAGE)) {}

THLinkPage::~THLinkPage() = default;

void THLinkPage::SetupWindow() {
    TPropertyPage::SetupWindow();
    auto* name = control<QPlainTextEdit>(IDC_LINK_NAME);
    auto* url = control<QLineEdit>(IDC_LINK_URL);
    // Screen readers name the URL field by its label.
    control<QLabel>(IDC_LINK_ADDRESS_LABEL)->setBuddy(url);
    if (m_link.isNull()) {
        return;
    }
    name->setPlainText(m_link->text());
    url->setText(m_link->linkUrl());
    url->setCursorPosition(0);  // the start of a long address shows
}

}  // namespace nimbara
