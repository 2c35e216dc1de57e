#include "tools/samplephotos/ice/floescenes.h"

#include "tools/samplephotos/ice/floes.h"
#include "tools/samplephotos/ice/icesheet.h"
#include "tools/samplephotos/ice/polarscene.h"
#include "tools/samplephotos/paint/cells.h"
#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"
#include "tools/samplephotos/sea/ship.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

const IceSurface kSnowyIce{QColor(214, 224, 234), QColor(244, 246, 250), 0.8, 0.12, 20.0};

// Floes painted in perspective, then given a snow texture on their tops.
void paintFloeField(QImage& image, const Perspective& view, const std::vector<QPolygonF>& floes,
                    const FloeStyle& style, const Noise& noise) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const QPolygonF& floe : floes) {
        paintFloe(painter, view, floe, style);
    }
    painter.end();
    const QImage tops = coverageMask(image.size(), floeTops(view, floes, style.freeboard));
    applyGroundGrain(image, tops, view, noise, {2.0, 2.0, 0.08, 3});
}

// The floe a point lies on, its borders bent by noise so that they break irregularly.
CellSample floeAt(const Cells& floes, const Noise& noise, double floeSize, double across,
                  double distance) {
    const double scale = floeSize * 0.45;
    const double bendAcross = noise.fractal(across / scale, distance / scale, 3) - 0.5;
    const double bendDistance =
        noise.fractal(across / scale + 19.0, distance / scale + 7.0, 3) - 0.5;
    return floes.sample(across + 0.5 * floeSize * bendAcross,
                        distance + 0.5 * floeSize * bendDistance);
}

// Pack ice seen from the air: floes of about `floeSize` metres with cracks `crackWidth` wide.
double packCover(const Cells& floes, const Noise& noise, double floeSize, double crackWidth,
                 double across, double distance, double blur) {
    const CellSample cell = floeAt(floes, noise, floeSize, across, distance);
    return smoothStep(-blur, blur, cell.edgeDistance - crackWidth / 2.0);
}

// Snow on the floes, each floe a shade of its own, pressure ridges as faint lines.
QRgb packTop(const Cells& floes, const Noise& noise, double floeSize, const SeaStyle& sea,
             const GroundPoint& point) {
    const CellSample cell = floeAt(floes, noise, floeSize, point.across, point.distance);
    const double tone = 0.93 + 0.08 * static_cast<double>(cell.cell % 1000) / 1000.0;
    const double ridge =
        noise.ridged(point.across / (floeSize * 0.7) + 3.0, point.distance / (floeSize * 0.7), 2);
    const double ridgeLine =
        smoothStep(0.96, 0.99, ridge) * std::clamp(floeSize / (20.0 * point.rowDepth), 0.0, 1.0);
    const QRgb snow = scaleRgb(iceSurfaceColour(kSnowyIce, noise, point), tone);
    return hazed(mixRgb(snow, qRgb(176, 188, 202), 0.35 * ridgeLine), sea, point.distance);
}

IceSheet aerialSheet(const SeaStyle& sea, const Perspective& view, const Noise& noise) {
    IceSheet sheet;
    sheet.freeboard = 0.0;
    sheet.side = QColor(150, 170, 190);
    sheet.water = [&sea, &view, &noise](const GroundPoint& point) {
        return seaColour(sea, noise, view, point.across, point.distance, point.rowDepth);
    };
    return sheet;
}

}  // namespace

// Small broken fragments, none more than a couple of metres, crowding the water.
void drawBrash(QImage& image) {
    const Perspective view = deckView(8.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 61);
    const Noise noise(611);
    sea.waveLength = 1.0;
    sea.roughness = 0.4;
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        const QRgb water =
            seaColour(sea, noise, view, point.across, point.distance, point.rowDepth);
        const double mottle = noise.fractal(point.across / 3.0, point.distance / 3.0, 4);
        return hazed(mixRgb(water, qRgb(200, 206, 212), 0.35 + 0.4 * mottle), sea, point.distance);
    });
    Random random(612);
    const FloeStyle fragment{QColor(214, 222, 228), QColor(120, 150, 168), 0.12};
    const auto pieces = scatterInView(random, view, image.width(), 6.0, 150.0,
                                      {{}, 1.0, 0.85, 0.5, 0.12, 3, 6, 1.4}, false);
    paintFloeField(image, view, pieces, fragment, noise);
}

