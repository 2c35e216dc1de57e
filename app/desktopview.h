#pragma once

#include <QByteArray>
#include <QColor>

class QWidget;

namespace nimbara {

class PictureView;

// Background of the desktop view, seen where the picture is not.
inline constexpr QRgb kDesktopGrey = 0x646464;

// Creates the desktop view: a picture view, child of window, not yet shown, grey, with the
// picture at path (the file system's own bytes) tiled over it. When the picture cannot be shown,
// ReportImageError tells the user and the view stays, grey. The view belongs to window.
PictureView* CreateDesktopView(QWidget* window, const QByteArray& path);

// Shows "Unknown image read error" (caption "Nimbara error", stop icon) owned by window.
void ReportImageError(QWidget* window);

}  // namespace nimbara
