// Parts of the observer's own ship in the foreground, which give the waves a size: the rail along
// the ship's side and the foredeck seen from the bridge.
#pragma once

#include <QColor>
#include <QPainter>

namespace nimbara {

struct DeckPaint {
    QColor steel;  // painted rail or bulwark in full light
    QColor shade;  // the same turned away from the light
    QColor deck;   // the deck plating
};

// A rail across the bottom of the picture: a top rail at `railY` on the left edge, tilted by
// `tilt` pixels over the width, a middle rail and stanchions down to the picture edge.
void paintRail(QPainter& painter, const QSize& size, double railY, double tilt,
               const DeckPaint& paint);

// The foredeck narrowing to the stem at `stem`, its bulwarks on either side reaching the bottom
// corners of the picture.
void paintBow(QPainter& painter, const QSize& size, const QPointF& stem, const DeckPaint& paint);

}  // namespace nimbara
