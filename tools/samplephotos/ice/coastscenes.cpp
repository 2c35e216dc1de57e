#include "tools/samplephotos/ice/coastscenes.h"

#include "tools/samplephotos/ice/bergs.h"
#include "tools/samplephotos/ice/floes.h"
#include "tools/samplephotos/ice/icesheet.h"
#include "tools/samplephotos/ice/polarscene.h"
#include "tools/samplephotos/paint/landscape.h"
#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

const MountainStyle kArcticRange{QColor(84, 78, 74), QColor(236, 240, 246), QColor(110, 124, 150),
                                 0.3};

void paintDriftingBits(QImage& image, const Perspective& view, Random& random, double nearest,
                       double farthest, double size, double cover) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const FloeStyle bit{QColor(232, 240, 246), QColor(130, 170, 196), size * 0.12};
    for (const QPolygonF& piece : scatterInView(random, view, image.width(), nearest, farthest,
                                                {{}, size, 0.7, cover, size}, false)) {
        paintFloe(painter, view, piece, bit);
    }
}

QPainterPath polygonPath(const QPolygonF& polygon) {
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

// Wet sand and shingle left by the ebb, with pools and a line of weed where the water stood.
void paintTidalFlat(QImage& image, const Perspective& view, const Noise& noise, double waterEdge) {
    shadeGround(image, view, [&](const GroundPoint& point, QRgb current) {
        const double edge = waterEdge + 0.05 * point.across +
                            10.0 * (noise.fractal(point.across / 30.0, 1.0, 3) - 0.5);
        if (point.distance > edge + 1.0) {
            return current;
        }
        const double pools =
            smoothStep(0.55, 0.62, noise.fractal(point.across / 4.0, point.distance / 2.0, 4));
        const double pebbles = noise.fractal(point.across / 0.15, point.distance / 0.15, 2) *
                               std::clamp(0.1 / point.rowDepth, 0.0, 1.0);
        const double weed = smoothStep(1.2, 0.0, std::abs(point.distance - edge + 12.0)) * 0.6;
        QRgb flat = scaleRgb(qRgb(112, 100, 86), 0.85 + 0.3 * pebbles);
        flat = mixRgb(flat, qRgb(52, 48, 38), weed);
        flat = mixRgb(flat, mixRgb(current, qRgb(160, 164, 168), 0.5), 0.8 * pools);
        return mixRgb(flat, current, smoothStep(edge - 1.0, edge + 1.0, point.distance));
    });
}

// The soft shadow a block aground throws on the flat beside it.
void paintGroundShadow(QImage& image, const QPointF& foot, double width) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 38, 34, 110));
    painter.drawEllipse(foot + QPointF(width * 0.12, 1.0), width * 0.6, width * 0.05);
}

}  // namespace

// Level ice held fast along a mountainous shore; its edge meets the open water in front.
void drawFastIce(QImage& image) {
    const Perspective view = deckView(5.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 71);
    sea.waveLength = 2.0;
    sea.roughness = 0.6;
    Random random(711);
    const Noise noise(712);
    paintMountains(image, ridgeLine(random, -10.0, 410.0, 62.0, 0.6), view.horizonY() + 2.0,
                   kArcticRange, noise);
    const IceSurface surface{QColor(214, 222, 230), QColor(242, 244, 248), 0.8, 0.1, 16.0};
    IceSheet sheet;
    sheet.freeboard = 0.35;
    sheet.side = QColor(110, 150, 172);
    sheet.cover = [&](double across, double distance, double blur) {
        const double edge =
            30.0 + 0.04 * across + 4.0 * (noise.fractal(across / 15.0, 2.0, 3) - 0.5);
        return smoothStep(-blur, blur, distance - edge);
    };
    sheet.water = [&](const GroundPoint& point) {
        return seaColour(sea, noise, view, point.across, point.distance, point.rowDepth);
    };
    sheet.top = [&](const GroundPoint& point) {
        return hazed(iceSurfaceColour(surface, noise, point), sea, point.distance);
    };
    paintIceSheet(image, view, sheet);
}

namespace {

// The glacier's surface between its head up the valley and its front at the sea.
struct GlacierShape {
    double headY;
    double frontY;
    double headHalfWidth;
    double frontHalfWidth;

