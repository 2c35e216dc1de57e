#include "tools/samplephotos/ice/seaicescenes.h"

#include "tools/samplephotos/ice/bergs.h"
#include "tools/samplephotos/ice/floes.h"
#include "tools/samplephotos/ice/icesheet.h"
#include "tools/samplephotos/ice/polarscene.h"
#include "tools/samplephotos/ice/rubble.h"
#include "tools/samplephotos/paint/cells.h"
#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

// One stage of development seen from a ship's bridge: a sheet, or floes with leads between, a
// lead in the foreground full of broken pieces that show how thick the ice is, and ridges.
enum class Opening { None, ChannelAhead, LeadAcross };

struct Stage {
    Weather weather;
    std::uint64_t seed;
    IceSurface surface;
    QColor edge;       // broken edges: the ice seen from the side
    double freeboard;  // metres
    double eyeHeight;  // metres
    double floeSize;   // metres; 0 for an unbroken sheet
    double leadWidth;  // metres of water between floes
    Opening opening;   // open water in the foreground
    int ridges;
    double ridgeHeight;  // metres
    double pieceSize;    // metres, of the broken pieces in the opening
};

struct Lead {
    bool ahead;
    double centre;
    double halfWidth;

    double offset(double across, double distance, const Noise& noise) const {
        const double wobble = 3.0 * (noise.fractal(across / 9.0, distance / 9.0, 3) - 0.5);
        return ahead ? across - centre - 0.02 * distance + wobble
                     : distance - centre - 0.3 * across + wobble;
    }
    double water(double across, double distance, double blur, const Noise& noise) const {
        return smoothStep(-blur, blur, halfWidth - std::abs(offset(across, distance, noise)));
    }
};

Lead stageLead(const Stage& stage) {
    switch (stage.opening) {
        case Opening::ChannelAhead:
            return {true, -14.0, 7.0};
        case Opening::LeadAcross:
            return {false, 58.0, 9.0};
        case Opening::None:
            break;
    }
    return {false, -1000.0, 0.0};
}

Perspective stageView(const Stage& stage) {
    return stage.eyeHeight >= 15.0 ? bridgeView() : deckView(stage.eyeHeight);
}

double floeCover(const Stage& stage, const Cells& floes, double across, double distance,
                 double blur) {
    if (stage.floeSize <= 0.0) {
        return 1.0;
    }
    const CellSample cell = floes.sample(across, distance);
    return smoothStep(-blur, blur, cell.edgeDistance - stage.leadWidth / 2.0);
}

void paintBrokenPieces(QImage& image, const Perspective& view, const Stage& stage, const Lead& lead,
                       const Noise& noise, Random& random) {
    if (stage.opening == Opening::None) {
        return;
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const FloeStyle style{stage.surface.ice, stage.edge, stage.freeboard};
    const QRectF area =
        lead.ahead ? QRectF(-30.0, 20.0, 30.0, 300.0) : QRectF(-60.0, 30.0, 120.0, 60.0);
    for (const QPolygonF& piece :
         scatterFloes(random, {area, stage.pieceSize, 0.6, 0.35, 0.6}, false)) {
        const QPointF centre = piece.boundingRect().center();
        if (lead.water(centre.x(), centre.y(), 0.0, noise) > 0.5 &&
            std::abs(lead.offset(centre.x(), centre.y(), noise)) <
                lead.halfWidth - stage.pieceSize * 0.4) {
            paintFloe(painter, view, piece, style);
        }
    }
}

void paintRidges(QImage& image, const Perspective& view, const Stage& stage, Random& random) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const RubbleStyle style{stage.surface.snow, stage.surface.ice, stage.edge};
    const double nearest = stage.opening == Opening::LeadAcross ? 110.0 : 8.0 * stage.eyeHeight;
    for (int i = stage.ridges - 1; i >= 0; --i) {
        const double distance = nearest * std::pow(2.2, i) * random.uniform(0.9, 1.2);
        const double start = random.uniform(-0.9, -0.2) * distance * 0.5;
        QPolygonF line;
        for (int k = 0; k < 5; ++k) {
            line << QPointF(start + k * distance * 0.22,
                            distance + random.uniform(-0.1, 0.1) * distance);
        }
        const double slab = stage.ridgeHeight * 0.6;
        paintRidge(painter, view, line, stage.ridgeHeight, slab, random, style);
    }
}

