#include "resources/linkpopupmenu.h"

#include "resources/resourceids.h"

namespace nimbara {

const MenuTemplate& linkPopupMenu() {
    static const MenuTemplate menu = {
        {"_POPUP_",
         IDM_LINK_POPUP,
         {{"&Open", CM_LINK_OPEN, {}},
          menuSeparator(),
          {"Copy Shor&tcut", CM_LINK_COPY_SHORTCUT, {}},
          menuSeparator(),
          {"Add to &Favorites", CM_LINK_ADD_TO_FAVORITES, {}},
          {"Add to &Desktop", CM_LINK_ADD_TO_DESKTOP, {}},
          menuSeparator(),
          {"P&roperties", CM_LINK_PROPERTIES, {}}}},
    };
    return menu;
}

}  // namespace nimbara
