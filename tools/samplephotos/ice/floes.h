// Floating ice lying on the sea: outlines of floes in metres on the sea surface, their scattering
// over an area, and their painting in perspective with a lit top and a side face above the water.
#pragma once

#include "tools/samplephotos/paint/perspective.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <vector>

namespace nimbara {

class Random;

// An irregular outline with straight, broken edges, centred on the origin.
QPolygonF angularOutline(Random& random, double radius, int corners, double irregularity);
// A rounded outline (pancakes, cakes, melted floes), centred on the origin.
QPolygonF roundOutline(Random& random, double radius, double wobble);

// Floes of about `size` metres scattered over `area` (across, distance) until `cover` of it is
// ice, none overlapping; farthest first, ready to paint.
struct FloeScatter {
    QRectF area;
    double size;
    double sizeSpread;  // 0 all alike .. 1 from tiny to twice `size`
    double cover;
    double gap;  // least open water between two floes, metres
    int fewestCorners = 5;
    int mostCorners = 9;
    double irregularity = 0.9;
};
std::vector<QPolygonF> scatterFloes(Random& random, const FloeScatter& scatter, bool rounded);
// The same over all the sea the picture shows between two distances (scatter.area is ignored),
// in bands from the farthest to the nearest, for a picture `width` pixels wide.
std::vector<QPolygonF> scatterInView(Random& random, const Perspective& view, double width,
                                     double nearest, double farthest, FloeScatter scatter,
                                     bool rounded);

struct FloeStyle {
    QColor top;
    QColor side;
    double freeboard;  // metres above the water
};

QPolygonF projected(const Perspective& view, const QPolygonF& ground, double height);
void paintFloe(QPainter& painter, const Perspective& view, const QPolygonF& ground,
               const FloeStyle& style);
// The tops of the floes as one area, for texturing them afterwards.
QPainterPath floeTops(const Perspective& view, const std::vector<QPolygonF>& floes,
                      double freeboard);

}  // namespace nimbara
