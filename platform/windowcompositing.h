#pragma once

namespace nimbara {

// Whether the window system draws windows through a compositor, so that a window can be shown
// partly transparent (QWidget::setWindowOpacity). On X11 that is when a compositing manager owns
// the screen's _NET_WM_CM_S<n> selection; Windows and macOS always composite; elsewhere (Wayland,
// where Qt cannot set a window's opacity, and the offscreen platform) it is false.
bool windowSystemComposites();

}  // namespace nimbara
