// A small ship in profile, to give the ice a size.
#pragma once

#include <QPainter>

namespace nimbara {

// Draws a ship heading left whose waterline is centred on `waterline`, `length` pixels long.
void paintShip(QPainter& painter, const QPointF& waterline, double length);

}  // namespace nimbara
