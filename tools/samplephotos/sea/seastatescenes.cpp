#include "tools/samplephotos/sea/seastatescenes.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/raster.h"
#include "tools/samplephotos/sea/forcelook.h"
#include "tools/samplephotos/sea/seaphotographer.h"
#include "tools/samplephotos/sea/ship.h"
#include "tools/samplephotos/sea/shipdeck.h"
#include "tools/samplephotos/sea/wavefield.h"
#include "tools/samplephotos/sea/windsea.h"
#include "tools/samplephotos/sky/sky.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace nimbara {

namespace {

const QColor kStormZenith(64, 70, 78);
const QColor kStormHorizon(150, 156, 160);
const QColor kStormHaze(176, 182, 186);
const QColor kSprayWhite(226, 230, 232);

void paintWeather(QImage& image, const SeaPhotographer& photographer, int force, const QColor& haze,
                  double hazeAmount) {
    const SeaLight& light = photographer.light;
    const double horizonY = photographer.camera.horizonY;
    const double storm = stormOf(force);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor horizon =
        mixColor(mixColor(light.horizon, kStormHorizon, storm), haze, hazeAmount);
    // Whatever the waves leave uncovered low down is far-off air.
    painter.fillRect(QRectF(0.0, horizonY, image.width(), image.height() - horizonY), horizon);
    paintSky(painter, image.size(),
             {mixColor(light.zenith, kStormZenith, storm), horizon, horizonY});
    if (light.sun && storm < 0.9) {
        QColor glow = light.sunColour;
        glow.setAlphaF(static_cast<float>(1.0 - storm));
        paintSunGlow(painter, *light.sun, 140.0, glow);
    }
    const CloudLayer clouds{mixColor(light.clouds.light, QColor(150, 154, 160), storm),
                            mixColor(light.clouds.shade, QColor(70, 76, 84), storm),
                            std::lerp(light.clouds.cover, 0.97, storm), light.clouds.size};
    // Cloud is soft: drawn at half size and enlarged, it looks the same at a quarter the work.
    const int skyRows = static_cast<int>(std::ceil(horizonY)) + 2;
    QImage half = image.copy(0, 0, image.width(), skyRows)
                      .scaled(image.width() / 2, skyRows / 2, Qt::IgnoreAspectRatio,
                              Qt::SmoothTransformation);
    paintCloudLayer(half, horizonY / 2.0, Noise(photographer.seed * 7 + force), clouds);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0.0, 0.0, image.width(), 2.0 * (skyRows / 2)), half);
    // Hazy air hides the clouds low down and, in the end, the horizon itself.
    QColor low = haze;
    low.setAlphaF(static_cast<float>(hazeAmount));
    QColor clear = haze;
    clear.setAlphaF(0.0f);
    const double band = 10.0 + 30.0 * hazeAmount;
    QLinearGradient veil(0.0, horizonY - band, 0.0, horizonY);
    veil.setColorAt(0.0, clear);
    veil.setColorAt(1.0, low);
    painter.fillRect(QRectF(0.0, horizonY - band, image.width(), band + 2.0), veil);
}

