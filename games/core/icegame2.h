#pragma once

#include "games/core/gamedefinition.h"

namespace nimbara {

// Ice classification game II: 18 further kinds of ice and ice features, photos "ice2_0.bmp" to
// "ice2_17.bmp" in the folder of game I.
GameDefinition iceGame2();

}  // namespace nimbara
