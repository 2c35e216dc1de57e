#include "tools/samplephotos/paint/daylight.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/raster.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

Daylight daylight(TimeOfDay time, double sunAzimuth, double sunElevation) {
    const Direction sun = directionAt(sunAzimuth, sunElevation);
    switch (time) {
        case TimeOfDay::Midday:
            return {sun,
                    sunElevation,
                    QColor(46, 96, 178),
                    QColor(178, 204, 232),
                    QColor(246, 248, 252),
                    QColor(255, 255, 252),
                    QColor(132, 144, 170),
                    QColor(94, 102, 122),
                    QColor(196, 212, 232),
                    60000.0,
                    1.0,
                    true};
        case TimeOfDay::Afternoon:
            return {sun,
                    sunElevation,
                    QColor(56, 104, 180),
                    QColor(190, 210, 230),
                    QColor(252, 248, 236),
                    QColor(255, 250, 238),
                    QColor(130, 140, 166),
                    QColor(92, 96, 114),
                    QColor(204, 214, 228),
                    45000.0,
                    0.92,
                    true};
        case TimeOfDay::EarlyMorning:
            return {sun,
                    sunElevation,
                    QColor(64, 82, 128),
                    QColor(232, 178, 140),
                    QColor(255, 214, 160),
                    QColor(255, 176, 120),
                    QColor(104, 100, 124),
                    QColor(86, 76, 94),
                    QColor(196, 160, 146),
                    30000.0,
                    0.45,
                    true};
        case TimeOfDay::Evening:
            return {sun,
                    sunElevation,
                    QColor(62, 96, 160),
                    QColor(236, 204, 160),
                    QColor(255, 232, 184),
                    QColor(255, 222, 168),
                    QColor(130, 130, 156),
                    QColor(96, 92, 108),
                    QColor(214, 196, 176),
                    40000.0,
                    0.7,
                    true};
        case TimeOfDay::Dull:
            // No sun: the light comes evenly from the cloud above.
            return {directionAt(sunAzimuth, 80.0),
                    sunElevation,
                    QColor(150, 156, 166),
                    QColor(188, 192, 198),
                    QColor(200, 202, 206),
                    QColor(196, 198, 204),
                    QColor(120, 124, 134),
                    QColor(84, 88, 98),
                    QColor(170, 174, 182),
                    20000.0,
                    0.55,
                    false};
    }
    return {};
}

QRgb clearSkyColour(const Daylight& light, const Direction& direction) {
    const double elevation = std::max(elevationOf(direction), 0.0);
    const double towardsHorizon = std::exp(-elevation / 0.22);
    QRgb colour = mixRgb(light.zenith.rgb(), light.horizon.rgb(), towardsHorizon);
    const double fromSun = angleBetween(direction, light.sun);
    const double glow = 0.55 * std::exp(-fromSun / 0.08) + 0.28 * std::exp(-fromSun / 0.45);
    // A low sun warms the whole band of sky above the horizon on its side.
    const double lowSun =
        std::exp(-light.sunElevation / 12.0) * towardsHorizon * std::exp(-fromSun / 1.2);
    return mixRgb(colour, light.glow.rgb(), std::clamp(glow + 0.5 * lowSun, 0.0, 1.0));
}

void paintClearSky(QImage& image, const Perspective& view, const Daylight& light) {
    shadePixels(image, [&](int x, int y, QRgb) {
        return clearSkyColour(light, pixelDirection(view, x + 0.5, y + 0.5));
    });
}

void paintSunDisc(QImage& image, const Perspective& view, const Daylight& light, double depth) {
    const std::optional<QPointF> centre = screenPoint(view, light.sun);
    if (!centre || !light.sunShows || depth > 3.0) {
        return;
    }
    const double through = std::exp(-0.65 * depth);
    const double pixelsPerRadian = view.focalLength();
    // The disc itself is half a degree; a dazzling sun looks larger in a photograph.
    // Through a thin veil the disc stays sharp; thicker cloud spreads it as ground glass does.
    const double frosted = smoothStep(0.7, 1.8, depth);
    const double radius = pixelsPerRadian * (0.012 + 0.018 * frosted);
    const double blur = pixelsPerRadian * (0.002 + 0.025 * frosted);
    const QRect area =
        QRectF(centre->x() - radius - 3.0 * blur - 2.0, centre->y() - radius - 3.0 * blur - 2.0,
               2.0 * (radius + 3.0 * blur + 2.0), 2.0 * (radius + 3.0 * blur + 2.0))
            .toAlignedRect() &
        image.rect();
    const QRgb white = qRgb(255, 254, 246);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const double r = std::hypot(x + 0.5 - centre->x(), y + 0.5 - centre->y());
            const double disc = smoothStep(radius + blur, radius - blur, r);
            pixels[x] = mixRgb(pixels[x], white, disc * std::min(1.0, 1.3 * through));
        }
    }
}

QRgb intoHaze(QRgb colour, const Daylight& light, double distance) {
    return mixRgb(colour, light.haze.rgb(), 1.0 - std::exp(-distance / light.visibility));
}

}  // namespace nimbara
