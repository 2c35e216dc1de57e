#include "tools/samplephotos/sky/cloudsheet.h"
#include "tools/samplephotos/paint/direction.h"

#include "tools/samplephotos/paint/cells.h"
#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nimbara {

namespace {

constexpr double kHaloRadius = 22.0 * kRadiansPerDegree;

struct SheetSample {
    double density;        // 0 clear .. 1 cloud
    double depth;          // optical thickness, 0 .. 1
    double sunSide = 0.0;  // -1 .. 1: on the side of an element away from or towards the sun
};

// The cloud on the sheet's level at a point in metres (across, distance).
class SheetField {
public:
    explicit SheetField(const CloudSheet& sheet)
        : m_sheet(sheet),
          m_noise(sheet.seed * 31 + 7),
          m_cells(sheet.seed * 17 + 3, 1.0),
          m_windCos(std::cos(sheet.windAngle * kRadiansPerDegree)),
          m_windSin(std::sin(sheet.windAngle * kRadiansPerDegree)),
          m_frontCos(std::cos(sheet.frontAngle * kRadiansPerDegree)),
          m_frontSin(std::sin(sheet.frontAngle * kRadiansPerDegree)) {}

    // `detail` 0 .. 1: how much of the element pattern the pixel can show.
    SheetSample at(double u, double v, double detail) const {
        const double extent = extentAt(u, v);
        if (extent <= 0.0) {
            return {0.0, 0.0};
        }
        const double along =
            (u * m_windCos + v * m_windSin) / (m_sheet.elementSize * m_sheet.stretch);
        const double across = (-u * m_windSin + v * m_windCos) / m_sheet.elementSize;
        const SheetSample texture = textureAt(along, across, detail);
        const double grow = m_sheet.thickening > 0.0
                                ? 0.35 + 0.65 * smoothStep(0.0, m_sheet.thickening, m_front)
                                : 1.0;
        return {texture.density * extent, texture.depth * std::min(extent * 1.4, 1.0) * grow,
                texture.sunSide};
    }

    // The sun's bearing on the level, for lighting the sides of elements that face it.
    void setSun(double towardsU, double towardsV) {
        const double p = (towardsU * m_windCos + towardsV * m_windSin) / m_sheet.stretch;
        const double q = -towardsU * m_windSin + towardsV * m_windCos;
        const double length = std::max(std::hypot(p, q), 1e-9);
        m_sunP = p / length;
        m_sunQ = q / length;
    }

private:
    double extentAt(double u, double v) const {
        double extent = 1.0;
        m_front = 0.0;
        if (m_sheet.bounded) {
            const double ragged = (m_noise.fractal(u / 2500.0, v / 2500.0, 3) - 0.5) * 2.5;
            m_front =
                u * m_frontCos + v * m_frontSin - m_sheet.frontOffset + ragged * m_sheet.frontWidth;
            extent = smoothStep(-m_sheet.frontWidth, m_sheet.frontWidth, m_front);
            if (extent <= 0.0) {
                return 0.0;
            }
        }
        // Large patches from noise and listed patches both hold cloud.
        double area = 1.0;
        if (m_sheet.patchScale > 0.0 || !m_sheet.patches.empty()) {
            area = 0.0;
        }
        if (m_sheet.patchScale > 0.0) {
            const double n =
                m_noise.fractal(u / m_sheet.patchScale + 40.0, v / m_sheet.patchScale + 40.0, 4);
            const double threshold = 1.0 - m_sheet.patchCover;
            area = smoothStep(threshold - 0.07, threshold + 0.09, n);
        }
        for (const SheetPatch& patch : m_sheet.patches) {
            const double du = u - patch.across;
            const double dv = v - patch.distance;
            const double c = std::cos(patch.angle * kRadiansPerDegree);
            const double s = std::sin(patch.angle * kRadiansPerDegree);
            const double a = (du * c + dv * s) / patch.length;
            const double b = (-du * s + dv * c) / patch.width;
            const double r = a * a + b * b;
            if (r < 1.6) {
                const double wobble = m_noise.fractal(u / 900.0, v / 900.0, 3) - 0.5;
                area = std::max(area, smoothStep(1.0, 0.45, r + 0.7 * wobble));
            }
        }
        if (m_sheet.bandSpacing > 0.0) {
            const double across = -u * m_windSin + v * m_windCos;
            const double wander = 2.0 * (m_noise.fractal(u / 6000.0, v / 6000.0, 2) - 0.5);
            area *= smoothStep(
                -0.35, 0.35,
                std::sin(2.0 * std::numbers::pi * across / m_sheet.bandSpacing + wander));
        }
        extent *= area;
        return extent;
    }

