#pragma once

#include "platform/tdialog.h"

namespace nimbara {

class THLinkCtrl;

// The About box (template 8988): version, distribution and credit lines, icon 10 and the link
// "Visit the Nimbara (Tolvane) Web Site" to the project's home page. A translucent box is drawn
// at 180/255 opacity. Each box starts with a fresh, blue link. OK and the close box end it.
class TInfoAboutDialog : public TDialog {
    Q_OBJECT

public:
    // translucent: whether the box is drawn partly transparent once set up; pass it only where
    // the window system composites.
    TInfoAboutDialog(QWidget* parent, int templateId, bool translucent);
    ~TInfoAboutDialog() override;

    // The link on control 10117; owned by the dialog.
    THLinkCtrl* hyperlink() const { return m_hyperlink; }

    // The project's home page, set when the program is configured (NIMBARA_HOME_URL).
    static QString homePageUrl();
    static constexpr double kTranslucentOpacity = 180 / 255.0;

protected:
    void SetupWindow() override;

private:
    THLinkCtrl* m_hyperlink;
    bool m_translucent;
};

}  // namespace nimbara
