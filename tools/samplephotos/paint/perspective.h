// A level camera above a flat sea: converts between points on the sea surface (metres across the
// view and ahead of the camera) and picture coordinates. The horizon is a horizontal line; a high
// horizon and a low eye give a view from a ship, a horizon above the picture an aerial view.
#pragma once

#include <QPointF>

namespace nimbara {

class Perspective {
public:
    Perspective(double horizonY, double centreX, double focalLength, double eyeHeight)
        : m_horizonY(horizonY), m_centreX(centreX), m_focal(focalLength), m_eye(eyeHeight) {}

    // A point `height` metres above the sea, `across` to the right and `distance` ahead.
    QPointF toScreen(double across, double distance, double height = 0.0) const;
    QPointF toScreen(const QPointF& ground, double height = 0.0) const;
    double distanceAt(double screenY) const;  // on the sea surface; only below the horizon
    double acrossAt(double screenX, double distance) const;
    double pixelsPerMetre(double distance) const { return m_focal / distance; }
    // Metres of sea that one picture row spans at this distance (the foreshortened direction).
    double rowDepth(double distance) const { return distance * distance / (m_focal * m_eye); }

    double horizonY() const { return m_horizonY; }
    double focalLength() const { return m_focal; }
    double centreX() const { return m_centreX; }
    double eyeHeight() const { return m_eye; }

private:
    double m_horizonY;
    double m_centreX;
    double m_focal;
    double m_eye;
};

}  // namespace nimbara
