#include "seastatescenes.h"

#include "noise.h"
#include "raster.h"
#include "ship.h"
#include "shipdeck.h"
#include "sky.h"
#include "wavefield.h"
#include "windsea.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace nimbara {

namespace {

// What the wind does to the sea at one force: the probable wave height, the length that goes
// with a sea that has had time to grow, and how much of it is white.
struct ForceLook {
    double height;      // metres
    double length;      // metres, of the dominant waves
    double spread;      // radians, of the wave directions about the wind
    double patchiness;  // calm gaps between rippled patches
    FoamCover foam;
    double visibility;  // share of the photographer's fair-weather visibility
    double veil;        // spray driven through the air, 0 to 1
};

const std::array<ForceLook, 13> kForces = {{
    {0.02, 40.0, 0.2, 0.0, {0.0, 1.0, 0.0, 1.0, 0.0}, 1.0, 0.0},
    {0.1, 0.9, 0.7, 0.85, {0.0, 1.0, 0.0, 1.0, 0.0}, 1.0, 0.0},
    {0.2, 2.5, 0.7, 0.15, {0.0, 1.0, 0.0, 1.0, 0.0}, 1.0, 0.0},
    {0.6, 7.0, 0.7, 0.0, {0.012, 1.0, 0.0, 1.0, 0.0}, 1.0, 0.0},
    {1.0, 12.0, 0.7, 0.0, {0.035, 1.0, 0.0, 1.0, 0.0}, 0.95, 0.0},
    {2.0, 22.0, 0.65, 0.0, {0.07, 1.0, 0.0, 1.0, 0.0}, 0.9, 0.0},
    {3.0, 32.0, 0.6, 0.0, {0.11, 1.2, 0.0, 1.0, 0.15}, 0.8, 0.0},
    {4.0, 42.0, 0.6, 0.0, {0.14, 1.6, 0.06, 4.0, 0.3}, 0.7, 0.0},
    {5.5, 56.0, 0.55, 0.0, {0.17, 2.0, 0.12, 3.0, 0.55}, 0.55, 0.0},
    {7.0, 72.0, 0.55, 0.0, {0.22, 2.5, 0.2, 2.5, 0.75}, 0.35, 0.05},
    {9.0, 92.0, 0.5, 0.0, {0.3, 3.0, 0.28, 2.5, 0.9}, 0.2, 0.14},
    {11.5, 116.0, 0.5, 0.0, {0.38, 3.5, 0.36, 2.5, 1.0}, 0.11, 0.25},
    {14.0, 140.0, 0.5, 0.0, {0.5, 4.0, 0.5, 2.5, 1.0}, 0.02, 0.62},
}};

enum class Foreground { None, Rail, Bow };

struct DistantShip {
    double across;    // metres
    double distance;  // metres
    double length;    // metres
};

// One photographer: where the camera stands, the fair-weather light, the colour of the water.
struct Photographer {
    const char* prefix;
    int forces;
    std::uint64_t seed;
    double eyeHeight;  // metres
    double horizonY;   // pixels
    double focal;      // pixels
    double heading;    // degrees, the way the waves run: 0 away from the camera, 90 to the right
    QColor zenith;
    QColor horizon;
    CloudLayer clouds;
    std::optional<QPointF> sun;
    QColor sunColour;
    QColor deep;
    QColor body;
    QColor foam;
    QColor haze;
    double visibility;  // metres
    Foreground foreground;
    QPointF foregroundAt;  // the rail's left end, or the stem
    DeckPaint deckPaint;
    std::optional<DistantShip> ship;
};

const std::array<Photographer, kSeaSeriesCount> kPhotographers = {{
    // A weather ship's rail in the North Atlantic, grey-green water under broken cloud.
    {"Bf",
     13,
     1101,
     14.0,
     82.0,
     430.0,
     30.0,
     QColor(92, 110, 130),
     QColor(196, 204, 210),
     CloudLayer{QColor(226, 228, 230), QColor(140, 148, 158), 0.6, 0.45},
     std::nullopt,
     QColor(),
     QColor(16, 40, 44),
     QColor(40, 108, 98),
     QColor(236, 240, 240),
     QColor(200, 206, 210),
     15000.0,
     Foreground::Rail,
     QPointF(0.0, 214.0),
     DeckPaint{QColor(236, 236, 232), QColor(150, 152, 150), QColor(90, 60, 50)},
     DistantShip{-170.0, 1300.0, 70.0}},
    // Low over the North Sea from a research cutter's deck, fair-weather cumulus.
    {"Bfge",
     13,
     1202,
     7.0,
     112.0,
     470.0,
     200.0,
     QColor(66, 118, 186),
     QColor(200, 218, 232),
     CloudLayer{QColor(250, 250, 250), QColor(170, 180, 196), 0.35, 0.3},
     std::nullopt,
     QColor(),
     QColor(22, 46, 50),
     QColor(58, 126, 108),
     QColor(248, 250, 250),
     QColor(210, 222, 232),
     25000.0,
     Foreground::None,
     QPointF(),
     DeckPaint{},
     DistantShip{240.0, 1700.0, 60.0}},
    // From a high bridge on the Pacific, clear sky and navy water, the bow below.
    {"Bfca",
     12,
     1303,
     22.0,
     70.0,
     400.0,
     160.0,
     QColor(48, 98, 170),
     QColor(190, 210, 228),
     CloudLayer{QColor(248, 250, 252), QColor(190, 200, 214), 0.15, 0.4},
     std::nullopt,
     QColor(),
     QColor(10, 28, 58),
     QColor(30, 88, 128),
     QColor(250, 252, 255),
     QColor(205, 218, 232),
     30000.0,
     Foreground::Bow,
     QPointF(206.0, 186.0),
     DeckPaint{QColor(226, 228, 226), QColor(118, 124, 128), QColor(126, 58, 44)},
     std::nullopt},
    // Evening from a small boat's rail, the sun low to the left.
    {"Bfcan",
     11,
     1404,
     4.0,
     118.0,
     430.0,
     -40.0,
     QColor(78, 98, 148),
     QColor(240, 200, 160),
     CloudLayer{QColor(252, 222, 190), QColor(130, 116, 128), 0.3, 0.35},
     QPointF(80.0, 96.0),
     QColor(255, 226, 180),
     QColor(20, 30, 50),
     QColor(64, 90, 100),
     QColor(250, 236, 220),
     QColor(236, 210, 180),
     18000.0,
     Foreground::Rail,
     QPointF(0.0, 226.0),
     DeckPaint{QColor(70, 86, 110), QColor(34, 42, 58), QColor(60, 50, 40)},
     DistantShip{110.0, 900.0, 45.0}},
    // Labrador Sea from a platform, low overcast and slate water.
    {"Bfcana",
     11,
     1505,
     17.0,
     92.0,
     430.0,
     20.0,
     QColor(118, 126, 136),
     QColor(190, 196, 200),
     CloudLayer{QColor(196, 200, 204), QColor(126, 132, 140), 0.85, 0.55},
     std::nullopt,
     QColor(),
     QColor(20, 34, 40),
     QColor(50, 88, 94),
     QColor(228, 234, 236),
     QColor(190, 196, 200),
     9000.0,
     Foreground::None,
     QPointF(),
     DeckPaint{},
     std::nullopt},
    // Tropical trade-wind sea from a cargo ship's bridge, the bow off to the left.
    {"Bforva",
     13,
     1606,
     10.0,
     98.0,
     420.0,
     140.0,
     QColor(40, 108, 200),
     QColor(180, 210, 235),
     CloudLayer{QColor(255, 255, 255), QColor(176, 190, 210), 0.25, 0.25},
     QPointF(330.0, 20.0),
     QColor(255, 252, 236),
     QColor(8, 40, 90),
     QColor(20, 118, 150),
     QColor(255, 255, 255),
     QColor(200, 220, 240),
     30000.0,
     Foreground::Bow,
     QPointF(120.0, 204.0),
     DeckPaint{QColor(238, 238, 232), QColor(140, 140, 136), QColor(56, 84, 70)},
     DistantShip{-40.0, 2600.0, 120.0}},
}};

// Storm weather: how far the light has turned from fair to a gale's grey.
double stormOf(int force) {
    return smoothStep(4.0, 10.0, force);
}

const QColor kStormZenith(64, 70, 78);
const QColor kStormHorizon(150, 156, 160);
const QColor kStormHaze(176, 182, 186);

void paintWeather(QImage& image, const Photographer& camera, int force, const QColor& haze,
                  double hazeAmount) {
    const double storm = stormOf(force);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor horizon =
        mixColor(mixColor(camera.horizon, kStormHorizon, storm), haze, hazeAmount);
    paintSky(painter, image.size(),
             {mixColor(camera.zenith, kStormZenith, storm), horizon, camera.horizonY});
    if (camera.sun && storm < 0.9) {
        QColor glow = camera.sunColour;
        glow.setAlphaF(static_cast<float>(1.0 - storm));
        paintSunGlow(painter, *camera.sun, 140.0, glow);
    }
    const CloudLayer clouds{mixColor(camera.clouds.light, QColor(150, 154, 160), storm),
                            mixColor(camera.clouds.shade, QColor(70, 76, 84), storm),
                            std::lerp(camera.clouds.cover, 0.97, storm), camera.clouds.size};
    // Cloud is soft: drawn at half size and enlarged, it looks the same at a quarter the work.
    const int skyRows = static_cast<int>(std::ceil(camera.horizonY)) + 2;
    QImage half = image.copy(0, 0, image.width(), skyRows)
                      .scaled(image.width() / 2, skyRows / 2, Qt::IgnoreAspectRatio,
                              Qt::SmoothTransformation);
    paintCloudLayer(half, camera.horizonY / 2.0, Noise(camera.seed * 7 + force), clouds);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0.0, 0.0, image.width(), 2.0 * (skyRows / 2)), half);
}