void paintStage(QImage& image, const Stage& stage) {
    const Perspective view = stageView(stage);
    SeaStyle sea = paintPolarSky(image, view, stage.weather, stage.seed);
    sea.waveLength = 1.5;
    sea.roughness = 0.3;
    const Noise noise(stage.seed * 13 + 1);
    const Cells floes(stage.seed * 17 + 2, stage.floeSize > 0.0 ? stage.floeSize : 1.0);
    const Lead lead = stageLead(stage);
    IceSheet sheet;
    sheet.freeboard = stage.freeboard;
    sheet.side = stage.edge;
    sheet.cover = [&](double across, double distance, double blur) {
        return floeCover(stage, floes, across, distance, blur) *
               (1.0 - lead.water(across, distance, blur, noise));
    };
    sheet.water = [&](const GroundPoint& point) {
        return seaColour(sea, noise, view, point.across, point.distance, point.rowDepth);
    };
    sheet.top = [&](const GroundPoint& point) {
        return hazed(iceSurfaceColour(stage.surface, noise, point), sea, point.distance);
    };
    paintIceSheet(image, view, sheet);
    Random random(stage.seed);
    paintRidges(image, view, stage, random);
    paintBrokenPieces(image, view, stage, lead, noise, random);
}

// Level ice seen from a low eye, with the relief `height` lit by a low sun from the left.
void paintRelief(QImage& image, const Perspective& view, const SeaStyle& sea,
                 const HeightField& height,
                 const std::function<QRgb(const GroundPoint&, double level)>& colour) {
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        const double light =
            reliefLight(height, point, std::max(point.rowDepth, 0.3), -0.8, 0.45, 1.6);
        const double level = height(point.across, point.distance);
        return hazed(scaleRgb(colour(point, level), std::clamp(light, 0.55, 1.25)), sea,
                     point.distance);
    });
}

}  // namespace

// Young ice 10-15 cm thick: a grey, bare sheet; a ship's channel shows how thin the broken
// pieces are.
void drawGreyIce(QImage& image) {
    paintStage(image, {.weather = Weather::Overcast,
                       .seed = 41,
                       .surface = {QColor(112, 118, 124), QColor(126, 132, 136), 0.0, 0.18, 30.0},
                       .edge = QColor(84, 94, 102),
                       .freeboard = 0.015,
                       .eyeHeight = 18.0,
                       .floeSize = 0.0,
                       .leadWidth = 0.0,
                       .opening = Opening::ChannelAhead,
                       .ridges = 0,
                       .ridgeHeight = 0.0,
                       .pieceSize = 3.0});
}

// Young ice 15-30 cm thick: lighter grey, a little snow, low ridges of thin broken plates.
void drawGreyWhiteIce(QImage& image) {
    paintStage(image, {.weather = Weather::Overcast,
                       .seed = 42,
                       .surface = {QColor(158, 164, 170), QColor(186, 190, 194), 0.35, 0.16, 25.0},
                       .edge = QColor(118, 130, 140),
                       .freeboard = 0.03,
                       .eyeHeight = 3.0,
                       .floeSize = 0.0,
                       .leadWidth = 0.0,
                       .opening = Opening::None,
                       .ridges = 4,
                       .ridgeHeight = 1.0,
                       .pieceSize = 3.5});
}

// First-year ice 30-70 cm thick: white, level, cracked into wide floes; a lead in front.
void drawThinFirstYearIce(QImage& image) {
    paintStage(image, {.weather = Weather::LowSun,
                       .seed = 43,
                       .surface = {QColor(204, 210, 216), QColor(226, 228, 230), 0.4, 0.12, 22.0},
                       .edge = QColor(140, 160, 176),
                       .freeboard = 0.06,
                       .eyeHeight = 18.0,
                       .floeSize = 420.0,
                       .leadWidth = 3.0,
                       .opening = Opening::LeadAcross,
                       .ridges = 2,
                       .ridgeHeight = 1.0,
                       .pieceSize = 4.0});
}

