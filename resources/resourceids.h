#pragma once

namespace nimbara {

// Command ids of the menu "COMMANDS" and of the Info menu's cloud popups. The commands of the
// games (3095 to 3104) and the games' dialog templates and controls are given by the game
// definitions (games/core/gamecatalogue.h).
enum CommandId : int {
    CM_EXIT = 2098,
    CM_DESKTOP_NEW = 3038,
    CM_DESKTOP_REFRESH = 3039,
    CM_MY_PROGRESS = 3105,      // the last entry of the Games popup: the learning record
    CM_HELP_CL_GENERAL = 3301,  // then 3302 to 3310: Cl 1 to Cl 9
    CM_HELP_CM_GENERAL = 3316,  // then 3317 to 3325: Cm 1 to Cm 9
    CM_HELP_CH_GENERAL = 3331,  // then 3332 to 3340: Ch 1 to Ch 9
    CM_HELP_ICE = 3351,
    CM_HELP_SEA_STATE = 3355,
    CM_ABOUT = 3360,
};

// Positions of popups in the menu bar, counted from 0.
constexpr int kGamesPopupPosition = 2;
constexpr int kInfoPopupPosition = 3;

// Controls every game dialog has.
constexpr int IDC_NAME_LABEL = 190;

// The About box and the hyperlink: templates, controls, the link's popup menu and its commands,
// the sheet's caption string and the hand cursor. (Icon controls name their icons in the
// templates.)
enum HyperlinkResourceId : int {
    IDD_ABOUT = 8988,
    IDM_LINK_POPUP = 10103,
    IDS_LINK_PROPERTIES = 10104,
    IDD_LINK_PAGE = 10105,
    IDC_HAND = 10106,
    IDC_LINK_NAME = 10108,
    IDC_LINK_ADDRESS_LABEL = 10109,
    IDC_LINK_URL = 10110,
    CM_LINK_COPY_SHORTCUT = 10111,
    CM_LINK_PROPERTIES = 10112,
    CM_LINK_ADD_TO_FAVORITES = 10113,
    CM_LINK_ADD_TO_DESKTOP = 10114,
    CM_LINK_OPEN = 10115,
    IDC_HYPERLINK = 10117,
};

}  // namespace nimbara
