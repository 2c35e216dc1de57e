#include "tools/samplephotos/sea/sea.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/raster.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

// Share of the sky's light the surface mirrors at this viewing angle (Schlick's approximation).
double reflectance(double eyeHeight, double distance) {
    const double cosine = eyeHeight / std::hypot(eyeHeight, distance);
    return 0.02 + 0.98 * std::pow(1.0 - cosine, 5.0);
}

double waveSlope(const SeaStyle& style, const Noise& noise, double across, double distance) {
    const double long_ =
        noise.fractal(across / (style.waveLength * 3.0), distance / style.waveLength, 4);
    const double chop = noise.fractal(across / style.waveLength + 17.0,
                                      distance / (style.waveLength * 0.4) + 5.0, 3);
    return (long_ - 0.5) * 1.4 + (chop - 0.5) * 0.8;
}

}  // namespace

QRgb hazed(QRgb colour, const SeaStyle& style, double distance) {
    const double amount = 1.0 - std::exp(-distance / style.visibility);
    return mixRgb(colour, style.haze.rgb(), amount);
}

QRgb seaColour(const SeaStyle& style, const Noise& noise, const Perspective& view, double across,
               double distance, double rowDepth) {
    const double detail = std::clamp(style.waveLength / (2.5 * rowDepth), 0.0, 1.0);
    const double slope = waveSlope(style, noise, across, distance) * style.roughness * detail;
    const double mirror =
        std::clamp(reflectance(view.eyeHeight(), distance) + 0.35 * slope, 0.0, 1.0);
    const QRgb water = mixRgb(style.deep.rgb(), style.reflection.rgb(), mirror);
    return hazed(scaleRgb(water, 1.0 + 0.25 * slope), style, distance);
}

void paintSea(QImage& image, const Perspective& view, const SeaStyle& style, const Noise& noise) {
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        return seaColour(style, noise, view, point.across, point.distance, point.rowDepth);
    });
}

void paintSea(QImage& image, const Perspective& view, const SeaStyle& style, const Noise& noise,
              const QImage& mask) {
    shadeGround(image, view, mask, [&](const GroundPoint& point, QRgb) {
        return seaColour(style, noise, view, point.across, point.distance, point.rowDepth);
    });
}

}  // namespace nimbara
