// Skies: a gradient from the zenith colour down to the horizon, the glow around a low sun, a
// layer of cloud seen in perspective, and single cumulus clouds.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <vector>

namespace nimbara {

class Noise;

struct SkyStyle {
    QColor zenith;
    QColor horizon;
    double horizonY;
};
void paintSky(QPainter& painter, const QSize& size, const SkyStyle& style);
void paintSunGlow(QPainter& painter, const QPointF& centre, double radius, const QColor& colour);

// Cloud lying on a level sheet above the sea: `cover` 0 (clear) to 1 (overcast), `size` the
// width of a cloud element as a fraction of the picture width straight overhead.
struct CloudLayer {
    QColor light;
    QColor shade;
    double cover;
    double size;
};
void paintCloudLayer(QImage& image, double horizonY, const Noise& noise, const CloudLayer& layer);

struct CumulusStyle {
    QColor light;
    QColor shade;
    QColor base;
};
// A heap cloud: the middle of its flat base, its width and height in pixels.
struct Cumulus {
    QPointF base;
    double width;
    double height;
};
// Heap clouds lit from the upper left, their tops billowing by `noise` (sampled every `grain`
// pixels). With `wrap` a cloud leaving one edge comes back at the opposite one, for tiling; the
// noise must then repeat with the picture.
void paintCumulusClouds(QImage& image, const std::vector<Cumulus>& clouds, const Noise& noise,
                        double grain, const CumulusStyle& style, bool wrap);

}  // namespace nimbara
