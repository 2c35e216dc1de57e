#pragma once

#include "games/core/singlegrouprules.h"

namespace nimbara {

// One photo series of the sea-state game, chosen by its code: how many forces it shows (photo k
// shows force k), how its files begin and the dialog's caption.
struct SeaStateSeries {
    std::string code;
    int photoCount;
    std::string filePrefix;
    std::string caption;
};

// The six series, in the order of their codes "UK", "GE", "CA", "CAN", "CANA", "ORVA".
const std::vector<SeaStateSeries>& seaStateSeriesTable();
// The series of code (compared as exact text); null for a code outside the table.
const SeaStateSeries* findSeaStateSeries(const std::string& code);

// The rules of the sea-state game for the series of code: 13 buttons "Bf 0" to "Bf 12", the
// Beaufort description of the force on show as the one remark line, and the series' photo count
// and file prefix; a code outside the table draws from 13 photos with an empty prefix.
SingleGroupRules seaStateRules(const std::string& code);

}  // namespace nimbara