    double halfWidth(double y) const {
        const double t = std::clamp((y - headY) / (frontY - headY), 0.0, 1.0);
        const double bends = 1.0 + 0.12 * std::sin(t * 9.0) * t;
        return std::lerp(headHalfWidth, frontHalfWidth, std::pow(t, 1.8)) * bends;
    }
    QPainterPath outline(double centreX) const {
        QPainterPath path(QPointF(centreX - headHalfWidth, headY));
        for (double y = headY; y <= frontY; y += 2.0) {
            path.lineTo(centreX + halfWidth(y), y);
        }
        for (double y = frontY; y >= headY; y -= 2.0) {
            path.lineTo(centreX - halfWidth(y), y);
        }
        path.closeSubpath();
        return path;
    }
};

// Crevasses in arcs bowed towards the front, dark moraine stripes carried down the valley.
QRgb glacierSurface(const GlacierShape& glacier, const Noise& noise, double x, double y) {
    const double across = (x - 200.0) / glacier.halfWidth(y);
    const double down = (y - glacier.headY) / (glacier.frontY - glacier.headY);
    const double phase = 40.0 * std::log(y - glacier.headY + 6.0) - 6.0 * across * across +
                         1.5 * noise.value(x / 15.0, y / 6.0);
    const double crevasse =
        smoothStep(0.8, 0.95, 0.5 + 0.5 * std::sin(phase)) *
        smoothStep(0.35, 0.55, noise.fractal(x / 30.0, y / 12.0, 3) + 0.25 * std::abs(across));
    const double medial = smoothStep(0.025, 0.0, std::abs(across + 0.2 * down - 0.3)) * down;
    const double lateral = smoothStep(0.9, 1.0, std::abs(across));
    const double bulge = 1.0 - 0.1 * across * across - 0.08 * across;
    QRgb ice = scaleRgb(qRgb(228, 236, 246),
                        bulge * (0.93 + 0.1 * noise.fractal(x / 8.0, y / 3.0, 3)) - 0.06 * down);
    ice = mixRgb(ice, qRgb(70, 100, 150), 0.8 * crevasse);
    return mixRgb(ice, qRgb(104, 96, 90), 0.55 * std::min(medial + lateral, 1.0));
}

QPainterPath flankArea(const GlacierShape& glacier, const QPolygonF& ridge, double side,
                       double coastY) {
    QPainterPath area(QPointF(ridge.front().x(), coastY));
    for (const QPointF& point : ridge) {
        area.lineTo(point);
    }
    for (double y = glacier.headY; y <= glacier.frontY; y += 2.0) {
        area.lineTo(200.0 + side * glacier.halfWidth(y), y);
    }
    area.lineTo(200.0 + side * glacier.frontHalfWidth, coastY);
    area.closeSubpath();
    return area;
}

QPolygonF flankRidge(Random& random, double fromX, double toX, double fromY, double toY) {
    QPolygonF ridge = ridgeLine(random, fromX, toX, 60.0, 0.5);
    for (QPointF& point : ridge) {
        const double t = (point.x() - fromX) / (toX - fromX);
        point.setY(std::lerp(fromY, toY, t) - point.y() * 0.8);
    }
    return ridge;
}

}  // namespace

