#include "tools/samplephotos/ice/icesheet.h"

#include "tools/samplephotos/paint/noise.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

// The point where the ray through a pixel meets a level surface `height` metres above the sea.
GroundPoint pointAtHeight(const Perspective& view, const GroundPoint& seaPoint, double height) {
    const double scale = (view.eyeHeight() - height) / view.eyeHeight();
    return {seaPoint.across * scale, seaPoint.distance * scale, seaPoint.rowDepth * scale};
}

// Half the width of a pixel on the ice: with four samples a pixel, edges come out smooth.
double blurFor(const Perspective& view, const GroundPoint& point) {
    return std::max(0.5 * view.acrossAt(view.centreX() + 1.0, point.distance), 0.005);
}

}  // namespace

void paintIceSheet(QImage& image, const Perspective& view, const IceSheet& sheet) {
    shadeGround(
        image, view,
        [&](const GroundPoint& seaPoint, QRgb) {
            const GroundPoint topPoint = pointAtHeight(view, seaPoint, sheet.freeboard);
            const double onTop =
                sheet.cover(topPoint.across, topPoint.distance, blurFor(view, topPoint));
            const double onIceAtSea =
                sheet.cover(seaPoint.across, seaPoint.distance, blurFor(view, seaPoint));
            const QRgb below = mixRgb(sheet.water(seaPoint), sheet.side.rgb(), onIceAtSea);
            if (onTop <= 0.0) {
                return below;
            }
            return mixRgb(below, sheet.top(topPoint), onTop);
        },
        2);
}

QRgb iceSurfaceColour(const IceSurface& surface, const Noise& noise, const GroundPoint& point) {
    const double drift = noise.fractal(point.across / surface.driftSize,
                                       point.distance / (surface.driftSize * 0.5), 4);
    const double snowy =
        surface.snowCover * smoothStep(0.3, 0.6, drift + 0.5 * surface.snowCover - 0.25);
    const double detail = std::clamp(0.3 / point.rowDepth, 0.0, 1.0);
    const double grain = noise.fractal(point.across / 0.25 + 31.0, point.distance / 0.25, 3) - 0.5;
    const QRgb colour = mixRgb(surface.ice.rgb(), surface.snow.rgb(), snowy);
    return scaleRgb(colour, 1.0 + surface.grain * (grain * detail + 0.5 * (drift - 0.5)));
}

double reliefLight(const HeightField& height, const GroundPoint& point, double step,
                   double sunAcross, double sunDistance, double strength) {
    const double centre = height(point.across, point.distance);
    const double slopeAcross = (height(point.across + step, point.distance) - centre) / step;
    const double slopeDistance = (height(point.across, point.distance + step) - centre) / step;
    const double facing = -(slopeAcross * sunAcross + slopeDistance * sunDistance);
    return 1.0 + strength * facing;
}

double fingerOverlap(const FingerSeam& seam, const Noise& noise, const GroundPoint& point) {
    const double width = seam.fingerWidth;
    const double bend = seam.wander * (noise.fractal(point.across / (width * 12.0), 7.5, 3) - 0.5);
    const double along = point.distance - (seam.distance + 2.0 * bend);
    const double warp = 2.0 * width * (noise.fractal(point.across / (width * 2.5), 1.3, 3) - 0.5);
    const double slot = (point.across + warp + 0.15 * along) / width;
    const double index = std::floor(slot);
    const double tip = 1.0 + 0.3 * (noise.value(point.across / (width * 0.35), index) - 0.5);
    const double reach = seam.reach * (0.35 + noise.value(index * 1.7, 9.3)) * tip;
    const bool forward = static_cast<long long>(index) % 2 == 0;
    const double into = forward ? along : -along;
    const double blur = std::max(point.rowDepth, 0.01);
    const double lengthwise = smoothStep(-blur, blur, into) * smoothStep(-blur, blur, reach - into);
    const double sideBlur = std::max(point.distance / 430.0, 0.01) / width;
    const double inSlot = slot - index;
    const double crosswise =
        smoothStep(0.0, sideBlur + 0.02, inSlot) * smoothStep(0.0, sideBlur + 0.02, 1.0 - inSlot);
    return lengthwise * crosswise;
}

}  // namespace nimbara
