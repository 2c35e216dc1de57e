// A random partition of the plane into cells (Worley's cellular pattern): ice broken into floes
// seen from the air, with the distance to the nearest crack between two floes; or round elements
// (cloudlets) around each cell's own point.
#pragma once

#include <QPoint>
#include <QPointF>
#include <cstdint>

namespace nimbara {

struct CellSample {
    double edgeDistance;  // to the border with the nearest other cell, in the caller's units
    std::uint64_t cell;   // identifies the cell, for giving each floe its own tone
};

struct CellCentre {
    double distance;     // to the nearest cell's own point, in the caller's units
    std::uint64_t cell;  // identifies that cell
    QPointF offset;      // from that point to the sampled one, in the caller's units
};

class Cells {
public:
    Cells(std::uint64_t seed, double cellSize) : m_seed(seed), m_size(cellSize) {}

    CellSample sample(double x, double y) const;
    CellCentre nearest(double x, double y) const;

private:
    double feature(int cellX, int cellY, int axis) const;
    QPointF featurePoint(int cellX, int cellY) const;
    QPoint nearestCell(const QPointF& point) const;
    double borderDistance(const QPointF& point, const QPoint& cell) const;

    std::uint64_t m_seed;
    double m_size;
};

}  // namespace nimbara
