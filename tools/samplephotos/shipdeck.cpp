#include "shipdeck.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

namespace nimbara {

namespace {

// A round bar lit from above: light along its top, shade along its bottom.
void paintBar(QPainter& painter, const QPointF& from, const QPointF& to, double thickness,
              const DeckPaint& paint) {
    const QPointF across(0.0, thickness / 2.0);
    QLinearGradient round(from - across, from + across);
    round.setColorAt(0.0, paint.shade);
    round.setColorAt(0.3, paint.steel);
    round.setColorAt(1.0, paint.shade.darker(140));
    painter.setPen(QPen(QBrush(round), thickness, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, to);
}

void paintPost(QPainter& painter, const QPointF& top, double bottom, double thickness,
               const DeckPaint& paint) {
    const QPointF half(thickness / 2.0, 0.0);
    QLinearGradient round(top - half, top + half);
    round.setColorAt(0.0, paint.shade.darker(130));
    round.setColorAt(0.4, paint.steel);
    round.setColorAt(1.0, paint.shade);
    painter.setPen(Qt::NoPen);
    painter.setBrush(round);
    painter.drawRect(QRectF(top.x() - thickness / 2.0, top.y(), thickness, bottom - top.y()));
}

}  // namespace

void paintRail(QPainter& painter, const QSize& size, double railY, double tilt,
               const DeckPaint& paint) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double width = size.width();
    const double bottom = size.height();
    auto railAt = [&](double x, double below) { return railY + tilt * x / width + below; };
    const double middle = (bottom - railY) * 0.5;
    for (double x = 70.0; x < width; x += 130.0) {
        paintPost(painter, QPointF(x, railAt(x, 0.0)), bottom, 5.0, paint);
    }
    paintBar(painter, QPointF(0.0, railAt(0.0, middle)), QPointF(width, railAt(width, middle)), 4.0,
             paint);
    paintBar(painter, QPointF(0.0, railAt(0.0, 0.0)), QPointF(width, railAt(width, 0.0)), 7.0,
             paint);
    painter.restore();
}

void paintBow(QPainter& painter, const QSize& size, const QPointF& stem, const DeckPaint& paint) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double width = size.width();
    const double bottom = size.height() + 2.0;
    const QPointF leftFoot(-0.05 * width, bottom);
    const QPointF rightFoot(1.05 * width, bottom);
    const double wall = 9.0;  // height of the bulwark near the camera, in pixels

    // Deck: from the stem back to the bottom edge, between the bulwarks.
    QPainterPath deck;
    deck.moveTo(stem + QPointF(0.0, 3.0));
    deck.quadTo(QPointF(stem.x() - 0.25 * width, stem.y() + 10.0), leftFoot + QPointF(24.0, 0.0));
    deck.lineTo(rightFoot - QPointF(24.0, 0.0));
    deck.quadTo(QPointF(stem.x() + 0.25 * width, stem.y() + 10.0), stem + QPointF(0.0, 3.0));
    QLinearGradient deckLight(stem, QPointF(stem.x(), bottom));
    deckLight.setColorAt(0.0, paint.deck.darker(115));
    deckLight.setColorAt(1.0, paint.deck);
    painter.setPen(Qt::NoPen);
    painter.setBrush(deckLight);
    painter.drawPath(deck);

    // A hatch and a windlass, for scale.
    const double reach = bottom - stem.y();
    painter.setBrush(paint.shade);
    painter.drawRect(
        QRectF(stem.x() - 0.09 * reach, stem.y() + 0.28 * reach, 0.18 * reach, 0.06 * reach));
    painter.setBrush(paint.steel.darker(120));
    painter.drawRect(
        QRectF(stem.x() - 0.22 * reach, stem.y() + 0.55 * reach, 0.44 * reach, 0.2 * reach));
    painter.setBrush(paint.shade.darker(130));
    painter.drawRect(
        QRectF(stem.x() - 0.22 * reach, stem.y() + 0.72 * reach, 0.44 * reach, 0.03 * reach));

    // Bulwarks: walls whose inner faces are in shade, capped with a lit rail.
    for (int side : {-1, 1}) {
        const QPointF foot = side < 0 ? leftFoot : rightFoot;
        const QPointF bend(stem.x() + side * 0.25 * width, stem.y() + 10.0);
        QPainterPath wallPath;
        wallPath.moveTo(stem);
        wallPath.quadTo(bend - QPointF(0.0, 4.0), foot - QPointF(0.0, wall * 3.0));
        wallPath.lineTo(foot + QPointF(-side * 24.0, 0.0));
        wallPath.quadTo(bend + QPointF(-side * 6.0, 2.0), stem + QPointF(0.0, 3.0));
        wallPath.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(paint.shade);
        painter.drawPath(wallPath);
        QPainterPath cap;
        cap.moveTo(stem);
        cap.quadTo(bend - QPointF(0.0, 4.0), foot - QPointF(0.0, wall * 3.0));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(paint.steel, 3.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(cap);
    }
    painter.restore();
}

}  // namespace nimbara
