#include "resources/commandsmenu.h"

#include "games/core/gamecatalogue.h"
#include "resources/resourceids.h"

#include <algorithm>
#include <tuple>

namespace nimbara {

namespace {

// The Games popup: every game of the catalogue at its menu place, a separator between sections,
// then after a separator the learning record's progress window.
std::vector<MenuItemTemplate> gamesPopupItems() {
    std::vector<const GameDefinition*> games;
    for (const GameDefinition& game : gameCatalogue()) {
        games.push_back(&game);
    }
    std::sort(games.begin(), games.end(), [](const GameDefinition* a, const GameDefinition* b) {
        return std::tie(a->menuPlace.section, a->menuPlace.position) <
               std::tie(b->menuPlace.section, b->menuPlace.position);
    });
    std::vector<MenuItemTemplate> items;
    const GameDefinition* previous = nullptr;
    for (const GameDefinition* game : games) {
        if (previous != nullptr && game->menuPlace.section != previous->menuPlace.section) {
            items.push_back(menuSeparator());
        }
        items.push_back({game->menuText.c_str(), game->commandId, {}});
        previous = game;
    }
    items.push_back(menuSeparator());
    items.push_back({"My &progress...", CM_MY_PROGRESS, {}});
    return items;
}

}  // namespace

const MenuTemplate& commandsMenu() {
    static const MenuTemplate menu = {
        {"&File", 0, {{"&Exit", CM_EXIT, {}}}},
        {"&Options",
         0,
         {{"&Desktop new...", CM_DESKTOP_NEW, {}}, {"D&esktop refresh", CM_DESKTOP_REFRESH, {}}}},
        {"&Games", 0, gamesPopupItems()},
        {"&Info",
         0,
         {menuSeparator(),
          {"&Ice", CM_HELP_ICE, {}},
          menuSeparator(),
          {"&Sea state", CM_HELP_SEA_STATE, {}},
          menuSeparator(),
          {"&About...", CM_ABOUT, {}}}},
    };
    return menu;
}

const MenuTemplate& infoCloudPopups() {
    static const MenuTemplate popups = {
        {"Clouds &low",
         0,
         {{"Cl &general", CM_HELP_CL_GENERAL, {}},
          {"Cl &1", CM_HELP_CL_GENERAL + 1, {}},
          {"Cl &2", CM_HELP_CL_GENERAL + 2, {}},
          {"Cl &3", CM_HELP_CL_GENERAL + 3, {}},
          {"Cl &4", CM_HELP_CL_GENERAL + 4, {}},
          {"Cl &5", CM_HELP_CL_GENERAL + 5, {}},
          {"Cl &6", CM_HELP_CL_GENERAL + 6, {}},
          {"Cl &7", CM_HELP_CL_GENERAL + 7, {}},
          {"Cl &8", CM_HELP_CL_GENERAL + 8, {}},
          {"Cl &9", CM_HELP_CL_GENERAL + 9, {}}}},
        {"Clouds &middle",
         0,
         {{"Cm &general", CM_HELP_CM_GENERAL, {}},
          {"Cm &1", CM_HELP_CM_GENERAL + 1, {}},
          {"Cm &2", CM_HELP_CM_GENERAL + 2, {}},
          {"Cm &3", CM_HELP_CM_GENERAL + 3, {}},
          {"Cm &4", CM_HELP_CM_GENERAL + 4, {}},
          {"Cm &5", CM_HELP_CM_GENERAL + 5, {}},
          {"Cm &6", CM_HELP_CM_GENERAL + 6, {}},
          {"Cm &7", CM_HELP_CM_GENERAL + 7, {}},
          {"Cm &8", CM_HELP_CM_GENERAL + 8, {}},
          {"Cm &9", CM_HELP_CM_GENERAL + 9, {}}}},
        {"Clouds &high",
         0,
         {{"Ch &general", CM_HELP_CH_GENERAL, {}},
          {"Ch &1", CM_HELP_CH_GENERAL + 1, {}},
          {"Ch &2", CM_HELP_CH_GENERAL + 2, {}},
          {"Ch &3", CM_HELP_CH_GENERAL + 3, {}},
          {"Ch &4", CM_HELP_CH_GENERAL + 4, {}},
          {"Ch &5", CM_HELP_CH_GENERAL + 5, {}},
          {"Ch &6", CM_HELP_CH_GENERAL + 6, {}},
          {"Ch &7", CM_HELP_CH_GENERAL + 7, {}},
          {"Ch &8", CM_HELP_CH_GENERAL + 8, {}},
          {"Ch &9", CM_HELP_CH_GENERAL + 9, {}}}},
    };
    return popups;
}

}  // namespace nimbara
