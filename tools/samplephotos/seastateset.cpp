#include "tools/samplephotos/seastateset.h"

#include "tools/samplephotos/forcelook.h"
#include "tools/samplephotos/seaphotographer.h"
#include "tools/samplephotos/seastatescenes.h"

#include <array>
#include <utility>

namespace nimbara {

namespace {

template <int Series, int Force>
void drawOne(QImage& image) {
    drawSeaState(image, Series, Force);
}

// A photo refers to a plain function, so there is one per series and force.
template <int Series, int... Forces>
constexpr std::array<DrawPhoto, sizeof...(Forces)> forcesOf(std::integer_sequence<int, Forces...>) {
    return {drawOne<Series, Forces>...};
}

template <int... Series>
constexpr auto allDrawings(std::integer_sequence<int, Series...>) {
    return std::array{forcesOf<Series>(std::make_integer_sequence<int, kHighestForce + 1>())...};
}

const auto kDrawings = allDrawings(std::make_integer_sequence<int, kSeaSeriesCount>());

}  // namespace

PhotoSet seaStatePhotoSet() {
    PhotoSet photos;
    for (int series = 0; series < kSeaSeriesCount; ++series) {
        const SeaPhotographer& photographer = seaPhotographer(series);
        for (int force = 0; force < photographer.forces; ++force) {
            photos.push_back({QString("%1%2.bmp").arg(photographer.prefix).arg(force),
                              kDrawings[series][force]});
        }
    }
    return photos;
}

}  // namespace nimbara