// Floes some tens of metres across, separated by open water, out to the horizon.
void drawSmallFloes(QImage& image) {
    const Perspective view = bridgeView();
    SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 62);
    paintOpenSea(image, view, sea, 2.0, 0.4, 62);
    const Noise noise(621);
    Random random(622);
    const FloeStyle floe{QColor(226, 234, 242), QColor(120, 156, 184), 0.6};
    const auto floes =
        scatterInView(random, view, image.width(), 70.0, 5000.0, {{}, 40.0, 0.6, 0.5, 8.0}, false);
    paintFloeField(image, view, floes, floe, noise);
}

// One flat piece of sea ice, a dozen metres across, alone on the water.
void drawIceCake(QImage& image) {
    const Perspective view = deckView(6.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 63);
    paintOpenSea(image, view, sea, 2.5, 0.5, 63);
    const Noise noise(631);
    Random random(632);
    const FloeStyle cake{QColor(228, 234, 240), QColor(110, 150, 170), 0.3};
    std::vector<QPolygonF> floes = {angularOutline(random, 7.0, 11, 1.1).translated(-1.0, 30.0)};
    floes.insert(floes.begin(), angularOutline(random, 1.2, 5, 0.8).translated(12.0, 60.0));
    paintFloeField(image, view, floes, cake, noise);
}

// From high up: one floe more than ten kilometres across fills the view; its edge and open water
// show only far away.
void drawGiantFloes(QImage& image) {
    const Perspective view = aerialView(3000.0, 40.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Clear, 64);
    sea.waveLength = 30.0;
    const Noise noise(641);
    const double floeSize = 14000.0;
    const Cells floes(642, floeSize);
    auto edgeAt = [&](double across) {
        return 17000.0 + 0.3 * across + 4000.0 * (noise.fractal(across / 6000.0, 4.0, 4) - 0.5);
    };
    IceSheet sheet = aerialSheet(sea, view, noise);
    sheet.cover = [&](double across, double distance, double blur) {
        const double edge = edgeAt(across);
        const double lead = smoothStep(-blur, blur, 700.0 - std::abs(distance - edge - 700.0));
        const double beyond = distance > edge
                                  ? packCover(floes, noise, floeSize, 400.0, across, distance, blur)
                                  : 1.0;
        return (1.0 - lead) * beyond;
    };
    sheet.top = [&](const GroundPoint& point) {
        return packTop(floes, noise, floeSize, sea, point);
    };
    paintIceSheet(image, view, sheet);
}

// From the air: a few floes kilometres across, each with its own ridges, leads between them.
void drawVastFloes(QImage& image) {
    const Perspective view = aerialView(6000.0, -170.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Clear, 65);
    sea.waveLength = 20.0;
    const Noise noise(651);
    const double floeSize = 5200.0;
    const Cells floes(652, floeSize);
    IceSheet sheet = aerialSheet(sea, view, noise);
    sheet.cover = [&](double across, double distance, double blur) {
        const double width = 160.0 + 140.0 * noise.fractal(across / 3000.0, distance / 3000.0, 2);
        return packCover(floes, noise, floeSize, width, across, distance, blur);
    };
    sheet.top = [&](const GroundPoint& point) {
        return packTop(floes, noise, floeSize, sea, point);
    };
    const auto water = sheet.water;
    sheet.water = [&, water](const GroundPoint& point) {
        const double skim =
            smoothStep(0.45, 0.6, noise.fractal(point.across / 500.0, point.distance / 500.0, 3));
        return mixRgb(water(point), qRgb(86, 94, 102), 0.7 * skim);
    };
    paintIceSheet(image, view, sheet);
}

