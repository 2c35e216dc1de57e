#include "tools/samplephotos/paint/landscape.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"

#include <QPainterPath>
#include <cmath>
#include <vector>

namespace nimbara {

namespace {

// Midpoint displacement: each pass halves the segments and shakes the new points less.
std::vector<double> displacedHeights(Random& random, int passes, double ruggedness) {
    std::vector<double> heights = {random.uniform(0.1, 0.5), random.uniform(0.1, 0.5)};
    double shake = 0.6;
    for (int pass = 0; pass < passes; ++pass) {
        std::vector<double> finer;
        for (std::size_t i = 0; i + 1 < heights.size(); ++i) {
            finer.push_back(heights[i]);
            finer.push_back(0.5 * (heights[i] + heights[i + 1]) + random.uniform(-shake, shake));
        }
        finer.push_back(heights.back());
        heights = finer;
        shake *= 0.4 + 0.15 * ruggedness;
    }
    return heights;
}

double ridgeHeightAt(const QPolygonF& ridge, double x) {
    for (int i = 1; i < ridge.size(); ++i) {
        if (x <= ridge[i].x()) {
            const double t = (x - ridge[i - 1].x()) / (ridge[i].x() - ridge[i - 1].x());
            return std::lerp(ridge[i - 1].y(), ridge[i].y(), t);
        }
    }
    return ridge.back().y();
}

}  // namespace

QPolygonF ridgeLine(Random& random, double left, double right, double height, double ruggedness) {
    const std::vector<double> heights = displacedHeights(random, 7, ruggedness);
    double lowest = heights.front();
    double highest = heights.front();
    for (double h : heights) {
        lowest = std::min(lowest, h);
        highest = std::max(highest, h);
    }
    QPolygonF ridge;
    const double count = static_cast<double>(heights.size() - 1);
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const double level = (heights[i] - lowest) / (highest - lowest);
        ridge << QPointF(std::lerp(left, right, static_cast<double>(i) / count),
                         height * (0.15 + 0.85 * level));
    }
    return ridge;
}

namespace {

// Rock relief: ribs and gullies running down the slopes.
double rockRelief(const Noise& noise, double x, double y) {
    return noise.ridged(x / 26.0 + y / 40.0, y / 14.0, 4) +
           0.5 * noise.fractal(x / 70.0, y / 40.0, 2);
}

QRgb mountainColour(const MountainStyle& style, const Noise& noise, double x, double y,
                    double altitude) {
    const double slopeX = rockRelief(noise, x + 1.0, y) - rockRelief(noise, x - 1.0, y);
    const double slopeY = rockRelief(noise, x, y + 1.0) - rockRelief(noise, x, y - 1.0);
    const double light = std::clamp(0.55 - 4.0 * slopeX + 1.5 * slopeY, 0.0, 1.0);
    const double steep = std::abs(slopeX) + std::abs(slopeY);
    const double patch = noise.fractal(x / 16.0, y / 8.0, 4);
    const double snowy = smoothStep(
        0.5, 0.62, 0.45 * altitude + 0.55 * patch - 2.2 * steep + 0.35 - 0.5 * style.snowLine);
    const QRgb lit = mixRgb(style.rock.rgb(), style.snow.rgb(), snowy);
    const QRgb dark = mixRgb(scaleRgb(style.rock.rgb(), 0.55), style.shadow.rgb(), snowy);
    return mixRgb(dark, lit, light);
}

}  // namespace

void paintMountains(QImage& image, const QPolygonF& ridge, double baseY, const MountainStyle& style,
                    const Noise& noise) {
    QPainterPath land(QPointF(ridge.front().x(), baseY));
    for (const QPointF& point : ridge) {
        land.lineTo(point.x(), baseY - point.y());
    }
    land.lineTo(ridge.back().x(), baseY);
    land.closeSubpath();
    const QImage mask = coverageMask(image.size(), land);
    shadePixels(image, mask, [&](int x, int y, QRgb) {
        const double top = std::max(ridgeHeightAt(ridge, x + 0.5), 1.0);
        const double altitude = (baseY - y) / top;
        return mountainColour(style, noise, x + 0.5, y + 0.5, altitude);
    });
}

void paintMountainArea(QImage& image, const QPainterPath& area, double baseY, double height,
                       const MountainStyle& style, const Noise& noise) {
    shadePixels(image, coverageMask(image.size(), area), [&](int x, int y, QRgb) {
        return mountainColour(style, noise, x + 0.5, y + 0.5, (baseY - y) / height);
    });
}

}  // namespace nimbara