// The ship is drawn before the sea, which then covers the part of it behind the waves.
SeaOccluder paintDistantShip(QImage& image, const Perspective& view, const WaveField& waves,
                             const DistantShip& ship, const QColor& haze, double visibility) {
    QImage layer(image.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const double heave = waves.at(ship.across, ship.distance, 0.0, 0.0).height;
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::Antialiasing);
    paintShip(painter, view.toScreen(ship.across, ship.distance, heave),
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
        const double alpha = strength * (0.35 + 0.65 * low) * (0.55 + 0.9 * (streak - 0.5));
        return mixRgb(current, colour.rgb(), std::clamp(alpha, 0.0, 0.95));
    });
}

void paintForeground(QImage& image, const Photographer& camera) {
    QPainter painter(&image);
    switch (camera.foreground) {
        case Foreground::Rail:
            paintRail(painter, image.size(), camera.foregroundAt.y(), -6.0, camera.deckPaint);
            break;
        case Foreground::Bow:
            paintBow(painter, image.size(), camera.foregroundAt, camera.deckPaint);
            break;
        case Foreground::None:
            break;
    }
}

}  // namespace

SeaSeries seaSeries(int series) {
    const Photographer& camera = kPhotographers.at(series);
    return {QString::fromLatin1(camera.prefix), camera.forces};
}

