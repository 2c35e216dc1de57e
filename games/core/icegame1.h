#pragma once

#include "games/core/gamedefinition.h"

namespace nimbara {

// Ice classification game I: 18 kinds of ice (bergs, forms and stages of development), photos
// "ice0.bmp" to "ice17.bmp".
GameDefinition iceGame1();

// What both ice games share: their texts, and a layout of two columns of nine classes in the box
// "Ice", the score and two remark lines, whose ids alone differ.
GameTexts iceGameTexts();
GameLayout iceGameLayout(int firstButtonId, int scoreLineId, std::vector<int> remarkLineIds);

}  // namespace nimbara
