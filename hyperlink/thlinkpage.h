#pragma once

#include "hyperlink/thlinkctrl.h"
#include "platform/tpropertypage.h"

#include <QPointer>

namespace nimbara {

class THLinkSheet;

// The General page of a link's properties sheet (template 10105): the link's text in the upper
// field, its URL under "Address (URL):". Both fields are read-only.
class THLinkPage : public TPropertyPage {
    Q_OBJECT

public:
    explicit THLinkPage(THLinkSheet* sheet);
    ~THLinkPage() override;

    // The link whose properties the page shows; not owned. Set before the sheet runs.
    void SetLink(THLinkCtrl* link) { m_link = link; }

protected:
    void SetupWindow() override;

private:
    QPointer<THLinkCtrl> m_link;
};

}  // namespace nimbara
