#include "tools/samplephotos/ice/floes.h"

#include "tools/samplephotos/paint/random.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>

namespace nimbara {

QPolygonF angularOutline(Random& random, double radius, int corners, double irregularity) {
    QPolygonF outline;
    const double step = 2.0 * std::numbers::pi / corners;
    const double start = random.uniform(0.0, step);
    for (int i = 0; i < corners; ++i) {
        const double angle = start + step * (i + random.uniform(-0.35, 0.35) * irregularity);
        const double reach = radius * (1.0 + irregularity * random.uniform(-0.35, 0.25));
        outline << QPointF(reach * std::cos(angle), reach * std::sin(angle));
    }
    return outline;
}

QPolygonF roundOutline(Random& random, double radius, double wobble) {
    QPolygonF outline;
    const int points = 28;
    const double phase = random.uniform(0.0, 6.3);
    const double lobes = random.integer(2, 4);
    const double stretch = random.uniform(0.85, 1.15);
    for (int i = 0; i < points; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / points;
        const double reach = radius * (1.0 + wobble * (0.5 * std::sin(lobes * angle + phase) +
                                                       0.5 * random.uniform(-1.0, 1.0)));
        outline << QPointF(reach * std::cos(angle) * stretch, reach * std::sin(angle) / stretch);
    }
    return outline;
}

namespace {

struct Placed {
    QPointF centre;
    double radius;
};

// Placed floes filed in square buckets, so that a new one is tested only against its neighbours.
class PlacedFloes {
public:
    PlacedFloes(double largestRadius, double gap) : m_bucket(2.0 * largestRadius + gap) {}

    bool overlaps(const Placed& candidate, double gap) const {
        const auto [bx, by] = bucketOf(candidate.centre);
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const auto found = m_buckets.find(key(bx + dx, by + dy));
                if (found != m_buckets.end() && overlapsAny(found->second, candidate, gap)) {
                    return true;
                }
            }
        }
        return false;
    }
    void add(const Placed& floe) {
        const auto [bx, by] = bucketOf(floe.centre);
        m_buckets[key(bx, by)].push_back(floe);
        m_all.push_back(floe);
    }
    std::vector<Placed>& all() { return m_all; }

private:
    static bool overlapsAny(const std::vector<Placed>& floes, const Placed& candidate, double gap) {
        return std::any_of(floes.begin(), floes.end(), [&](const Placed& other) {
            const QPointF d = other.centre - candidate.centre;
            return std::hypot(d.x(), d.y()) < other.radius + candidate.radius + gap;
        });
    }
    std::pair<int, int> bucketOf(const QPointF& point) const {
        return {static_cast<int>(std::floor(point.x() / m_bucket)),
                static_cast<int>(std::floor(point.y() / m_bucket))};
    }
    static std::int64_t key(int x, int y) {
        return (static_cast<std::int64_t>(x) << 32) ^ static_cast<std::uint32_t>(y);
    }

    double m_bucket;
    std::map<std::int64_t, std::vector<Placed>> m_buckets;
    std::vector<Placed> m_all;
};

}  // namespace

std::vector<QPolygonF> scatterFloes(Random& random, const FloeScatter& scatter, bool rounded) {
    PlacedFloes placedFloes(0.5 * scatter.size * (1.0 + scatter.sizeSpread), scatter.gap);
    const double areaSize = scatter.area.width() * scatter.area.height();
    double covered = 0.0;
    for (int attempt = 0; attempt < 20000 && covered < scatter.cover * areaSize; ++attempt) {
        const double spread = random.uniform(1.0 - scatter.sizeSpread, 1.0 + scatter.sizeSpread);
        const Placed candidate{{random.uniform(scatter.area.left(), scatter.area.right()),
                                random.uniform(scatter.area.top(), scatter.area.bottom())},
                               0.5 * scatter.size * spread};
        if (!placedFloes.overlaps(candidate, scatter.gap)) {
            placedFloes.add(candidate);
            covered += 3.0 * candidate.radius * candidate.radius;
        }
    }
    std::vector<Placed>& placed = placedFloes.all();
    std::sort(placed.begin(), placed.end(),
              [](const Placed& a, const Placed& b) { return a.centre.y() > b.centre.y(); });
    std::vector<QPolygonF> floes;
    for (const Placed& floe : placed) {
        const QPolygonF outline =
            rounded ? roundOutline(random, floe.radius * 0.95, 0.12)
                    : angularOutline(random, floe.radius,
                                     random.integer(scatter.fewestCorners, scatter.mostCorners),
                                     scatter.irregularity);
        floes.push_back(outline.translated(floe.centre));
    }
    return floes;
}

std::vector<QPolygonF> scatterInView(Random& random, const Perspective& view, double width,
                                     double nearest, double farthest, FloeScatter scatter,
                                     bool rounded) {
    std::vector<QPolygonF> floes;
    for (double far = farthest; far > nearest; far /= 1.5) {
        const double near = std::max(far / 1.5, nearest);
        const double left = view.acrossAt(-20.0, far);
        const double right = view.acrossAt(width + 20.0, far);
        scatter.area = QRectF(left, near, right - left, far - near);
        for (QPolygonF& floe : scatterFloes(random, scatter, rounded)) {
            if (floe.boundingRect().top() > 0.8 * nearest) {
                floes.push_back(std::move(floe));
            }
        }
    }
    return floes;
}

QPolygonF projected(const Perspective& view, const QPolygonF& ground, double height) {
    QPolygonF screen;
    for (const QPointF& point : ground) {
        screen << view.toScreen(point, height);
    }
    return screen;
}

void paintFloe(QPainter& painter, const Perspective& view, const QPolygonF& ground,
               const FloeStyle& style) {
    const QPolygonF top = projected(view, ground, style.freeboard);
    const QPolygonF waterline = projected(view, ground, 0.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(style.side);
    for (qsizetype i = 0; i < top.size(); ++i) {
        const qsizetype next = (i + 1) % top.size();
        painter.drawPolygon(QPolygonF({top[i], top[next], waterline[next], waterline[i]}));
    }
    painter.setBrush(style.top);
    painter.drawPolygon(top);
}

QPainterPath floeTops(const Perspective& view, const std::vector<QPolygonF>& floes,
                      double freeboard) {
    QPainterPath tops;
    tops.setFillRule(Qt::WindingFill);
    for (const QPolygonF& floe : floes) {
        tops.addPolygon(projected(view, floe, freeboard));
        tops.closeSubpath();
    }
    return tops;
}

}  // namespace nimbara
