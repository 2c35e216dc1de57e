#include "tools/samplephotos/sets/desktopset.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/raster.h"
#include "tools/samplephotos/sky/sky.h"

#include <QPainter>
#include <cmath>
#include <numbers>

namespace nimbara {

namespace {

// A summer blue that deepens and pales gently, in cycles that fit the tile exactly.
void paintTileableSky(QImage& image) {
    const Noise noise(801, 4, 4);
    const double width = image.width();
    const double height = image.height();
    shadePixels(image, [&](int x, int y, QRgb) {
        const double wave = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * y / height);
        const double cloudless = noise.fractal(4.0 * x / width, 4.0 * y / height, 3);
        const QRgb blue =
            mixRgb(qRgb(70, 130, 200), qRgb(120, 170, 222), 0.55 * wave + 0.35 * cloudless);
        return blue;
    });
}

}  // namespace

void drawDesktopClouds(QImage& image) {
    paintTileableSky(image);
    const double grain = 16.0;  // divides both sides of the tile, so the billows repeat with it
    const Noise billows(802, static_cast<int>(image.width() / grain),
                        static_cast<int>(image.height() / grain));
    const std::vector<Cumulus> clouds = {
        {{70.0, 66.0}, 116.0, 56.0},
        {{236.0, 118.0}, 84.0, 42.0},
        {{150.0, 192.0}, 100.0, 48.0},
        {{296.0, 30.0}, 62.0, 30.0},
    };
    const CumulusStyle style{QColor(255, 255, 255), QColor(168, 180, 202), QColor(138, 150, 174)};
    paintCumulusClouds(image, clouds, billows, grain, style, true);
}

PhotoSet desktopPhotoSet() {
    Photo clouds{"CLOUDS.BMP", drawDesktopClouds, QSize(320, 200), false};
    return {"desktop", "desktop", {clouds}};
}

}  // namespace nimbara
