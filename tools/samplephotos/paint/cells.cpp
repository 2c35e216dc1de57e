#include "tools/samplephotos/paint/cells.h"

#include <cmath>
#include <limits>

namespace nimbara {

namespace {

std::uint64_t hashCell(std::uint64_t seed, int x, int y, int axis) {
    std::uint64_t z = seed ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) ^
                      static_cast<std::uint32_t>(y);
    z += static_cast<std::uint64_t>(axis + 1) * 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

double Cells::feature(int cellX, int cellY, int axis) const {
    return static_cast<double>(hashCell(m_seed, cellX, cellY, axis) >> 11) * 0x1.0p-53;
}

QPointF Cells::featurePoint(int cellX, int cellY) const {
    return {cellX + feature(cellX, cellY, 0), cellY + feature(cellX, cellY, 1)};
}

// Each cell holds one feature point; a point belongs to the cell whose feature is nearest.
QPoint Cells::nearestCell(const QPointF& point) const {
    const int cx = static_cast<int>(std::floor(point.x()));
    const int cy = static_cast<int>(std::floor(point.y()));
    double nearest = std::numeric_limits<double>::max();
    QPoint found(cx, cy);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPointF offset = featurePoint(cx + dx, cy + dy) - point;
            const double distance = std::hypot(offset.x(), offset.y());
            if (distance < nearest) {
                nearest = distance;
                found = QPoint(cx + dx, cy + dy);
            }
        }
    }
    return found;
}

// Measured towards each neighbour along the line between the two feature points, which is exact
// for the straight border the two cells share.
double Cells::borderDistance(const QPointF& point, const QPoint& cell) const {
    const QPointF own = featurePoint(cell.x(), cell.y());
    double border = std::numeric_limits<double>::max();
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            const QPointF other = featurePoint(cell.x() + dx, cell.y() + dy);
            const QPointF middle = 0.5 * (own + other);
            const QPointF normal = other - own;
            const double length = std::hypot(normal.x(), normal.y());
            const QPointF toMiddle = middle - point;
            border = std::min(border, QPointF::dotProduct(toMiddle, normal) / length);
        }
    }
    return border;
}

CellCentre Cells::nearest(double x, double y) const {
    const QPointF point(x / m_size, y / m_size);
    const QPoint cell = nearestCell(point);
    const QPointF offset = point - featurePoint(cell.x(), cell.y());
    return {std::hypot(offset.x(), offset.y()) * m_size, hashCell(m_seed, cell.x(), cell.y(), 7),
            offset * m_size};
}

CellSample Cells::sample(double x, double y) const {
    const QPointF point(x / m_size, y / m_size);
    const QPoint cell = nearestCell(point);
    return {borderDistance(point, cell) * m_size, hashCell(m_seed, cell.x(), cell.y(), 7)};
}

}  // namespace nimbara
