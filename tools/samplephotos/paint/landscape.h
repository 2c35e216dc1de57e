// Land behind the ice: snowy mountain ranges and low coasts, drawn as seen from the sea.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>

namespace nimbara {

class Noise;
class Random;

// A ridge line from x = left to x = right above `baseY`: `height` the highest rise in pixels,
// `ruggedness` 0 (rolling) to 1 (jagged). Heights are in pixels above baseY.
QPolygonF ridgeLine(Random& random, double left, double right, double height, double ruggedness);

struct MountainStyle {
    QColor rock;
    QColor snow;
    QColor shadow;
    double snowLine;  // 0 snow to the foot, 1 bare rock
};

// Fills the land under the ridge line down to baseY with rock, snow fields and gullies.
void paintMountains(QImage& image, const QPolygonF& ridge, double baseY, const MountainStyle& style,
                    const Noise& noise);
// The same for land of any outline; snow lies by height above baseY, up to `height` pixels.
void paintMountainArea(QImage& image, const QPainterPath& area, double baseY, double height,
                       const MountainStyle& style, const Noise& noise);

}  // namespace nimbara
