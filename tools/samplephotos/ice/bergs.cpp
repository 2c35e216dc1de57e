#include "tools/samplephotos/ice/bergs.h"

#include "tools/samplephotos/paint/cells.h"
#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

double envelope(BergShape shape, double t) {
    const double centred = std::abs(2.0 * t - 1.0);
    switch (shape) {
        case BergShape::Weathered:
            return std::pow(std::max(1.0 - centred * centred, 0.0), 0.6);
        case BergShape::Pinnacled:
            return std::pow(std::max(1.0 - std::pow(centred, 1.6), 0.0), 0.8);
        case BergShape::Tabular:
            return centred > 0.97 ? (1.0 - centred) / 0.03 : 1.0;
        case BergShape::Blocky:
            return std::pow(std::max(1.0 - std::pow(centred, 3.0), 0.0), 0.5);
    }
    return 0.0;
}

int profileSteps(BergShape shape) {
    switch (shape) {
        case BergShape::Weathered:
            return 40;
        case BergShape::Pinnacled:
            return 13;
        case BergShape::Tabular:
            return 60;
        case BergShape::Blocky:
            return 16;
    }
    return 20;
}

double roughness(BergShape shape) {
    switch (shape) {
        case BergShape::Weathered:
            return 0.3;
        case BergShape::Pinnacled:
            return 0.45;
        case BergShape::Tabular:
            return 0.015;
        case BergShape::Blocky:
            return 0.3;
    }
    return 0.0;
}

QPainterPath bodyPath(const QPointF& waterline, const std::vector<QPointF>& profile) {
    QPainterPath path(waterline + QPointF(profile.front().x(), 0.0));
    for (const QPointF& point : profile) {
        path.lineTo(waterline + QPointF(point.x(), -point.y()));
    }
    path.lineTo(waterline + QPointF(profile.back().x(), 0.0));
    path.closeSubpath();
    return path;
}

double topAt(const std::vector<QPointF>& profile, double x) {
    for (std::size_t i = 1; i < profile.size(); ++i) {
        if (x <= profile[i].x()) {
            const double span = profile[i].x() - profile[i - 1].x();
            const double t = span > 0.0 ? (x - profile[i - 1].x()) / span : 0.0;
            return std::lerp(profile[i - 1].y(), profile[i].y(), t);
        }
    }
    return 0.0;
}

// Ice under the surface shows through the water as a pale green-blue fringe below the waterline.
void paintUnderwaterGlow(QImage& image, const QPointF& waterline,
                         const std::vector<QPointF>& profile, const BergStyle& style,
                         const Noise& noise) {
    const double left = waterline.x() + profile.front().x();
    const double right = waterline.x() + profile.back().x();
    const double depth = std::min(0.12 * (right - left), 12.0);
    shadePixels(image, [&](int x, int y, QRgb current) {
        const double below = y + 0.5 - waterline.y();
        if (below <= 0.0 || below > 3.0 * depth || x < left - depth || x > right + depth) {
            return current;
        }
        const double inside = smoothStep(left - 0.3 * depth, left + 0.5 * depth, x) *
                              smoothStep(right + 0.3 * depth, right - 0.5 * depth, x);
        const double ripple = 0.6 + 0.4 * noise.value(x / 12.0, y / 2.0);
        return mixRgb(current, style.underwater.rgb(),
                      0.6 * inside * ripple * std::exp(-below / depth));
    });
}

void paintReflection(QImage& image, const QPointF& waterline, const std::vector<QPointF>& profile,
                     const BergStyle& style, const Noise& noise) {
    const QImage body = coverageMask(image.size(), bodyPath(waterline, profile));
    shadePixels(image, [&](int x, int y, QRgb current) {
        const int mirrored = static_cast<int>(2.0 * waterline.y() - y);
        if (y <= waterline.y() || mirrored < 0 || mirrored >= image.height()) {
            return current;
        }
        const double below = (y - waterline.y()) / 40.0;
        const int shifted =
            std::clamp(x + static_cast<int>(6.0 * (noise.value(x / 30.0, y / 1.5) - 0.5)), 0,
                       image.width() - 1);
        const double cover = body.constScanLine(mirrored)[shifted] / 255.0;
        const double broken = smoothStep(0.35, 0.6, noise.value(x / 25.0 + 40.0, y / 1.2));
        return mixRgb(current, style.lit.rgb(), cover * broken * 0.3 * std::exp(-below));
    });
}

