#include "tools/samplephotos/sky/skyground.h"

#include "tools/samplephotos/paint/cells.h"
#include "tools/samplephotos/paint/landscape.h"
#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"
#include "tools/samplephotos/sea/sea.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

QRgb lit(QRgb colour, const Daylight& light) {
    const QRgb tinted = mixRgb(colour, light.sunlight.rgb(), 0.12);
    return scaleRgb(tinted, 0.35 + 0.65 * light.groundLight);
}

// The mean colour of the sky just above the horizon, which calm water and far land mirror.
QRgb horizonSky(const QImage& image, const Perspective& view) {
    const int bottom = std::clamp(static_cast<int>(view.horizonY()) - 1, 0, image.height() - 1);
    const int top = std::max(bottom - 24, 0);
    double red = 0.0, green = 0.0, blue = 0.0;
    int count = 0;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < image.width(); x += 4) {
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
            ++count;
        }
    }
    return qRgb(static_cast<int>(red / count), static_cast<int>(green / count),
                static_cast<int>(blue / count));
}

void paintFields(QImage& image, const Perspective& view, const Daylight& light,
                 std::uint64_t seed) {
    const Cells parcels(seed * 3 + 1, 160.0);
    const Noise noise(seed * 5 + 2);
    const QRgb palette[] = {qRgb(78, 104, 52), qRgb(104, 118, 58), qRgb(150, 138, 78),
                            qRgb(92, 110, 64), qRgb(122, 100, 70), qRgb(70, 92, 50)};
    const QRgb average = qRgb(94, 108, 60);
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        const double detail = std::clamp(60.0 / (3.0 * point.rowDepth), 0.0, 1.0);
        QRgb colour = average;
        if (detail > 0.02) {
            const CellSample cell = parcels.sample(point.across, point.distance * 0.8);
            QRgb field = palette[cell.cell % 6];
            const double texture = noise.fractal(point.across / 12.0, point.distance / 12.0, 3);
            field = scaleRgb(field, 0.85 + 0.3 * texture);
            field = mixRgb(field, qRgb(40, 56, 30), smoothStep(4.0, 1.0, cell.edgeDistance));
            colour = mixRgb(average, field, detail);
        }
        return intoHaze(lit(colour, light), light, point.distance);
    });
}

// A dark, uneven line of woods and hedges along the horizon.
void paintTreeLine(QImage& image, const Perspective& view, const Daylight& light,
                   std::uint64_t seed, double distance) {
    const Noise noise(seed * 7 + 4);
    const QRgb trees = intoHaze(lit(qRgb(36, 50, 30), light), light, distance);
    const double horizon = view.horizonY();
    for (int x = 0; x < image.width(); ++x) {
        const double wood = smoothStep(0.42, 0.7, noise.fractal(x / 40.0, 0.5, 3));
        const double crowns = noise.fractal(x / 2.5, 3.5, 2);
        const double height = 1.0 + wood * (3.0 + 3.0 * crowns) + 1.2 * crowns;
        const int top = static_cast<int>(std::floor(horizon - height));
        for (int y = std::max(top, 0); y <= static_cast<int>(horizon) + 1 && y < image.height();
             ++y) {
            const double cover = std::clamp(y + 1.0 - (horizon - height), 0.0, 1.0);
            image.setPixel(x, y, mixRgb(image.pixel(x, y), trees, cover));
        }
    }
}

struct Ridge {
    double height;      // pixels above the horizon at its highest
    double ruggedness;  // 0 .. 1
    double distance;    // metres, for haze and for the cloud base cap
    QRgb colour;
};

void paintRidge(QImage& image, const Perspective& view, const Daylight& light, Random& random,
                const Noise& noise, const Ridge& ridge, double capBase) {
    const QPolygonF line =
        ridgeLine(random, -10.0, image.width() + 10.0, ridge.height, ridge.ruggedness);
    const double baseY = view.horizonY() + 1.5;
    QPainterPath land(QPointF(line.front().x(), baseY + 2.0));
    for (const QPointF& point : line) {
        land.lineTo(point.x(), baseY - point.y());
    }
    land.lineTo(line.back().x(), baseY + 2.0);
    land.closeSubpath();
    const QRgb fog = mixRgb(light.shade.rgb(), light.haze.rgb(), 0.5);
    const double metresPerPixel = ridge.distance / view.focalLength();
    shadePixels(image, coverageMask(image.size(), land), [&](int x, int y, QRgb) {
        const double texture = noise.fractal(x / 9.0, y / 4.0, 4);
        QRgb colour = scaleRgb(ridge.colour, 0.8 + 0.4 * texture);
        colour = intoHaze(lit(colour, light), light, ridge.distance);
        if (capBase > 0.0) {
            const double altitude = (view.horizonY() - y) * metresPerPixel;
            const double ragged = 60.0 * (noise.fractal(x / 6.0, y / 3.0, 3) - 0.5);
            colour =
                mixRgb(colour, fog, smoothStep(capBase - 80.0, capBase + 20.0, altitude + ragged));
        }
        return colour;
    });
}

