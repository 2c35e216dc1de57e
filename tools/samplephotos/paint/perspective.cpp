#include "tools/samplephotos/paint/perspective.h"

namespace nimbara {

QPointF Perspective::toScreen(double across, double distance, double height) const {
    return {m_centreX + m_focal * across / distance,
            m_horizonY + m_focal * (m_eye - height) / distance};
}

QPointF Perspective::toScreen(const QPointF& ground, double height) const {
    return toScreen(ground.x(), ground.y(), height);
}

double Perspective::distanceAt(double screenY) const {
    return m_focal * m_eye / (screenY - m_horizonY);
}

double Perspective::acrossAt(double screenX, double distance) const {
    return (screenX - m_centreX) * distance / m_focal;
}

}  // namespace nimbara
