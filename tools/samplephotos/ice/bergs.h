// Pieces of glacier ice standing out of the sea, seen from the side: their outline above the
// water, their faces in sun and shadow with vertical fluting, the pale glow of the ice under the
// surface and their broken reflection.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <vector>

namespace nimbara {

class Noise;
class Random;

enum class BergShape {
    Weathered,  // rounded by melting and waves
    Pinnacled,  // irregular, with spires and steep faces
    Tabular,    // flat top, vertical sides
    Blocky,     // sea ice blocks frozen together, angular
};

// The top of the ice from its left end to its right end: x and height in pixels, relative to
// the middle of its waterline.
std::vector<QPointF> bergProfile(Random& random, BergShape shape, double width, double height);

struct BergStyle {
    QColor lit;
    QColor shadow;
    QColor underwater;   // ice seen through the water
    double shadowFrom;   // 0 .. 1 across the berg, where the shaded side starts
    double fluting;      // strength of the vertical grooves, 0 .. 1
    double facets;       // strength of the flat broken faces, 0 .. 1
    bool afloat = true;  // aground it has no glow under the water and no reflection
};

void paintBerg(QImage& image, const QPointF& waterline, const std::vector<QPointF>& profile,
               const BergStyle& style, const Noise& noise);

}  // namespace nimbara