// First-year ice 70-120 cm thick: snow on it, floes with leads between, ridges of fair size.
void drawMediumFirstYearIce(QImage& image) {
    paintStage(image, {.weather = Weather::Fair,
                       .seed = 44,
                       .surface = {QColor(212, 220, 228), QColor(238, 242, 246), 0.7, 0.14, 18.0},
                       .edge = QColor(120, 150, 172),
                       .freeboard = 0.12,
                       .eyeHeight = 18.0,
                       .floeSize = 170.0,
                       .leadWidth = 7.0,
                       .opening = Opening::None,
                       .ridges = 4,
                       .ridgeHeight = 1.8,
                       .pieceSize = 5.0});
}

// First-year ice over 120 cm thick: large level floes deep in snow; the edge of the lead in front
// stands high out of the water.
void drawThickFirstYearIce(QImage& image) {
    paintStage(image, {.weather = Weather::Clear,
                       .seed = 45,
                       .surface = {QColor(222, 230, 238), QColor(248, 250, 252), 1.0, 0.1, 30.0},
                       .edge = QColor(96, 150, 170),
                       .freeboard = 0.25,
                       .eyeHeight = 8.0,
                       .floeSize = 2500.0,
                       .leadWidth = 16.0,
                       .opening = Opening::LeadAcross,
                       .ridges = 1,
                       .ridgeHeight = 2.6,
                       .pieceSize = 8.0});
}

// Ice that has lived through one summer: hummocks worn smooth but still fairly even, a few
// refrozen puddles, whiter than older ice.
void drawSecondYearIce(QImage& image) {
    const Perspective view = deckView(6.0);
    const SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 46);
    const Noise relief(461);
    const HeightField height = [&](double across, double distance) {
        return 1.2 * relief.fractal(across / 8.0, distance / 8.0, 2);
    };
    paintRelief(image, view, sea, height, [&](const GroundPoint& point, double level) {
        const double puddle = smoothStep(0.4, 0.36, level) * 0.7;
        const double grain = relief.fractal(point.across / 0.6, point.distance / 0.6, 2) - 0.5;
        const QRgb ice = scaleRgb(qRgb(226, 232, 240), 1.0 + 0.06 * grain);
        return mixRgb(ice, qRgb(160, 186, 204), puddle);
    });
}

// Old ice: big, smooth, rounded hummocks, a bluish tint and a network of melt ponds between them.
void drawMultiYearIce(QImage& image) {
    const Perspective view = deckView(9.0);
    const SeaStyle sea = paintPolarSky(image, view, Weather::Clear, 47);
    const Noise relief(471);
    const HeightField height = [&](double across, double distance) {
        return 3.0 * relief.fractal(across / 14.0, distance / 14.0, 3);
    };
    shadeGround(
        image, view,
        [&](const GroundPoint& point, QRgb) {
            const double level = height(point.across, point.distance) / 3.0;
            const double channel =
                relief.ridged(point.across / 20.0 + 9.0, point.distance / 20.0, 2);
            const double water = level - 0.1 * smoothStep(0.85, 0.97, channel);
            const double pond = smoothStep(0.31, 0.295, water);
            const double light =
                reliefLight(height, point, std::max(point.rowDepth, 0.3), -0.8, 0.5, 6.0);
            const QRgb ice =
                mixRgb(qRgb(150, 186, 222), qRgb(246, 250, 253), std::clamp(0.5 * light, 0.0, 1.0));
            const QRgb pondColour =
                mixRgb(qRgb(110, 190, 216), qRgb(50, 120, 174), smoothStep(0.3, 0.2, water));
            return hazed(mixRgb(ice, pondColour, pond), sea, point.distance);
        },
        2);
}

// Ice crushed and piled every which way into ridges and mounds, as far as one can see.
void drawHummockedIce(QImage& image) {
    const Perspective view = deckView(2.5);
    const SeaStyle sea = paintPolarSky(image, view, Weather::LowSun, 48);
    const Noise noise(481);
    const IceSurface surface{QColor(214, 220, 228), QColor(240, 238, 234), 0.8, 0.12, 12.0};
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        return hazed(iceSurfaceColour(surface, noise, point), sea, point.distance);
    });
    Random random(482);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const RubbleStyle style{QColor(246, 242, 236), QColor(236, 224, 206), QColor(120, 138, 170)};
    for (double distance = 900.0; distance > 14.0; distance /= random.uniform(1.25, 1.5)) {
        const double across = random.uniform(-0.45, 0.45) * distance;
        const double angle = random.uniform(-0.8, 0.8);
        QPolygonF line;
        for (int k = -2; k <= 2; ++k) {
            const double step = distance * 0.18 * k;
            line << QPointF(across + step * std::cos(angle), distance + step * std::sin(angle));
        }
        const double height = random.uniform(1.5, 3.5);
        paintRidge(painter, view, line, height, height * 0.5, random, style);
    }
}