// A river of ice flowing down a valley between mountains and breaking off into the sea.
void drawGlacier(QImage& image) {
    const Perspective view(140.0, 200.0, 430.0, 12.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Clear, 72);
    paintOpenSea(image, view, sea, 3.0, 0.5, 72);
    Random random(721);
    const Noise noise(722);
    const GlacierShape glacier{58.0, 128.0, 16.0, 150.0};
    const double coastY = 150.0;
    paintMountains(image, ridgeLine(random, 110.0, 290.0, 46.0, 0.5), 80.0, kArcticRange, noise);
    shadePixels(image, coverageMask(image.size(), glacier.outline(200.0)), [&](int x, int y, QRgb) {
        return glacierSurface(glacier, noise, x + 0.5, y + 0.5);
    });
    paintMountainArea(
        image, flankArea(glacier, flankRidge(random, -10.0, 190.0, 80.0, 62.0), -1.0, coastY),
        coastY, 130.0, kArcticRange, noise);
    QPolygonF right = flankRidge(random, 410.0, 210.0, 90.0, 62.0);
    paintMountainArea(image, flankArea(glacier, right, 1.0, coastY), coastY, 130.0, kArcticRange,
                      noise);
    const QPolygonF face({{200.0 - glacier.frontHalfWidth, glacier.frontY},
                          {200.0 + glacier.frontHalfWidth, glacier.frontY},
                          {200.0 + glacier.frontHalfWidth, coastY},
                          {200.0 - glacier.frontHalfWidth, coastY}});
    shadePixels(image, coverageMask(image.size(), polygonPath(face)), [&](int x, int y, QRgb) {
        const double flute = noise.ridged(x / 3.0, y / 30.0, 2);
        const double up = (coastY - y) / (coastY - glacier.frontY);
        return scaleRgb(qRgb(150, 190, 228), 0.78 + 0.25 * flute + 0.15 * up);
    });
    paintDriftingBits(image, view, random, 40.0, 480.0, 6.0, 0.05);
}

// The sheer, high front of a floating ice sheet, running level into the distance.
void drawIceShelf(QImage& image) {
    const Perspective view = deckView(8.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Clear, 73);
    paintOpenSea(image, view, sea, 3.0, 0.5, 73);
    const Noise noise(731);
    const double height = 38.0;
    const double offset = -150.0, slant = 0.35;
    auto distanceAt = [&](double x) { return 430.0 * offset / (x - 200.0 - 430.0 * slant); };
    QPainterPath face;
    const double vanishX = 200.0 + 430.0 * slant;
    face.moveTo(-1.0, view.toScreen(0.0, distanceAt(-1.0), height).y());
    face.lineTo(vanishX, view.horizonY());
    face.lineTo(-1.0, view.toScreen(0.0, distanceAt(-1.0), 0.0).y());
    face.closeSubpath();
    shadePixels(image, coverageMask(image.size(), face), [&](int x, int y, QRgb) {
        const double distance = distanceAt(x + 0.5);
        const double top = view.toScreen(0.0, distance, height).y();
        const double foot = view.toScreen(0.0, distance, 0.0).y();
        const double up = std::clamp((foot - y) / (foot - top), 0.0, 1.0);
        const double flute = noise.ridged(distance / 4.0, up * 3.0, 3);
        const double layers =
            0.5 + 0.5 * std::sin(up * 60.0 + 3.0 * noise.value(distance / 30.0, 1.0));
        QRgb colour = mixRgb(qRgb(150, 186, 222), qRgb(236, 242, 250),
                             smoothStep(0.0, 0.9, up) * 0.6 + 0.25 * flute);
        colour = scaleRgb(colour, 0.96 + 0.05 * layers * smoothStep(0.75, 1.0, up));
        colour = mixRgb(colour, qRgb(70, 110, 150), smoothStep(0.06, 0.0, up) * 0.7);
        return hazed(colour, sea, distance);
    });
    Random random(732);
    paintDriftingBits(image, view, random, 30.0, 800.0, 3.0, 0.04);
}

// Blocks of ice left sitting on a tidal flat when the sea went out.
void drawStrandedIce(QImage& image) {
    const Perspective view = deckView(4.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 74);
    paintOpenSea(image, view, sea, 3.0, 0.5, 74);
    const Noise noise(741);
    paintTidalFlat(image, view, noise, 60.0);
    Random random(742);
    BergStyle grounded{
        QColor(236, 240, 244), QColor(150, 170, 192), QColor(90, 140, 160), 0.55, 0.4, 0.5};
    grounded.afloat = false;
    struct Block {
        QPointF ground;
        double width;  // pixels
    };
    const Block blocks[] = {{{-14.0, 48.0}, 60.0}, {{9.0, 30.0}, 120.0}, {{-3.0, 14.0}, 150.0}};
    for (const Block& block : blocks) {
        const QPointF foot = view.toScreen(block.ground);
        paintGroundShadow(image, foot, block.width);
        paintBerg(image, foot,
                  bergProfile(random, BergShape::Weathered, block.width, block.width * 0.38),
                  grounded, noise);
    }
}

}  // namespace nimbara
