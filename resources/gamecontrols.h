#pragma once

#include <vector>

namespace nimbara {

// The controls of a game dialog that the game addresses, by their template ids. The game
// templates are built from these lists, so a dialog and its template cannot disagree.
struct GameControls {
    std::vector<int> answerButtonIds;  // in button order: word k of the answer block is button k
    int scoreLineId;
    std::vector<int> remarkLineIds;  // first line first
    // The group boxes of the level columns Cl, Cm and Ch (easy cloud game only).
    std::vector<int> levelColumnBoxIds;
};

// The controls of the game dialog template templateId. Throws std::out_of_range for a template
// that is not a game's.
const GameControls& gameControls(int templateId);

}  // namespace nimbara