// The ship is drawn before the sea, which then covers the part of it behind the waves.
SeaOccluder paintDistantShip(QImage& image, const Perspective& view, const WaveField& waves,
                             const DistantShip& ship, const QColor& haze, double visibility) {
    QImage layer(image.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    // The ship sits in the deepest trough near its place, where high waves hide it soonest.
    double across = ship.across;
    double heave = waves.at(across, ship.distance, 0.0, 0.0).height;
    for (int step = -6; step <= 6; ++step) {
        const double candidate = ship.across + 5.0 * step;
        const double height = waves.at(candidate, ship.distance, 0.0, 0.0).height;
        if (height < heave) {
            across = candidate;
            heave = height;
        }
    }
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::Antialiasing);
    paintShip(painter, view.toScreen(across, ship.distance, heave),
              ship.length * view.pixelsPerMetre(ship.distance));
    painter.end();

    SeaOccluder occluder{ship.distance, std::vector<double>(image.width(), image.height())};
    const double fade = 1.0 - std::exp(-ship.distance / visibility);
    for (int y = 0; y < image.height(); ++y) {
        const auto* paint = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(paint[x]);
            if (alpha == 0) {
                continue;
            }
            const QRgb solid = qRgb(qRed(paint[x]) * 255 / alpha, qGreen(paint[x]) * 255 / alpha,
                                    qBlue(paint[x]) * 255 / alpha);
            pixels[x] = mixRgb(pixels[x], mixRgb(solid, haze.rgb(), fade), alpha / 255.0);
            if (alpha > 127) {
                occluder.top[x] = std::min<double>(occluder.top[x], y);
            }
        }
    }
    return occluder;
}

// Spray driven through the air in streaks, thickest low over the water.
void paintDrivingSpray(QImage& image, double horizonY, const QColor& colour, double strength,
                       double heading, std::uint64_t seed) {
    const Noise noise(seed);
    const double slant = std::sin(heading) * 0.25;
    shadePixels(image, [&](int x, int y, QRgb current) {
        const double streak = noise.fractal((x + slant * y) / 70.0, y / 2.5, 3);
        const double low = smoothStep(-60.0, 40.0, y - horizonY);
        const double alpha = strength * (0.45 + 0.55 * low) * (0.8 + 0.5 * (streak - 0.5));
        return mixRgb(current, colour.rgb(), std::clamp(alpha, 0.0, 0.95));
    });
}

void paintOwnShip(QImage& image, const OwnShip& ownShip) {
    QPainter painter(&image);
    switch (ownShip.part) {
        case Foreground::Rail:
            paintRail(painter, image.size(), ownShip.at.y(), -6.0, ownShip.paint);
            break;
        case Foreground::Bow:
            paintBow(painter, image.size(), ownShip.at, ownShip.paint);
            break;
        case Foreground::None:
            break;
    }
}

}  // namespace

void drawSeaState(QImage& image, const SeaPhotographer& photographer, int force) {
    const SeaCamera& camera = photographer.camera;
    const SeaWater& water = photographer.water;
    const ForceLook& sea = forceLook(force);
    const double storm = stormOf(force);
    const std::uint64_t seed = photographer.seed * 100;
    const Perspective view(camera.horizonY, image.width() / 2.0, camera.focal, camera.eyeHeight);

    // Spray in the air whitens the distance.
    const QColor haze =
        mixColor(mixColor(water.haze, kStormHaze, storm), kSprayWhite, 0.8 * sea.veil);
    const double visibility = water.visibility * sea.visibility;
    paintWeather(image, photographer, force, haze, 1.0 - sea.visibility);

    const double heading = photographer.heading * std::numbers::pi / 180.0;
    const WaveField waves({sea.height, sea.length, heading, sea.spread, sea.patchiness}, seed);
    SeaOccluder occluder;
    if (photographer.ship) {
        occluder = paintDistantShip(image, view, waves, *photographer.ship, haze, visibility);
    }
    // Under a gale's cloud the water is darker and greyer, and the foam less bright.
    const double dim = 1.0 - 0.35 * storm;
    const WindSeaLook look{
        mixColor(water.deep, QColor(20, 30, 34), storm * 0.5).darker(static_cast<int>(100 / dim)),
        mixColor(water.body, QColor(50, 80, 80), storm * 0.5),
        mixColor(water.foam, QColor(226, 230, 232), 0.7 * storm), haze, visibility};
    paintWindSea(image, view, waves, look, sea.foam, seed, occluder);
    paintOwnShip(image, photographer.ownShip);
    if (sea.veil > 0.0) {
        paintDrivingSpray(image, camera.horizonY, kSprayWhite, sea.veil, heading, seed);
    }
}

}  // namespace nimbara
