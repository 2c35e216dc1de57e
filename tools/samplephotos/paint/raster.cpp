#include "tools/samplephotos/paint/raster.h"

#include "tools/samplephotos/paint/noise.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

int channel(double value) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

QRgb* row(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

void shadeRows(QImage& image, const QImage* mask, int firstRow, const PixelShader& shader) {
    for (int y = std::max(firstRow, 0); y < image.height(); ++y) {
        QRgb* pixels = row(image, y);
        const uchar* cover = mask != nullptr ? mask->constScanLine(y) : nullptr;
        for (int x = 0; x < image.width(); ++x) {
            if (cover == nullptr) {
                pixels[x] = shader(x, y, pixels[x]);
            } else if (cover[x] > 0) {
                const QRgb shaded = shader(x, y, pixels[x]);
                pixels[x] = mixRgb(pixels[x], shaded, cover[x] / 255.0);
            }
        }
    }
}

GroundPoint groundPoint(const Perspective& view, double x, double y) {
    const double distance = view.distanceAt(y);
    return {view.acrossAt(x, distance), distance, view.rowDepth(distance)};
}

PixelShader groundToPixel(const Perspective& view, const GroundShader& shader, int samples) {
    return [&view, &shader, samples](int x, int y, QRgb current) {
        if (samples <= 1) {
            return shader(groundPoint(view, x + 0.5, y + 0.5), current);
        }
        double red = 0.0, green = 0.0, blue = 0.0;
        for (int j = 0; j < samples; ++j) {
            for (int i = 0; i < samples; ++i) {
                const double sx = x + (i + 0.5) / samples;
                const double sy = std::max(y + (j + 0.5) / samples, view.horizonY() + 0.05);
                const QRgb colour = shader(groundPoint(view, sx, sy), current);
                red += qRed(colour);
                green += qGreen(colour);
                blue += qBlue(colour);
            }
        }
        const double count = samples * samples;
        return qRgb(channel(red / count), channel(green / count), channel(blue / count));
    };
}

int firstGroundRow(const Perspective& view) {
    return static_cast<int>(std::floor(view.horizonY())) + 1;
}

QRgb grained(QRgb current, double noiseValue, double amplitude) {
    return scaleRgb(current, 1.0 + amplitude * (2.0 * noiseValue - 1.0));
}

}  // namespace

QRgb mixRgb(QRgb from, QRgb to, double amount) {
    return qRgb(channel(std::lerp(qRed(from), qRed(to), amount)),
                channel(std::lerp(qGreen(from), qGreen(to), amount)),
                channel(std::lerp(qBlue(from), qBlue(to), amount)));
}

QRgb scaleRgb(QRgb colour, double factor) {
    return qRgb(channel(qRed(colour) * factor), channel(qGreen(colour) * factor),
                channel(qBlue(colour) * factor));
}

QColor mixColor(const QColor& from, const QColor& to, double amount) {
    return QColor(mixRgb(from.rgb(), to.rgb(), amount));
}

double luminance(QRgb colour) {
    return 0.299 * qRed(colour) + 0.587 * qGreen(colour) + 0.114 * qBlue(colour);
}

QImage coverageMask(const QSize& size, const QPainterPath& area) {
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(area, Qt::white);
    return mask;
}

void shadePixels(QImage& image, const PixelShader& shader) {
    shadeRows(image, nullptr, 0, shader);
}

void shadePixels(QImage& image, const QImage& mask, const PixelShader& shader) {
    shadeRows(image, &mask, 0, shader);
}

void shadeGround(QImage& image, const Perspective& view, const GroundShader& shader, int samples) {
    shadeRows(image, nullptr, firstGroundRow(view), groundToPixel(view, shader, samples));
}

void shadeGround(QImage& image, const Perspective& view, const QImage& mask,
                 const GroundShader& shader, int samples) {
    shadeRows(image, &mask, firstGroundRow(view), groundToPixel(view, shader, samples));
}

void applyGrain(QImage& image, const QImage& mask, const Noise& noise, const Grain& grain) {
    shadePixels(image, mask, [&](int x, int y, QRgb current) {
        const double value = noise.fractal(x / grain.scaleX, y / grain.scaleY, grain.octaves);
        return grained(current, value, grain.amplitude);
    });
}

void applyGroundGrain(QImage& image, const QImage& mask, const Perspective& view,
                      const Noise& noise, const Grain& grain) {
    shadeGround(image, view, mask, [&](const GroundPoint& point, QRgb current) {
        const double value = noise.fractal(point.across / grain.scaleX,
                                           point.distance / grain.scaleY, grain.octaves);
        const double fadeOut = std::clamp(grain.scaleY / (3.0 * point.rowDepth), 0.0, 1.0);
        return grained(current, value, grain.amplitude * fadeOut);
    });
}

}  // namespace nimbara
