#pragma once

#include "platform/menutemplate.h"

namespace nimbara {

// Menu 10103: the hyperlink's popup menu, one popup "_POPUP_" with Open, Copy Shortcut, Add to
// Favorites, Add to Desktop and Properties.
const MenuTemplate& linkPopupMenu();

}  // namespace nimbara
