#include "tools/samplephotos/sky/sky.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/raster.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

namespace nimbara {

void paintSky(QPainter& painter, const QSize& size, const SkyStyle& style) {
    QLinearGradient gradient(0.0, 0.0, 0.0, style.horizonY);
    gradient.setColorAt(0.0, style.zenith);
    gradient.setColorAt(0.7, mixColor(style.zenith, style.horizon, 0.55));
    gradient.setColorAt(1.0, style.horizon);
    painter.fillRect(QRectF(0.0, 0.0, size.width(), style.horizonY + 1.0), gradient);
}

void paintSunGlow(QPainter& painter, const QPointF& centre, double radius, const QColor& colour) {
    QRadialGradient glow(centre, radius);
    QColor core = colour;
    QColor edge = colour;
    core.setAlpha(200);
    edge.setAlpha(0);
    glow.setColorAt(0.0, core);
    glow.setColorAt(0.08, core);
    glow.setColorAt(1.0, edge);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
}

void paintCloudLayer(QImage& image, double horizonY, const Noise& noise, const CloudLayer& layer) {
    const double width = image.width();
    const double centreX = width / 2.0;
    const int lastRow = std::min(static_cast<int>(horizonY), image.height());
    for (int y = 0; y < lastRow; ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double rise = std::max(horizonY - y, 0.5) / std::max(horizonY, 1.0);
        const double depth = 1.0 / rise;  // distance along the cloud sheet, 1 straight above
        const double haze = smoothStep(4.0, 14.0, depth);
        for (int x = 0; x < image.width(); ++x) {
            const double u = (x - centreX) * depth / (width * layer.size);
            const double v = depth / (layer.size * 2.5);
            const double density = noise.fractal(u, v, 5);
            const double threshold = 1.0 - layer.cover;
            const double amount = smoothStep(threshold - 0.12, threshold + 0.18, density);
            const double lit = noise.fractal(u + 0.35, v + 0.35, 3);
            const QRgb cloud =
                mixRgb(layer.shade.rgb(), layer.light.rgb(),
                       std::clamp(1.2 * lit - 0.1 + 0.4 * (density - 0.5), 0.0, 1.0));
            pixels[x] = mixRgb(pixels[x], cloud, amount * (1.0 - 0.7 * haze));
        }
    }
}

namespace {

struct CloudPoint {
    double density;  // above 0 inside a cloud, growing towards its heart
    double rise;     // height above that cloud's base, as a share of its height
};

class CloudField {
public:
    CloudField(const QImage& image, const std::vector<Cumulus>& clouds, const Noise& noise,
               double grain, bool wrap)
        : m_width(image.width()),
          m_height(image.height()),
          m_clouds(clouds),
          m_noise(noise),
          m_grain(grain),
          m_wrap(wrap) {}

    CloudPoint at(double x, double y) const {
        const double billow = m_noise.fractal(x / m_grain, y / m_grain, 4) - 0.5;
        CloudPoint densest{-1.0, 1.0};
        const int reach = m_wrap ? 1 : 0;
        for (const Cumulus& cloud : m_clouds) {
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const QPointF base = cloud.base + QPointF(dx * m_width, dy * m_height);
                    const CloudPoint point = inCloud(cloud, base, x, y, billow);
                    if (point.density > densest.density) {
                        densest = point;
                    }
                }
            }
        }
        return densest;
    }

private:
    static CloudPoint inCloud(const Cumulus& cloud, const QPointF& base, double x, double y,
                              double billow) {
        const double u = (x - base.x()) / (cloud.width / 2.0);
        const double v = (base.y() - y) / cloud.height;
        if (v < 0.0 || std::abs(u) > 1.8 || v > 2.0) {
            return {-1.0, v};
        }
        const double dome = 1.0 - u * u - v * v;
        return {dome + (0.5 + 0.9 * v) * billow, v};
    }

    double m_width;
    double m_height;
    const std::vector<Cumulus>& m_clouds;
    const Noise& m_noise;
    double m_grain;
    bool m_wrap;
};

}  // namespace

void paintCumulusClouds(QImage& image, const std::vector<Cumulus>& clouds, const Noise& noise,
                        double grain, const CumulusStyle& style, bool wrap) {
    const CloudField field(image, clouds, noise, grain, wrap);
    shadePixels(image, [&](int x, int y, QRgb current) {
        const double px = x + 0.5, py = y + 0.5;
        const CloudPoint point = field.at(px, py);
        if (point.density <= 0.0) {
            return current;
        }
        const double towardSun = std::max(field.at(px - 6.0, py - 8.0).density, 0.0);
        const double lit = std::clamp(1.05 - 1.5 * towardSun + 0.3 * point.density, 0.0, 1.0);
        QRgb colour = mixRgb(style.shade.rgb(), style.light.rgb(), lit);
        colour = mixRgb(colour, style.base.rgb(), 0.75 * smoothStep(0.35, 0.0, point.rise));
        return mixRgb(current, colour, smoothStep(0.0, 0.1, point.density));
    });
}

}  // namespace nimbara
