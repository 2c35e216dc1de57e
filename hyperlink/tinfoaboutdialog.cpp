#include "hyperlink/tinfoaboutdialog.h"

#include "hyperlink/thlinkctrl.h"
#include "resources/dialogtemplates.h"
#include "resources/resourceids.h"

namespace nimbara {

TInfoAboutDialog::TInfoAboutDialog(QWidget* parent, int templateId, bool translucent)
    : TDialog(parent, nimbara::dialogTemplate(templateId)),
      m_hyperlink(new THLinkCtrl(this, IDC_HYPERLINK)),
      m_translucent(translucent) {}

TInfoAboutDialog::~TInfoAboutDialog() = default;

QString TInfoAboutDialog::homePageUrl() {
    return QStringLiteral(NIMBARA_HOME_URL);
}

void TInfoAboutDialog::SetupWindow() {
    TDialog::SetupWindow();
    m_hyperlink->SetLinkURL(homePageUrl());
    if (m_translucent) {
        setWindowOpacity(kTranslucentOpacity);
    }
}

}  // namespace nimbara
