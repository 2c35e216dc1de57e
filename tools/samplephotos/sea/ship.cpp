#include "tools/samplephotos/sea/ship.h"

#include <QPolygonF>

namespace nimbara {

void paintShip(QPainter& painter, const QPointF& waterline, double length) {
    const double h = length * 0.11;
    const QPointF o = waterline - QPointF(length / 2.0, 0.0);
    auto at = [&](double x, double y) { return o + QPointF(x * length, -y * h); };
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 28, 26));
    painter.drawPolygon(QPolygonF({at(0.04, 0.0), at(0.97, 0.0), at(1.0, 1.0), at(-0.04, 1.25)}));
    painter.setBrush(QColor(35, 35, 38));
    painter.drawPolygon(QPolygonF({at(0.04, 0.0), at(0.97, 0.0), at(0.975, 0.3), at(0.02, 0.3)}));
    painter.setBrush(QColor(226, 228, 226));
    painter.drawRect(QRectF(at(0.62, 2.6), at(0.9, 1.0)));
    painter.drawRect(QRectF(at(0.66, 3.5), at(0.84, 2.6)));
    painter.setBrush(QColor(190, 150, 40));
    painter.drawRect(QRectF(at(0.74, 4.6), at(0.8, 3.5)));
    painter.setPen(QPen(QColor(60, 60, 60), std::max(0.6, length * 0.008)));
    painter.drawLine(at(0.3, 1.0), at(0.3, 3.6));
    painter.restore();
}

}  // namespace nimbara
