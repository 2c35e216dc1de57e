#pragma once

#include "platform/menutemplate.h"

namespace nimbara {

// The menu "COMMANDS": the frame's menu bar.
const MenuTemplate& commandsMenu();

// The three cloud popups that the main window inserts at the top of the Info popup, in order
// low, middle, high; each item's text is the popup's title and its items the popup's entries.
const MenuTemplate& infoCloudPopups();

}  // namespace nimbara
