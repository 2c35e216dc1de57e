#include "tools/samplephotos/sets/gamesets.h"

#include "games/core/gamecatalogue.h"
#include "tools/samplephotos/sets/cloudset.h"
#include "tools/samplephotos/sets/iceset.h"
#include "tools/samplephotos/sets/seastateset.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace nimbara {

namespace {

// The picture of photo of the game with import id `game`, from whichever subject draws it.
DrawPhoto pictureOf(const std::string& game, const PhotoId& photo) {
    for (const auto picture : {icePicture, cloudPicture, seaStatePicture}) {
        if (DrawPhoto draw = picture(game, photo)) {
            return draw;
        }
    }
    return {};
}

}  // namespace

std::optional<std::size_t> photoNumber(const PhotoId& photo, std::size_t part, int first) {
    if (part >= photo.size()) {
        return std::nullopt;
    }
    const std::string& text = photo[part];
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < first) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(value - first);
}

std::vector<PhotoSet> gamePhotoSets() {
    std::vector<PhotoSet> sets;
    for (const GameDefinition& game : gameCatalogue()) {
        const QString folder = QString::fromStdString(game.photoFolderPath());
        auto set = std::find_if(sets.begin(), sets.end(),
                                [&](const PhotoSet& known) { return known.folder == folder; });
        if (set == sets.end()) {
            sets.push_back({folder.section('/', -1), folder, {}});
            set = sets.end() - 1;
        }
        for (const PhotoId& photo : game.rules->allPhotos()) {
            const std::string fileName = game.rules->fileName(photo);
            DrawPhoto draw = pictureOf(game.importId, photo);
            if (!draw) {
                throw std::runtime_error("no picture for the photo " + fileName + " of the game " +
                                         game.importId);
            }
            set->photos.push_back({QString::fromStdString(fileName), std::move(draw)});
        }
    }
    return sets;
}

}  // namespace nimbara
