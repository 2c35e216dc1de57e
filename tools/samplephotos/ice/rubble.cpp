#include "tools/samplephotos/ice/rubble.h"

#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace nimbara {

namespace {

struct Placement {
    QPointF foot;
    double size;
};

void paintPlacements(QPainter& painter, std::vector<Placement>& placements, Random& random,
                     const RubbleStyle& style) {
    std::sort(placements.begin(), placements.end(),
              [](const Placement& a, const Placement& b) { return a.foot.y() < b.foot.y(); });
    for (const Placement& placement : placements) {
        paintSlab(painter, placement.foot, placement.size, random, style);
    }
}

}  // namespace

// Shaded on the side away from the sun.
void paintSnowDrift(QPainter& painter, const QPointF& foot, double width, double height,
                    const RubbleStyle& style) {
    QPainterPath drift(foot + QPointF(-width / 2.0, 0.0));
    drift.cubicTo(foot + QPointF(-width * 0.3, 0.0), foot + QPointF(-width * 0.25, -height),
                  foot + QPointF(0.0, -height));
    drift.cubicTo(foot + QPointF(width * 0.25, -height), foot + QPointF(width * 0.3, 0.0),
                  foot + QPointF(width / 2.0, 0.0));
    drift.closeSubpath();
    QLinearGradient shading(foot.x() - width / 2.0, 0.0, foot.x() + width / 2.0, 0.0);
    shading.setColorAt(0.0, style.snow);
    shading.setColorAt(0.5, style.snow);
    shading.setColorAt(1.0, mixColor(style.snow, style.shade, 0.45));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shading);
    painter.drawPath(drift);
}

// A plate of ice tilted out of the level: its broken edge faces the camera, its snowy upper
// face slopes away behind it.
void paintSlab(QPainter& painter, const QPointF& foot, double size, Random& random,
               const RubbleStyle& style) {
    const double tilt = random.uniform(-0.75, 0.75);
    const QPointF along(std::cos(tilt) * size, std::sin(tilt) * size);
    const QPointF thickness(0.0, -size * random.uniform(0.16, 0.28));
    const QPointF back(size * random.uniform(-0.15, 0.25), -size * random.uniform(0.2, 0.45));
    auto jitter = [&]() {
        return QPointF(random.uniform(-0.12, 0.12), random.uniform(-0.08, 0.08)) * size;
    };
    const QPointF a = foot - along / 2.0;
    const QPointF b = foot + along / 2.0;
    const QPointF c = b + thickness + jitter();
    const QPointF d = a + thickness + jitter();
    const QPolygonF edge({a, b, c, d});
    const QPolygonF face({d, c, c + back + jitter(), d + back + jitter()});
    const bool facingSun = tilt > 0.0;
    const double tint = random.uniform(0.9, 1.04);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(scaleRgb(style.snow.rgb(), facingSun ? tint : tint * 0.9)));
    painter.drawPolygon(face);
    painter.setBrush(QColor(scaleRgb((facingSun ? style.lit : style.shade).rgb(), tint)));
    painter.drawPolygon(edge);
}

void paintRubbleHeap(QPainter& painter, const QPointF& foot, double width, double height,
                     double slabSize, Random& random, const RubbleStyle& style) {
    paintSnowDrift(painter, foot, width * 1.25, height * 0.45, style);
    std::vector<Placement> placements;
    const int count = std::max(4, static_cast<int>(1.6 * width * height / (slabSize * slabSize)));
    for (int i = 0; i < count; ++i) {
        const double t = random.uniform(-1.0, 1.0);
        const double rise = height * std::sqrt(1.0 - t * t) * std::pow(random.uniform(), 0.6);
        const double size = slabSize * random.uniform(0.6, 1.4);
        placements.push_back({foot + QPointF(t * width / 2.0, -rise + size * 0.3), size});
    }
    paintPlacements(painter, placements, random, style);
}

void paintRidge(QPainter& painter, const Perspective& view, const QPolygonF& groundLine,
                double height, double slabSize, Random& random, const RubbleStyle& style) {
    struct Heap {
        QPointF ground;
        double height;
    };
    std::vector<Heap> heaps;
    for (qsizetype i = 0; i + 1 < groundLine.size(); ++i) {
        const QPointF from = groundLine[i];
        const QPointF to = groundLine[i + 1];
        const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
        const int count = std::max(1, static_cast<int>(length / (1.6 * height)));
        for (int k = 0; k < count; ++k) {
            const QPointF ground = from + (to - from) * ((k + random.uniform()) / count);
            if (ground.y() > 2.0) {
                heaps.push_back({ground, height * random.uniform(0.5, 1.1)});
            }
        }
    }
    std::sort(heaps.begin(), heaps.end(),
              [](const Heap& a, const Heap& b) { return a.ground.y() > b.ground.y(); });
    for (const Heap& heap : heaps) {
        const double pixels = view.pixelsPerMetre(heap.ground.y());
        paintRubbleHeap(painter, view.toScreen(heap.ground), heap.height * 3.0 * pixels,
                        heap.height * pixels, std::max(slabSize * pixels, 1.0), random, style);
    }
}

}  // namespace nimbara
