#pragma once

#include "games/core/gamedefinition.h"

namespace nimbara {

// Cloud classification game (easy): four photos of each cloud type, "cl1_1.bmp" to "ch9_4.bmp";
// only the column of the photo's level can be answered.
GameDefinition cloudGameEasy();

}  // namespace nimbara