void drawSeaState(QImage& image, int series, int force) {
    const Photographer& camera = kPhotographers.at(series);
    const ForceLook& sea = kForces.at(force);
    const double storm = stormOf(force);
    const Perspective view(camera.horizonY, image.width() / 2.0, camera.focal, camera.eyeHeight);

    const QColor haze = mixColor(camera.haze, kStormHaze, storm);
    const double visibility = camera.visibility * sea.visibility;
    paintWeather(image, camera, force, haze, 1.0 - sea.visibility);

    const double heading = camera.heading * std::numbers::pi / 180.0;
    const WaveField waves({sea.height, sea.length, heading, sea.spread, sea.patchiness},
                          camera.seed * 100 + force);
    SeaOccluder occluder;
    if (camera.ship) {
        occluder = paintDistantShip(image, view, waves, *camera.ship, haze, visibility);
    }
    const double dim = 1.0 - 0.35 * storm;
    const WindSeaLook look{
        mixColor(camera.deep, QColor(20, 30, 34), storm * 0.5).darker(static_cast<int>(100 / dim)),
        mixColor(camera.body, QColor(50, 80, 80), storm * 0.5),
        mixColor(camera.foam, QColor(214, 220, 222), storm), haze, visibility};
    paintWindSea(image, view, waves, look, sea.foam, camera.seed * 100 + force, occluder);
    paintForeground(image, camera);
    if (sea.veil > 0.0) {
        paintDrivingSpray(image, camera.horizonY, mixColor(look.foam, haze, 0.4), sea.veil, heading,
                          camera.seed * 100 + force);
    }
}

}  // namespace nimbara