    SheetSample textureAt(double p, double q, double detail) const {
        switch (m_sheet.texture) {
            case SheetTexture::Veil: {
                const double n = m_noise.fractal(0.6 * p, 0.6 * q, 4) - 0.5;
                const double d =
                    std::clamp(m_sheet.cover + 1.6 * m_sheet.roughness * n * detail, 0.0, 1.0);
                return {d, d * m_sheet.thickness};
            }
            case SheetTexture::Fibrous: {
                const double body = m_noise.fractal(0.35 * p, 0.5 * q, 3) - 0.5;
                const double fibres = m_noise.fractal(0.25 * p + 9.0, 3.0 * q, 4) - 0.5;
                const double d = std::clamp(m_sheet.cover + 1.2 * m_sheet.roughness * body +
                                                1.4 * m_sheet.roughness * fibres * detail,
                                            0.0, 1.0);
                return {d, d * m_sheet.thickness};
            }
            case SheetTexture::Cells: {
                const double mean = 0.3 * m_sheet.cover + 0.1;
                if (detail <= 0.02) {
                    return {mean, 0.6 * mean * m_sheet.thickness};
                }
                const double wp = p + 0.5 * (m_noise.fractal(0.7 * p, 0.7 * q, 2) - 0.5);
                const double wq =
                    q + 0.5 * (m_noise.fractal(0.7 * p + 19.0, 0.7 * q + 7.0, 2) - 0.5);
                const CellCentre cell = m_cells.nearest(wp, wq);
                // Sizes vary smoothly across the sheet, so neighbouring elements join without
                // seams.
                const double size = m_noise.fractal(0.25 * p + 5.0, 0.25 * q + 3.0, 2);
                const double radius = (0.3 + 0.45 * m_sheet.cover) * (0.8 + 0.4 * size);
                const double lumpy = m_sheet.lumpiness;
                const double lumps =
                    m_noise.fractal(2.6 * p, 2.6 * q, 3 + static_cast<int>(2.0 * lumpy)) - 0.5;
                const double r = cell.distance / radius + (0.3 + 0.5 * lumpy) * lumps;
                const double blob = smoothStep(1.0, 0.72 - 0.15 * lumpy, r);
                const double core = smoothStep(1.05, 0.1, r);
                const double grain =
                    1.0 + (0.3 + 0.6 * lumpy) * (m_noise.fractal(4.0 * p, 4.0 * q, 2) - 0.5);
                const double depth = (0.3 + 0.7 * core) * blob * grain;
                // Elements are lit on the side that faces the sun, shaded on the other: the
                // distance to the element's centre grows towards the sun on its sunlit side.
                double sunSide = 0.0;
                if (m_sheet.shading > 0.0) {
                    const double step = 0.25;
                    const CellCentre ahead =
                        m_cells.nearest(wp + step * m_sunP, wq + step * m_sunQ);
                    const double facing = (ahead.distance - cell.distance) / (step * radius);
                    sunSide = m_sheet.shading * detail * std::clamp(facing, -1.0, 1.0) *
                              smoothStep(0.0, 0.6, r);
                }
                return {std::lerp(mean, blob, detail),
                        std::lerp(0.6 * mean, depth, detail) * m_sheet.thickness, sunSide};
            }
            case SheetTexture::Pouches: {
                // Each pouch hangs like a ball, lit on the side facing the open sky at the
                // anvil's edge and dark in the creases between pouches.
                const double wobble = 0.25 * (m_noise.fractal(1.5 * p, 1.5 * q, 3) - 0.5);
                const CellCentre cell = m_cells.nearest(p + wobble, q - wobble);
                const CellCentre nearer = m_cells.nearest(p + wobble, q - wobble - 0.18);
                const double bulge = smoothStep(0.7, 0.05, cell.distance);
                const double facing =
                    std::clamp(2.5 * (cell.distance - nearer.distance), -1.0, 1.0);
                const double shade = 1.0 - 0.45 * bulge - 0.35 * facing * bulge;
                return {1.0,
                        std::lerp(0.85, std::clamp(shade, 0.1, 1.0), detail) * m_sheet.thickness};
            }
        }
        return {0.0, 0.0};
    }