// Sun from the left: the left part lit, the right in shadow, the border wandering; broken flat
// faces each turned a little differently; grooves running down; snow along the top edge; the
// wave-worn foot darker and bluer.
QRgb bodyColour(int x, int y, const QPointF& waterline, const std::vector<QPointF>& profile,
                const BergStyle& style, const Noise& noise, const Cells& faces) {
    const double relX = x + 0.5 - waterline.x();
    const double left = profile.front().x();
    const double width = profile.back().x() - left;
    const double height = waterline.y() - y;
    const double across = (relX - left) / width;
    const CellSample face = faces.sample(x, y * 1.4);
    const double faceTurn = static_cast<double>(face.cell % 1000) / 1000.0 - 0.5;
    const double wander =
        0.1 * (noise.fractal(y / 25.0, 3.3, 3) - 0.5) + 0.25 * style.facets * faceTurn;
    const double shaded = smoothStep(-0.04, 0.04, across - style.shadowFrom - wander);
    const double flute = noise.ridged(x / 4.0, y / 40.0, 2);
    const double grain = noise.fractal(x / 7.0, y / 7.0, 3);
    QRgb colour = mixRgb(style.lit.rgb(), style.shadow.rgb(), shaded);
    colour = scaleRgb(colour, 1.0 - style.fluting * 0.12 * flute + 0.06 * (grain - 0.5) +
                                  0.16 * style.facets * faceTurn);
    const double fromTop = topAt(profile, relX) - height;
    if (fromTop < 2.5) {
        colour = mixRgb(colour, qRgb(250, 252, 255), 0.5 * (1.0 - fromTop / 2.5));
    }
    if (height < 2.5) {
        colour = mixRgb(colour, style.underwater.rgb(), 0.45);
    }
    return colour;
}

}  // namespace

std::vector<QPointF> bergProfile(Random& random, BergShape shape, double width, double height) {
    std::vector<QPointF> profile;
    const int steps = profileSteps(shape);
    const double rough = roughness(shape);
    const double skew = random.uniform(0.7, 1.4);
    const Noise bumps(random.next());
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const bool inner = i > 0 && i < steps;
        const double smooth = 2.0 * bumps.fractal(t * 5.0, 0.5, 3) - 1.0;
        const double sharp = random.uniform(-1.0, 1.0);
        const double jitter =
            inner ? rough * (shape == BergShape::Weathered ? smooth : sharp) : 0.0;
        const double level =
            std::clamp(envelope(shape, std::pow(t, skew)) * (1.0 + jitter), 0.0, 1.2);
        const double x =
            (t - 0.5) * width + (inner ? random.uniform(-0.3, 0.3) * width / steps : 0.0);
        profile.emplace_back(x, level * height);
    }
    return profile;
}

void paintBerg(QImage& image, const QPointF& waterline, const std::vector<QPointF>& profile,
               const BergStyle& style, const Noise& noise) {
    if (style.afloat) {
        paintUnderwaterGlow(image, waterline, profile, style, noise);
        paintReflection(image, waterline, profile, style, noise);
    }
    const QImage body = coverageMask(image.size(), bodyPath(waterline, profile));
    const double width = profile.back().x() - profile.front().x();
    const Cells faces(static_cast<std::uint64_t>(width * 1000.0), std::max(width / 7.0, 4.0));
    shadePixels(image, body, [&](int x, int y, QRgb) {
        return bodyColour(x, y, waterline, profile, style, noise, faces);
    });
}

}  // namespace nimbara
