#pragma once

#include "games/core/gamedefinition.h"

namespace nimbara {

// One photo series of the sea-state game, chosen by its code: how many forces it shows (photo k
// shows force k), how its files begin, the dialog's caption and its Games menu entry.
struct SeastateSeries {
    std::string code;
    int photoCount = 0;
    std::string filePrefix;
    std::string caption;
    int commandId = 0;
    std::string menuText;
    int menuPosition = 0;
    std::string hint;
};

// The six series, in the order of their codes "UK", "GE", "CA", "CAN", "CANA", "ORVA".
const std::vector<SeastateSeries>& seastateSeriesTable();
// The series of code (compared as exact text); null for a code outside the table.
const SeastateSeries* findSeastateSeries(const std::string& code);

// The sea-state game on the series of code: 13 buttons "Bf 0" to "Bf 12" whatever the series,
// the Beaufort description of the force on show as the one remark line, and the series' photo
// count, file prefix, caption and menu entry. A code outside the table draws from 13 photos with
// an empty prefix and has no caption, menu entry or import id of its own.
GameDefinition seastateGame(const std::string& code);

}  // namespace nimbara
