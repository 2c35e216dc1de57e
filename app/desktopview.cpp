#include "app/desktopview.h"

#include "platform/messagebox.h"
#include "platform/pictureview.h"

namespace nimbara {

PictureView* CreateDesktopView(QWidget* window, const QByteArray& path) {
    auto* view = new PictureView(window);
    view->hide();
    view->setBackgroundColor(QColor::fromRgb(kDesktopGrey));
    if (!view->setBackgroundImage(path)) {
        ReportImageError(window);
    }
    return view;
}

void ReportImageError(QWidget* window) {
    // Every refused picture gets this one text: there is no older image support on this system
    // whose limits could explain the refusal better.
    messageBox(window, "Unknown image read error", "Nimbara error", MbIcon::Stop);
}

}  // namespace nimbara
