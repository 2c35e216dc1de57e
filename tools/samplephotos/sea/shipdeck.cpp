#include "tools/samplephotos/sea/shipdeck.h"

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
    const double reach = bottom - stem.y();

    // The bulwarks leave the stem at a sharp angle and flare out towards the camera; their inner
    // faces grow taller with nearness.
    struct Side {
        QPointF foot;     // where the top of the bulwark leaves the picture
        QPointF control;  // pulls the curve outwards into a flared bow
        QPointF inward;   // from the top of the bulwark down to the deck, at the foot
    };
    const Side sides[] = {
        {QPointF(-0.1 * width, bottom - 0.25 * reach),
         QPointF(stem.x() - 0.3 * (stem.x() + 0.1 * width), stem.y() + 0.2 * reach),
         QPointF(16.0, 20.0)},
        {QPointF(1.1 * width, bottom - 0.25 * reach),
         QPointF(stem.x() + 0.3 * (1.1 * width - stem.x()), stem.y() + 0.2 * reach),
         QPointF(-16.0, 20.0)},
    };

    QPainterPath deck(stem + QPointF(0.0, 2.0));
    deck.quadTo(sides[0].control + sides[0].inward * 0.4, sides[0].foot + sides[0].inward);
    deck.lineTo(sides[0].foot.x(), bottom);
    deck.lineTo(sides[1].foot.x(), bottom);
    deck.lineTo(sides[1].foot + sides[1].inward);
    deck.quadTo(sides[1].control + sides[1].inward * 0.4, stem + QPointF(0.0, 2.0));
    QLinearGradient deckLight(stem, QPointF(stem.x(), bottom));
    deckLight.setColorAt(0.0, paint.deck.darker(125));
    deckLight.setColorAt(1.0, paint.deck);
    painter.setPen(Qt::NoPen);
    painter.setBrush(deckLight);
    painter.drawPath(deck);

    // A windlass near the stem and a hatch further aft, on the centre line.
    const auto onDeck = [&](double along, double halfWidth, double depth) {
        const double y = stem.y() + along * reach;
        const double x = stem.x() + along * (width / 2.0 - stem.x()) * 0.5;
        return QRectF(x - halfWidth * along * width, y, 2.0 * halfWidth * along * width,
                      depth * along * reach);
    };
    painter.setBrush(paint.shade.darker(140));
    painter.drawRect(onDeck(0.22, 0.1, 0.12));
    painter.setBrush(paint.steel.darker(115));
    painter.drawRect(onDeck(0.55, 0.12, 0.16));
    painter.setBrush(paint.shade);
    painter.drawRect(onDeck(0.55, 0.12, 0.16).adjusted(0.0, 0.0, 0.0, -0.1 * reach));

    for (const Side& side : sides) {
        QPainterPath wall(stem);
        wall.quadTo(side.control, side.foot);
        wall.lineTo(side.foot + side.inward);
        wall.quadTo(side.control + side.inward * 0.4, stem + QPointF(0.0, 2.0));
        wall.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(paint.shade);
        painter.drawPath(wall);
        QPainterPath cap(stem);
        cap.quadTo(side.control, side.foot);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(paint.steel, 3.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(cap);
    }
    // The jack staff on the stem.
    painter.setPen(QPen(paint.steel.darker(110), 1.5));
    painter.drawLine(stem, stem - QPointF(0.0, 0.18 * reach));
    painter.restore();
}

}  // namespace nimbara
