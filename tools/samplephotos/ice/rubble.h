// Broken ice piled up by pressure: single slabs, heaps of them (hummocks) and ridges of them
// running across the ice in perspective.
#pragma once

#include "tools/samplephotos/paint/perspective.h"

#include <QColor>
#include <QPainter>
#include <QPolygonF>

namespace nimbara {

class Random;

struct RubbleStyle {
    QColor snow;   // the upper faces
    QColor lit;    // broken faces turned to the sun
    QColor shade;  // broken faces away from it
};

// One tilted slab standing on `foot`, `size` pixels long.
void paintSlab(QPainter& painter, const QPointF& foot, double size, Random& random,
               const RubbleStyle& style);
// A smooth bank of snow against ice, `width` and `height` in pixels, standing on `foot`.
void paintSnowDrift(QPainter& painter, const QPointF& foot, double width, double height,
                    const RubbleStyle& style);
// A heap of slabs on a base line, `width` and `height` in pixels, slabs of about `slabSize`.
void paintRubbleHeap(QPainter& painter, const QPointF& foot, double width, double height,
                     double slabSize, Random& random, const RubbleStyle& style);
// A ridge along a line on the ice (metres), `height` and slab size in metres.
void paintRidge(QPainter& painter, const Perspective& view, const QPolygonF& groundLine,
                double height, double slabSize, Random& random, const RubbleStyle& style);

}  // namespace nimbara
