// The pictures of the sea-state games: each series has its photographer, and photo k of a series
// shows Beaufort force k.
#pragma once

#include "games/core/gamerules.h"
#include "tools/samplephotos/sets/photoset.h"

#include <string>

namespace nimbara {

// The picture of photo of the game with import id `game`; empty for a game no photographer takes
// or a force beyond the highest.
DrawPhoto seaStatePicture(const std::string& game, const PhotoId& photo);

}  // namespace nimbara
