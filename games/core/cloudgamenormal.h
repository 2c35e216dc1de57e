#pragma once

#include "games/core/gamedefinition.h"

namespace nimbara {

// Cloud classification game (normal): 95 whole skies, each coded with Cl, Cm and Ch at once,
// photos "cloud0.bmp" to "cloud94.bmp".
GameDefinition cloudGameNormal();

}  // namespace nimbara
