#pragma once

#include "games/core/gamedefinition.h"

#include <string_view>

namespace nimbara {

// Every game of the program, one definition each and one per sea-state series, in the order of
// their import ids: "ice1", "ice2", "clouds-normal", "clouds-easy", "seastate-UK", "-GE", "-CA",
// "-CAN", "-CANA", "-ORVA". Made once, on the first call, and kept for the run.
const std::vector<GameDefinition>& gameCatalogue();

// The game with importId (exact text); null when there is none.
const GameDefinition* findGame(std::string_view importId);
// The game that the Games menu command commandId starts; null when there is none.
const GameDefinition* findGameByCommand(int commandId);

}  // namespace nimbara