void paintSeaSurface(QImage& image, const Perspective& view, const Daylight& light,
                     std::uint64_t seed, const QImage* mask) {
    const QRgb sky = horizonSky(image, view);
    const SeaStyle style{QColor(scaleRgb(qRgb(22, 44, 62), 0.4 + 0.6 * light.groundLight)),
                         QColor(sky),
                         light.haze,
                         3.0,
                         0.7,
                         light.visibility * 0.6};
    const Noise noise(seed * 13 + 9);
    if (mask != nullptr) {
        paintSea(image, view, style, noise, *mask);
    } else {
        paintSea(image, view, style, noise);
    }
}

// A deck of cloud tops seen from above: rounded heaps lit by the sun, shaded hollows between.
void paintCloudDeck(QImage& image, const Perspective& view, const Daylight& light,
                    std::uint64_t seed) {
    const Noise noise(seed * 17 + 6);
    const QRgb bright = mixRgb(light.sunlight.rgb(), qRgb(255, 255, 255), 0.4);
    const QRgb hollow = mixRgb(light.shade.rgb(), qRgb(170, 184, 206), 0.4);
    shadeGround(
        image, view,
        [&](const GroundPoint& point, QRgb) {
            const double detail = std::clamp(400.0 / (3.0 * point.rowDepth), 0.0, 1.0);
            const double u = point.across / 1400.0;
            const double v = point.distance / 1400.0;
            const double heaps = noise.fractal(u, v, 5);
            const double lee = noise.fractal(u + 0.04, v - 0.06, 5);
            const double shape = 0.5 + detail * (heaps - 0.5);
            const double relief = 0.5 + detail * 3.0 * (heaps - lee);
            QRgb colour = mixRgb(
                hollow, bright,
                std::clamp(0.35 + 0.9 * (shape - 0.5) + 0.5 * (relief - 0.5) + 0.3, 0.0, 1.0));
            return intoHaze(colour, light, point.distance * 0.6);
        },
        1);
}

}  // namespace

void paintScenery(QImage& image, const Perspective& view, const Daylight& light, Scenery scenery,
                  std::uint64_t seed, double capBase) {
    Random random(seed * 11 + 3);
    const Noise noise(seed * 19 + 8);
    switch (scenery) {
        case Scenery::Sea:
            paintSeaSurface(image, view, light, seed, nullptr);
            break;
        case Scenery::Plain:
            paintFields(image, view, light, seed);
            paintTreeLine(image, view, light, seed, 4000.0);
            break;
        case Scenery::Hills:
            paintRidge(image, view, light, random, noise,
                       {random.uniform(14.0, 24.0), 0.3, 14000.0, qRgb(70, 90, 70)}, capBase);
            paintRidge(image, view, light, random, noise,
                       {random.uniform(6.0, 12.0), 0.25, 5000.0, qRgb(62, 84, 46)}, capBase);
            if (capBase > 0.0) {
                // Near hills high enough to reach into a low cloud base.
                paintRidge(image, view, light, random, noise,
                           {random.uniform(28.0, 40.0), 0.35, 2600.0, qRgb(58, 80, 44)}, capBase);
            }
            paintFields(image, view, light, seed);
            paintTreeLine(image, view, light, seed, 2500.0);
            break;
        case Scenery::Mountains: {
            const MountainStyle style{QColor(lit(qRgb(92, 88, 90), light)),
                                      QColor(lit(qRgb(236, 240, 246), light)),
                                      QColor(lit(qRgb(120, 132, 160), light)), 0.45};
            paintMountains(
                image,
                ridgeLine(random, -10.0, image.width() + 10.0, random.uniform(34.0, 52.0), 0.75),
                view.horizonY() + 2.0, style, noise);
            paintRidge(image, view, light, random, noise,
                       {random.uniform(8.0, 14.0), 0.4, 6000.0, qRgb(58, 74, 50)}, capBase);
            paintFields(image, view, light, seed);
            break;
        }
        case Scenery::Coast: {
            paintSeaSurface(image, view, light, seed, nullptr);
            const bool left = random.chance(0.5);
            const double reach = random.uniform(110.0, 170.0);
            const double top = random.uniform(16.0, 26.0);
            QPainterPath headland;
            const double h = view.horizonY();
            const double side = left ? 0.0 : image.width();
            const double dir = left ? 1.0 : -1.0;
            headland.moveTo(side, image.height());
            headland.lineTo(side, h - top);
            for (int k = 1; k <= 20; ++k) {
                const double t = k / 20.0;
                const double bump = 2.5 * (noise.fractal(t * 6.0, 1.0, 2) - 0.5);
                headland.lineTo(side + dir * reach * t,
                                h - top * (1.0 - std::pow(t, 1.7)) + bump * (1.0 - t));
            }
            headland.lineTo(side + dir * reach * 1.05, h + 1.5);
            headland.lineTo(side + dir * reach * 0.6, image.height());
            headland.closeSubpath();
            shadePixels(image, coverageMask(image.size(), headland), [&](int x, int y, QRgb) {
                const double texture = noise.fractal(x / 7.0, y / 4.0, 4);
                const QRgb grass = scaleRgb(qRgb(66, 84, 50), 0.75 + 0.5 * texture);
                const double nearness = std::clamp((y - h) / (image.height() - h), 0.0, 1.0);
                return intoHaze(lit(grass, light), light, 4000.0 * (1.0 - nearness) + 300.0);
            });
            break;
        }
        case Scenery::AboveClouds:
            paintCloudDeck(image, view, light, seed);
            break;
    }
}

}  // namespace nimbara
