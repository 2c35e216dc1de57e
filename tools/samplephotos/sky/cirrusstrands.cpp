#include "tools/samplephotos/sky/cirrusstrands.h"
#include "tools/samplephotos/paint/direction.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace nimbara {

namespace {

struct StrandPoint {
    QPointF screen;
    double distance;
};

// The centre line of one filament on the cirrus level, as picture points.
std::vector<StrandPoint> centreLine(const Perspective& view, const CirrusStrands& strands,
                                    Random& random, double across, double distance) {
    const double wind = (strands.windAngle + random.uniform(-12.0, 12.0)) * kRadiansPerDegree;
    const double length = strands.length * random.uniform(0.6, 1.3);
    const double bend = strands.curl * random.uniform(-1.0, 1.0);
    const int steps = 24;
    std::vector<StrandPoint> line;
    for (int k = 0; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps - 0.5;
        const double turn = wind + bend * t * 2.0;
        const double u = across + length * t * std::cos(turn) - 0.25 * bend * length * t * t;
        const double v = distance + length * t * std::sin(turn);
        if (v < 300.0) {
            continue;
        }
        line.push_back({view.toScreen(u, v, strands.altitude), v});
    }
    return line;
}

QPointF normalAt(const std::vector<StrandPoint>& line, std::size_t k) {
    const QPointF a = line[k == 0 ? 0 : k - 1].screen;
    const QPointF b = line[std::min(k + 1, line.size() - 1)].screen;
    const QPointF d = b - a;
    const double length = std::max(std::hypot(d.x(), d.y()), 1e-6);
    return {-d.y() / length, d.x() / length};
}

// The hook of an uncinus filament: the last part of the line turns sharply upwards.
void addHook(std::vector<StrandPoint>& line, Random& random) {
    if (line.size() < 4) {
        return;
    }
    const QPointF end = line.back().screen;
    const QPointF before = line[line.size() - 4].screen;
    const QPointF heading = end - before;
    const double length = std::max(std::hypot(heading.x(), heading.y()), 1.0);
    const double angle = std::atan2(heading.y(), heading.x());
    const double turnSign = heading.x() >= 0.0 ? -1.0 : 1.0;  // turn upwards
    const double size = 0.45 * length * random.uniform(0.8, 1.3);
    const double distance = line.back().distance;
    for (int k = 1; k <= 6; ++k) {
        const double a = angle + turnSign * 0.35 * k;
        const QPointF p = line.back().screen + QPointF(std::cos(a), std::sin(a)) * (size / 6.0);
        line.push_back({p, distance});
    }
}

}  // namespace

void paintCirrusStrands(QImage& image, const Perspective& view, const Daylight& light,
                        const CirrusStrands& strands) {
    Random random(strands.seed * 6151 + 29);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(QRectF(0.0, 0.0, image.width(), view.horizonY()));
    const double f = view.focalLength();
    for (int n = 0; n < strands.count; ++n) {
        const double x = random.uniform(strands.region.left(), strands.region.right());
        double t = random.uniform();
        if (strands.crowd > 0.0) {
            t = 1.0 - std::pow(1.0 - t, 1.0 + 2.0 * strands.crowd);
        }
        const double y =
            std::min(strands.region.top() + t * strands.region.height(), view.horizonY() - 2.0);
        const double distance = f * strands.altitude / (view.horizonY() - y);
        const double across = (x - view.centreX()) * distance / f;
        std::vector<StrandPoint> line = centreLine(view, strands, random, across, distance);
        if (line.size() < 3) {
            continue;
        }
        const bool hooked = strands.form == StrandForm::Uncinus;
        const std::size_t trail = line.size();
        if (hooked) {
            addHook(line, random);
        }
        const double brightness = random.uniform(0.7, 1.0);
        const QRgb colour = mixRgb(light.sunlight.rgb(), qRgb(255, 255, 255), 0.5);
        const double phase = random.uniform(0.0, 6.28);
        // Half the width of the bundle of fibres along the filament, in pixels.
        std::vector<double> halfWidth(line.size());
        std::vector<double> fade(line.size());
        for (std::size_t k = 0; k < line.size(); ++k) {
            const double along = static_cast<double>(k) / static_cast<double>(line.size() - 1);
            const bool head = hooked && k >= trail - 2;
            const double metres =
                (head ? 700.0 : 380.0) * (0.7 + 0.3 * std::sin(phase + 5.0 * along));
            halfWidth[k] = std::clamp(f * metres / line[k].distance, 0.8, 12.0);
            fade[k] = hooked ? 0.15 + 0.85 * smoothStep(0.0, 0.85, along)
                             : std::pow(std::max(std::sin(std::numbers::pi * along), 0.0), 0.7);
        }
        const int fibres = random.integer(14, 24);
        for (int fibre = 0; fibre < fibres + 3; ++fibre) {
            const bool body = fibre >= fibres;  // soft passes that give the filament its glow
            const double offset = body ? 0.0 : random.uniform(-1.0, 1.0);
            const double drift = random.uniform(-0.6, 0.6);
            const double wave = random.uniform(0.0, 6.28);
            const double strength = body ? 0.07 : random.uniform(0.06, 0.2);
            const double thin = random.uniform(0.5, 1.1);
            for (std::size_t k = 1; k < line.size(); ++k) {
                const double along = static_cast<double>(k) / static_cast<double>(line.size() - 1);
                const QPointF normal = normalAt(line, k);
                const double lateral = offset + drift * along + 0.15 * std::sin(wave + 9.0 * along);
                const QPointF a = line[k - 1].screen + normal * (halfWidth[k - 1] * lateral);
                const QPointF b = line[k].screen + normal * (halfWidth[k] * lateral);
                const double width = body ? 2.0 * halfWidth[k] : thin * std::min(halfWidth[k], 1.4);
                const double alpha = strands.opacity * fade[k] * brightness * strength;
                QColor pen(intoHaze(colour, light, 1.8 * line[k].distance));
                pen.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
                painter.setPen(QPen(pen, width, Qt::SolidLine, Qt::FlatCap));
                painter.drawLine(a, b);
            }
        }
    }
}

}  // namespace nimbara
