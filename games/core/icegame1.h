#pragma once

#include "games/core/singlegrouprules.h"

namespace nimbara {

// The texts that both ice games show.
const GameTexts& iceGameTexts();

// Ice classification game I: 18 kinds of ice, photos "ice0.bmp" to "ice17.bmp".
SingleGroupRules iceGame1Rules();

}  // namespace nimbara