// A wide channel of dark water winding through close pack ice, wide enough for a ship.
void drawLead(QImage& image) {
    const Perspective view = aerialView(350.0, 30.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 66);
    sea.waveLength = 3.0;
    const Noise noise(661);
    const double floeSize = 140.0;
    const Cells floes(662, floeSize);
    auto centre = [&](double distance) {
        return -60.0 + 260.0 * std::sin(distance / 1400.0) +
               80.0 * (noise.fractal(distance / 500.0, 2.0, 3) - 0.5);
    };
    IceSheet sheet = aerialSheet(sea, view, noise);
    sheet.freeboard = 0.4;
    sheet.cover = [&](double across, double distance, double blur) {
        const double halfWidth = 45.0 + 15.0 * noise.value(distance / 300.0, 6.0);
        const double open =
            smoothStep(-blur, blur, halfWidth - std::abs(across - centre(distance)));
        return (1.0 - open) * packCover(floes, noise, floeSize, 3.0, across, distance, blur);
    };
    sheet.top = [&](const GroundPoint& point) {
        return packTop(floes, noise, floeSize, sea, point);
    };
    paintIceSheet(image, view, sheet);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double shipDistance = 1300.0;
    paintShip(painter, view.toScreen(centre(shipDistance), shipDistance),
              100.0 * view.pixelsPerMetre(shipDistance));
}

// A wide, roughly round opening of water in the middle of the pack, steaming in the cold.
void drawPolynya(QImage& image) {
    const Perspective view = aerialView(900.0, 34.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 67);
    sea.waveLength = 6.0;
    sea.roughness = 0.8;
    const Noise noise(671);
    const double floeSize = 260.0;
    const Cells floes(672, floeSize);
    IceSheet sheet = aerialSheet(sea, view, noise);
    sheet.cover = [&](double across, double distance, double blur) {
        const double dx = (across - 300.0) / 1700.0;
        const double dy = (distance - 4200.0) / 1400.0;
        const double reach =
            0.85 + 0.45 * (noise.fractal(std::atan2(dy, dx) * 1.5 + 5.0, 1.0, 3) - 0.5);
        const double inside = (reach - std::hypot(dx, dy)) * 1400.0;
        return (1.0 - smoothStep(-blur, blur, inside)) *
               packCover(floes, noise, floeSize, 4.0, across, distance, blur);
    };
    sheet.top = [&](const GroundPoint& point) {
        return packTop(floes, noise, floeSize, sea, point);
    };
    paintIceSheet(image, view, sheet);
}

// A long, narrow band of broken ice lying across open water.
void drawStrip(QImage& image) {
    const Perspective view = aerialView(500.0, 30.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 68);
    sea.waveLength = 3.0;
    sea.roughness = 0.7;
    const Noise noise(681);
    const Cells pieces(682, 28.0);
    IceSheet sheet = aerialSheet(sea, view, noise);
    sheet.freeboard = 0.3;
    sheet.cover = [&](double across, double distance, double blur) {
        const double middle = 2300.0 + 0.55 * across + 500.0 * std::sin(across / 1500.0);
        const double halfWidth = 150.0 + 70.0 * (noise.fractal(across / 700.0, 3.0, 3) - 0.5);
        const double off = std::abs(distance - middle) / halfWidth;
        const CellSample cell = pieces.sample(across, distance);
        const double kept = static_cast<double>(cell.cell % 100) / 100.0;
        const double dense =
            smoothStep(1.0, 0.5, off + 0.2 * noise.value(across / 80.0, distance / 80.0));
        return kept < dense ? smoothStep(-blur, blur, cell.edgeDistance - 2.0) : 0.0;
    };
    sheet.top = [&](const GroundPoint& point) { return packTop(pieces, noise, 28.0, sea, point); };
    paintIceSheet(image, view, sheet);
}

// Floes scattered thinly over the sea: much more water than ice.
void drawVeryOpenPack(QImage& image) {
    const Perspective view = aerialView(250.0, 24.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Clear, 69);
    paintOpenSea(image, view, sea, 3.0, 0.6, 69);
    const Noise noise(691);
    Random random(692);
    const FloeStyle floe{QColor(226, 234, 242), QColor(120, 156, 184), 0.6};
    const auto floes = scatterInView(random, view, image.width(), 60.0, 9000.0,
                                     {{}, 40.0, 0.8, 0.16, 40.0}, false);
    paintFloeField(image, view, floes, floe, noise);
}

}  // namespace nimbara
