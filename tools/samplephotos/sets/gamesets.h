// The sets of game photos, made from the game definitions: one set per photo folder, named by the
// folder's last part ("games/ice" is the set "ice"), holding every photo of every game that keeps
// its photos there, under the file name the game gives it. Which picture shows a photo is the
// generator's own part: each game's pictures come from the set file of its subject.
#pragma once

#include "games/core/gamerules.h"
#include "tools/samplephotos/sets/photoset.h"

#include <cstddef>
#include <optional>
#include <string>

namespace nimbara {

std::vector<PhotoSet> gamePhotoSets();

// The value of text `part` of photo as a count from 0 or 1 (`first`); nothing when the photo has
// no such part or it is no number at or above first.
std::optional<std::size_t> photoNumber(const PhotoId& photo, std::size_t part, int first);

}  // namespace nimbara
