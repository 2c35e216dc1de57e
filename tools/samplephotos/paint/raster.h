// Pixel level painting: colour arithmetic, coverage masks of painted shapes, and shaders that run
// over every pixel of a picture, of a masked part of it, or of the sea surface seen in perspective.
#pragma once

#include "tools/samplephotos/paint/perspective.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <functional>

namespace nimbara {

class Noise;

QRgb mixRgb(QRgb from, QRgb to, double amount);
QRgb scaleRgb(QRgb colour, double factor);
QColor mixColor(const QColor& from, const QColor& to, double amount);
double luminance(QRgb colour);  // 0 .. 255

// 255 where the path covers the picture, 0 elsewhere, antialiased edges in between.
QImage coverageMask(const QSize& size, const QPainterPath& area);

using PixelShader = std::function<QRgb(int x, int y, QRgb current)>;
void shadePixels(QImage& image, const PixelShader& shader);
void shadePixels(QImage& image, const QImage& mask, const PixelShader& shader);

// One sea-surface point seen by a pixel: metres across and ahead, and how many metres of surface
// one pixel row spans there (textures finer than that must fade out, or they shimmer).
struct GroundPoint {
    double across;
    double distance;
    double rowDepth;
};
using GroundShader = std::function<QRgb(const GroundPoint& point, QRgb current)>;
// `samples` per side of a pixel: 2 averages four points, for sharp edges without stair steps.
void shadeGround(QImage& image, const Perspective& view, const GroundShader& shader,
                 int samples = 1);
void shadeGround(QImage& image, const Perspective& view, const QImage& mask,
                 const GroundShader& shader, int samples = 1);

// Brightens and darkens the masked pixels by noise: `scale` is the size of a grain in pixels
// (x and y apart), `amplitude` the largest change as a fraction of the brightness.
struct Grain {
    double scaleX;
    double scaleY;
    double amplitude;
    int octaves;
};
void applyGrain(QImage& image, const QImage& mask, const Noise& noise, const Grain& grain);
// The same with the grain lying on the sea surface: `scale` in metres.
void applyGroundGrain(QImage& image, const QImage& mask, const Perspective& view,
                      const Noise& noise, const Grain& grain);

}  // namespace nimbara