// A single mound of broken ice pushed up out of otherwise level ice, snow drifted against it.
void drawHummock(QImage& image) {
    const Perspective view = deckView(3.0);
    const SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 49);
    const Noise noise(491);
    const IceSurface surface{QColor(220, 228, 236), QColor(244, 246, 250), 0.8, 0.1, 10.0};
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        return hazed(iceSurfaceColour(surface, noise, point), sea, point.distance);
    });
    Random random(492);
    const QPointF foot = view.toScreen(-2.0, 30.0);
    BergStyle mound{QColor(240, 244, 248), QColor(150, 170, 196), QColor(0, 0, 0), 0.55, 0.1, 1.0};
    mound.afloat = false;
    paintBerg(image, foot, bergProfile(random, BergShape::Blocky, 150.0, 62.0), mound, noise);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const RubbleStyle slabs{QColor(246, 248, 250), QColor(216, 226, 236), QColor(120, 146, 178)};
    for (int i = 0; i < 6; ++i) {
        const double x = random.uniform(-60.0, 60.0);
        const double rise = 56.0 * std::sqrt(std::max(1.0 - std::pow(x / 75.0, 2.0), 0.0));
        paintSlab(painter, foot + QPointF(x, -rise + 6.0), random.uniform(16.0, 26.0), random,
                  slabs);
    }
    paintSnowDrift(painter, foot + QPointF(0.0, 2.0), 230.0, 14.0, slabs);
}

// Level ice split by a narrow, jagged fracture that runs off towards the horizon.
void drawCrack(QImage& image) {
    const Perspective view = deckView(4.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 50);
    sea.roughness = 0.1;
    const Noise noise(501);
    const IceSurface surface{QColor(214, 222, 230), QColor(240, 244, 248), 0.6, 0.12, 14.0};
    IceSheet sheet;
    sheet.freeboard = 0.08;
    sheet.side = QColor(120, 150, 170);
    sheet.cover = [&](double across, double distance, double blur) {
        const double path = -0.04 * distance + 4.0 *
                                                   (noise.fractal(distance / 14.0, 2.5, 4) - 0.5) *
                                                   std::sqrt(distance);
        const double width = 0.35 + 0.25 * noise.value(distance / 5.0, 8.0);
        return 1.0 - smoothStep(-blur, blur, width - std::abs(across - path));
    };
    sheet.water = [&](const GroundPoint& point) {
        return mixRgb(seaColour(sea, noise, view, point.across, point.distance, point.rowDepth),
                      qRgb(20, 26, 32), 0.6);
    };
    sheet.top = [&](const GroundPoint& point) {
        return hazed(iceSurfaceColour(surface, noise, point), sea, point.distance);
    };
    paintIceSheet(image, view, sheet);
}

// Snow carved by the wind into sharp parallel ridges, lit by a low sun.
void drawSastrugi(QImage& image) {
    const Perspective view(68.0, 200.0, 430.0, 1.6);
    const SeaStyle sea = paintPolarSky(image, view, Weather::LowSun, 51);
    const Noise snow(511);
    const double wind = 0.5;
    const HeightField height = [&](double across, double distance) {
        const double u = across * std::cos(wind) - distance * std::sin(wind);
        const double v = across * std::sin(wind) + distance * std::cos(wind);
        const double crest = snow.ridged(u / 0.9, v / 5.0, 3);
        return 0.28 * std::pow(crest, 3.0) + 0.1 * snow.fractal(u / 4.0, v / 8.0, 2);
    };
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        const double light =
            reliefLight(height, point, std::max(point.rowDepth, 0.02), 0.9, 0.3, 5.0);
        const double lit = std::clamp(0.5 + 0.5 * (light - 1.0), 0.0, 1.0);
        QRgb colour = mixRgb(qRgb(140, 160, 200), qRgb(255, 246, 232),
                             std::clamp(0.35 + 1.2 * (lit - 0.5), 0.0, 1.0));
        return hazed(colour, sea, point.distance);
    });
}

}  // namespace nimbara
