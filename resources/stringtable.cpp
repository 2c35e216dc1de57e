#include "resources/stringtable.h"

#include "games/core/gamecatalogue.h"

#include <map>

namespace nimbara {

namespace {

const std::map<int, const char*>& strings() {
    static const std::map<int, const char*> table = {
        {2097, "File operations"},
        {2098, "Quit Nimbara"},
        {3037, "Options"},
        {3038, "Select a new desktop (*.bmp, *.gif, *.jpg, *.png)"},
        {3039, "Refresh desktop"},
        {3094, "Test your cloud type, ice and sea state classification knowledge"},
        {3105, "See your progress in every game and practise your weak classes"},
        {3300, "Clouds low"},
        {3301, "Clouds low general description"},
        {3302, "Clouds low, type Cl 1"},
        {3303, "Clouds low, type Cl 2"},
        {3304, "Clouds low, type Cl 3"},
        {3305, "Clouds low, type Cl 4"},
        {3306, "Clouds low, type Cl 5"},
        {3307, "Clouds low, type Cl 6"},
        {3308, "Clouds low, type Cl 7"},
        {3309, "Clouds low, type Cl 8"},
        {3310, "Clouds low, type Cl 9"},
        {3315, "Clouds middle"},
        {3316, "Clouds middle general description"},
        {3317, "Clouds middle, type Cm 1"},
        {3318, "Clouds middle, type Cm 2"},
        {3319, "Clouds middle, type Cm 3"},
        {3320, "Clouds middle, type Cm 4"},
        {3321, "Clouds middle, type Cm 5"},
        {3322, "Clouds middle, type Cm 6"},
        {3323, "Clouds middle, type Cm 7"},
        {3324, "Clouds middle, type Cm 8"},
        {3325, "Clouds middle, type Cm 9"},
        {3330, "Clouds high"},
        {3331, "Clouds high general description"},
        {3332, "Clouds high, type Ch 1"},
        {3333, "Clouds high, type Ch 2"},
        {3334, "Clouds high, type Ch 3"},
        {3335, "Clouds high, type Ch 4"},
        {3336, "Clouds high, type Ch 5"},
        {3337, "Clouds high, type Ch 6"},
        {3338, "Clouds high, type Ch 7"},
        {3339, "Clouds high, type Ch 8"},
        {3340, "Clouds high, type Ch 9"},
        {3351, "Ice"},
        {3355, "Sea state"},
        {3360, "About this Nimbara program"},
        {10104, "Properties"},
        {10111, "Copy this shortcut to the clipboard"},
        {10112, "Show the properties of this item"},
        {10113, "Add this shortcut to your Favorites"},
        {10114, "Add this shortcut to the Desktop"},
        {10115, "Opens this shortcut"},
    };
    return table;
}

}  // namespace

std::optional<QString> loadString(int id) {
    const auto found = strings().find(id);
    if (found != strings().end()) {
        return QString::fromLatin1(found->second);
    }
    // A Games command's hint is its game's.
    if (const GameDefinition* game = findGameByCommand(id)) {
        return QString::fromStdString(game->hint);
    }
    return std::nullopt;
}

}  // namespace nimbara