    const CloudSheet& m_sheet;
    Noise m_noise;
    Cells m_cells;
    double m_windCos;
    double m_windSin;
    double m_frontCos;
    double m_frontSin;
    double m_sunP = 0.0;
    double m_sunQ = 1.0;
    mutable double m_front = 0.0;  // signed distance beyond the front of the last point sampled
};

// The point of the sheet a pixel sees, and how large a pixel is there.
struct SheetPoint {
    double across;
    double distance;
    double pixelMetres;  // along the line of sight, the foreshortened direction
};

SheetPoint sheetPoint(const Perspective& view, double altitude, double x, double y) {
    const double rise = std::max(view.horizonY() - y, 0.35);
    const double f = view.focalLength();
    const double distance = f * altitude / rise;
    const double across = (x - view.centreX()) * distance / f;
    return {across, distance, distance * distance / (f * altitude)};
}

double elementDetail(const CloudSheet& sheet, double pixelMetres) {
    const double pixels = sheet.elementSize / std::max(pixelMetres, 1e-6);
    return smoothStep(1.5, 6.0, pixels);
}

}  // namespace

void paintCloudSheet(QImage& image, const Perspective& view, const Daylight& light,
                     const CloudSheet& sheet, const DepthBuffer* inFrontOf) {
    SheetField field(sheet);
    const double sunFlat = std::hypot(light.sun.x, light.sun.z);
    field.setSun(sunFlat > 1e-6 ? light.sun.x / sunFlat : 0.0,
                 sunFlat > 1e-6 ? light.sun.z / sunFlat : 1.0);
    const int lastRow = std::min(static_cast<int>(std::ceil(view.horizonY())), image.height());
    const int width = image.width();
    for (int y = 0; y < lastRow; ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const SheetPoint point = sheetPoint(view, sheet.altitude, x + 0.5, y + 0.5);
            if (inFrontOf != nullptr) {
                const float behind = (*inFrontOf)[static_cast<std::size_t>(y * width + x)];
                if (behind <= 0.0f || point.distance >= behind) {
                    continue;
                }
            }
            const double detail = elementDetail(sheet, point.pixelMetres);
            const SheetSample sample = field.at(point.across, point.distance, detail);
            if (sample.density <= 0.004) {
                continue;
            }
            const Direction direction = pixelDirection(view, x + 0.5, y + 0.5);
            const double fromSun = angleBetween(direction, light.sun);
            // Thin cloud near the sun scatters its light forward and shines.
            const double forward = std::exp(-fromSun / 0.3);
            QRgb lit = mixRgb(sheet.light.rgb(), light.sunlight.rgb(), 0.5);
            lit = mixRgb(lit, qRgb(255, 255, 255), 0.6 * forward * (1.0 - sample.depth));
            QRgb colour = mixRgb(lit, sheet.dark.rgb(), smoothStep(0.04, 0.95, sample.depth));
            colour = scaleRgb(colour, 1.0 + 0.3 * sample.sunSide);
            colour = intoHaze(colour, light, 1.5 * point.distance);
            double alpha =
                sheet.opacity * (0.5 + 0.5 * std::exp(-point.distance / light.visibility));
            if (sheet.texture == SheetTexture::Cells) {
                alpha *= smoothStep(0.0, 0.6, sample.density);
            } else {
                alpha *= std::clamp(sample.density, 0.0, 1.0);
            }
            QRgb shown = mixRgb(pixels[x], colour, alpha);
            if (sheet.halo) {
                // Ice crystals bend the sunlight into a ring of 22 degrees: reddish inside, sharp
                // on its inner edge, fading outwards, the sky inside it a little darker.
                const double offset = (fromSun - kHaloRadius) / kRadiansPerDegree;
                const double ring = offset < 0.0 ? std::exp(-offset * offset / 0.35)
                                                 : std::exp(-offset * offset / 3.5);
                const double presence = std::clamp(2.2 * alpha, 0.0, 1.0);
                shown = mixRgb(shown, qRgb(255, 253, 248), 0.3 * ring * presence);
                if (offset < 0.0) {
                    shown = mixRgb(shown, qRgb(226, 180, 150),
                                   0.25 * std::exp(-offset * offset / 0.2) * presence);
                    shown = scaleRgb(shown, 1.0 - 0.06 * presence * smoothStep(-1.0, -4.0, offset));
                }
            }
            pixels[x] = shown;
        }
    }
}

double sheetDepth(const Perspective& view, const CloudSheet& sheet, const Direction& direction) {
    if (direction.y <= 1e-4 || direction.z <= 1e-6) {
        return 0.0;
    }
    const std::optional<QPointF> pixel = screenPoint(view, direction);
    if (!pixel) {
        return 0.0;
    }
    const SheetField field(sheet);
    const SheetPoint point = sheetPoint(view, sheet.altitude, pixel->x(), pixel->y());
    const SheetSample sample =
        field.at(point.across, point.distance, elementDetail(sheet, point.pixelMetres));
    const double alpha = sheet.texture == SheetTexture::Cells ? smoothStep(0.0, 0.6, sample.density)
                                                              : sample.density;
    return sheet.opacity * alpha * (0.4 + 3.0 * sample.depth);
}

}  // namespace nimbara
