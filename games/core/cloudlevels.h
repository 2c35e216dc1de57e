#pragma once

#include "games/core/gamelayout.h"
#include "games/core/gamerules.h"

#include <array>

namespace nimbara {

// The three cloud levels of the cloud games, in the order of their columns: low (Cl), middle (Cm)
// and high (Ch).
inline constexpr int kCloudLevels = 3;
inline const std::array<std::string, kCloudLevels> kCloudLevelNames = {"Cl", "Cm", "Ch"};

// The codes first .. last of the level with index level ("Cl 1" .. "Cl 9"), then "Cl x" when
// withX; each code names itself on its button and as an answer.
std::vector<AnswerItem> cloudCodes(int level, int first, int last, bool withX);

// The answer boxes of a cloud game: one column of buttons per level under a box named after the
// level, 54 units apart from x 320, each box boxHeight high with the id of boxIds.
std::vector<AnswerBox> cloudLevelBoxes(const std::array<int, kCloudLevels>& boxIds, int boxHeight,
                                       const std::array<int, kCloudLevels>& firstButtonIds,
                                       int buttonsPerLevel);

}  // namespace nimbara
