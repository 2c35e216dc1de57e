#include "tools/samplephotos/sets/seastateset.h"

#include "tools/samplephotos/sea/forcelook.h"
#include "tools/samplephotos/sea/seaphotographer.h"
#include "tools/samplephotos/sea/seastatescenes.h"
#include "tools/samplephotos/sets/gamesets.h"

namespace nimbara {

DrawPhoto seaStatePicture(const std::string& game, const PhotoId& photo) {
    const SeaPhotographer* photographer = seaPhotographerOf(game);
    const std::optional<std::size_t> force = photoNumber(photo, 0, 0);
    if (photographer == nullptr || !force || *force > static_cast<std::size_t>(kHighestForce)) {
        return {};
    }
    return [photographer, force = static_cast<int>(*force)](QImage& image) {
        drawSeaState(image, *photographer, force);
    };
}

}  // namespace nimbara
