#pragma once

#include "games/core/randomsource.h"

#include <vector>

namespace nimbara {

// Size of the photo area that the dissolve covers.
constexpr int kPhotoWidth = 400;
constexpr int kPhotoHeight = 250;
constexpr int kPhotoPixels = kPhotoWidth * kPhotoHeight;

// The order in which the dissolve copies the pixels of the photo area: every position
// 0 .. kPhotoPixels - 1 (x = k % 400, y = k / 400) exactly once, uniformly shuffled. Reseeds the
// generator from the clock first. Values outside 0 .. m - 1 from a faulty generator are folded
// into that range, so every position still comes exactly once.
std::vector<int> dissolveOrder(RandomSource& random);

}  // namespace nimbara
