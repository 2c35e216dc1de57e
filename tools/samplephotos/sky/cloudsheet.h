// A layer of cloud lying on a level at some height above the observer, seen from below in
// perspective: a veil, a fibrous sheet, a field of rounded elements or the pouches under an anvil.
// One painter serves every layer cloud; the genus is in the parameters (height, element size,
// thickness, shading), so Altocumulus and Cirrocumulus differ as they do in the sky: by the
// apparent size of their elements and by shading.
#pragma once

#include "tools/samplephotos/paint/daylight.h"
#include "tools/samplephotos/paint/perspective.h"

#include <QColor>
#include <QImage>
#include <cstdint>
#include <vector>

namespace nimbara {

enum class SheetTexture {
    Veil,     // nearly even, a soft grain
    Fibrous,  // streaks drawn out along the wind
    Cells,    // rounded elements with gaps between (rolls when stretched)
    Pouches,  // hanging pouches, lit from below at their rims
};

// An elliptical patch of the sheet, in metres on its level; `angle` of the long axis in degrees
// (0 across the view, 90 away from the camera).
struct SheetPatch {
    double across;
    double distance;
    double length;
    double width;
    double angle;
};

struct CloudSheet {
    double altitude = 3000.0;  // metres above the observer
    SheetTexture texture = SheetTexture::Veil;
    double elementSize = 500.0;  // metres: an element, or the grain of a veil
    double stretch = 1.0;        // elements drawn out this many times along the wind
    double windAngle = 0.0;      // degrees, as for patches
    double cover = 1.0;          // 0 .. 1: the share of the sheet inside its extent that is cloud
    double thickness = 0.5;      // 0 thin, bright and translucent .. 1 thick and dark
    double opacity = 1.0;        // the most the sheet hides of what is behind it
    double shading = 0.0;        // how much elements are shaded on the side away from the sun
    double roughness = 0.5;      // unevenness of a veil
    double lumpiness = 0.5;      // how irregular, lumpy and merged rounded elements are
    double bandSpacing = 0.0;    // metres between parallel bands along the wind, 0 for none
    // Extent: the sheet lies beyond a front (a line on its level, cloud on the far side) ...
    bool bounded = false;
    double frontAngle = 90.0;   // direction the sheet lies in from the front, degrees
    double frontOffset = 0.0;   // metres from the observer's zenith to the front, along that
    double frontWidth = 500.0;  // metres over which the edge fades
    double thickening = 0.0;    // metres beyond the front over which it grows to full thickness
    // ... and only in large patches when `patchScale` (metres) is set, or in the listed patches.
    double patchScale = 0.0;
    double patchCover = 1.0;
    std::vector<SheetPatch> patches;
    bool halo = false;            // a 22 degree ring round the sun
    QColor light{255, 255, 255};  // thinnest, sunlit parts
    QColor dark{150, 154, 164};   // thickest parts
    std::uint64_t seed = 1;
};

// Per pixel: 0 where nothing stands in front of the sky, otherwise the distance in metres of what
// stands there (heap clouds). A sheet painted with it only covers the parts nearer than the sheet.
using DepthBuffer = std::vector<float>;

void paintCloudSheet(QImage& image, const Perspective& view, const Daylight& light,
                     const CloudSheet& sheet, const DepthBuffer* inFrontOf = nullptr);

// How much of the sun's light the sheet holds back along that direction (0 none).
double sheetDepth(const Perspective& view, const CloudSheet& sheet, const Direction& direction);

}  // namespace nimbara
