#include "resources/gamecontrols.h"

#include "resources/resourceids.h"

#include <map>
#include <numeric>
#include <stdexcept>
#include <string>

namespace nimbara {

namespace {

// count ids counting up from first.
std::vector<int> idRange(int first, int count) {
    std::vector<int> ids(static_cast<std::size_t>(count));
    std::iota(ids.begin(), ids.end(), first);
    return ids;
}

std::vector<int> concatenated(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> ids;
    for (const std::vector<int>& part : parts) {
        ids.insert(ids.end(), part.begin(), part.end());
    }
    return ids;
}

std::map<int, GameControls> buildControls() {
    return {
        {IDD_ICE_GAME_I, {idRange(1459, 18), 1477, {1478, 1479}, {}}},
        {IDD_ICE_GAME_II, {idRange(1480, 18), 1498, {1499, 1500}, {}}},
        {IDD_SEASTATE_GAME, {idRange(1440, 13), 1453, {1454}, {}}},
        // Cl 1 to Cl 9, Cm 1 to Cm 9, Ch 1 to Ch 9: the ids of the normal game's "0" and "x"
        // buttons are left out.
        {IDD_CLOUD_GAME_EASY,
         {concatenated({idRange(1401, 9), idRange(1412, 9), idRange(1423, 9)}),
          1433,
          {1434, 1435},
          {1397, 1398, 1399}}},
        // Cl 0 to Cl 9 and Cl x, then the same for Cm and Ch.
        {IDD_CLOUD_GAME_NORMAL, {idRange(1400, 33), 1433, {1434, 1435, 1436}, {}}},
    };
}

}  // namespace

const GameControls& gameControls(int templateId) {
    static const std::map<int, GameControls> controls = buildControls();
    const auto found = controls.find(templateId);
    if (found == controls.end()) {
        throw std::out_of_range("no game controls for template " + std::to_string(templateId));
    }
    return found->second;
}

}  // namespace nimbara
