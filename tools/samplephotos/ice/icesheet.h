// Ice lying flat on the sea, painted pixel by pixel in perspective: a cover function says where
// the ice is, shaders give its top and the water between; where a floe edge faces the camera its
// side shows, as high as the ice stands out of the water.
#pragma once

#include "tools/samplephotos/paint/perspective.h"
#include "tools/samplephotos/paint/raster.h"

#include <QColor>
#include <QImage>
#include <functional>

namespace nimbara {

class Noise;

// 1 on ice, 0 on water; `blur` is the width over which to soften an edge, in metres.
using IceCover = std::function<double(double across, double distance, double blur)>;
using SurfaceShader = std::function<QRgb(const GroundPoint& point)>;

struct IceSheet {
    IceCover cover;
    SurfaceShader top;
    SurfaceShader water;
    QColor side;
    double freeboard;  // metres
};

void paintIceSheet(QImage& image, const Perspective& view, const IceSheet& sheet);

// The usual look of a sea-ice top: bare ice and wind-drifted snow, fine grain fading with
// distance.
struct IceSurface {
    QColor ice;
    QColor snow;
    double snowCover;  // 0 bare .. 1 all snow
    double grain;      // contrast of the fine texture
    double driftSize;  // metres
};
QRgb iceSurfaceColour(const IceSurface& surface, const Noise& noise, const GroundPoint& point);

// Light on a height field lying on the sea (heights in metres), from a sun low in the direction
// (across, distance) on the ground; 1 is level ice.
using HeightField = std::function<double(double across, double distance)>;
double reliefLight(const HeightField& height, const GroundPoint& point, double step,
                   double sunAcross, double sunDistance, double strength);

// Thin ice pushed over itself along a seam in interlocking fingers: 1 where it lies double.
struct FingerSeam {
    double distance;     // of the seam, metres ahead
    double wander;       // how far the seam bends, metres
    double fingerWidth;  // metres
    double reach;        // how far a finger runs over the other sheet, metres
};
double fingerOverlap(const FingerSeam& seam, const Noise& noise, const GroundPoint& point);

}  // namespace nimbara
