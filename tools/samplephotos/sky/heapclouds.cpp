#include "tools/samplephotos/sky/heapclouds.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"
#include "tools/samplephotos/sky/heaplooks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace nimbara {

namespace {

// The spheres of heap's body as its form builds them, spread sideways as far as the heap spreads.
Puffs bodyOf(const Heap& heap, const HeapLook& look, Random& random) {
    Puffs puffs = look.build != nullptr ? look.build(heap, random) : Puffs();
    if (heap.spread > 0.0) {
        for (Puff& puff : puffs) {
            puff.x *= 1.0 + 0.8 * heap.spread;
            puff.y *= 1.0 - 0.5 * heap.spread;
            puff.r *= 1.0 + 0.35 * heap.spread;
        }
    }
    return puffs;
}

// The picture of one cloud in its bounding box: the front-most sphere's surface at each pixel.
struct Surface {
    QRect box;
    std::vector<float> cover;   // 1 - (distance / radius)^2 of the most covering sphere
    std::vector<float> front;   // height of the front-most surface towards the camera
    std::vector<float> radius;  // of the front-most sphere
    std::vector<float> soft;

    std::size_t at(int x, int y) const {
        return static_cast<std::size_t>((y - box.top()) * box.width() + (x - box.left()));
    }
};

Surface rasterise(const Puffs& screenPuffs, const QRect& box) {
    Surface surface;
    surface.box = box;
    const std::size_t count = static_cast<std::size_t>(box.width()) * box.height();
    surface.cover.assign(count, -1.0f);
    surface.front.assign(count, -std::numeric_limits<float>::max());
    surface.radius.assign(count, 1.0f);
    surface.soft.assign(count, 0.0f);
    for (const Puff& puff : screenPuffs) {
        // The skirt just outside the sphere counts too, for soft and ragged outlines.
        const double reach = 1.25 * puff.r;
        const int left = std::max(box.left(), static_cast<int>(std::floor(puff.x - reach)));
        const int right = std::min(box.right(), static_cast<int>(std::ceil(puff.x + reach)));
        const int top = std::max(box.top(), static_cast<int>(std::floor(puff.y - reach)));
        const int bottom = std::min(box.bottom(), static_cast<int>(std::ceil(puff.y + reach)));
        const double r2 = puff.r * puff.r;
        for (int y = top; y <= bottom; ++y) {
            const double dy = y + 0.5 - puff.y;
            for (int x = left; x <= right; ++x) {
                const double dx = x + 0.5 - puff.x;
                const double q = 1.0 - (dx * dx + dy * dy) / r2;
                if (q <= -0.5) {
                    continue;
                }
                const std::size_t i = surface.at(x, y);
                surface.cover[i] = std::max(surface.cover[i], static_cast<float>(q));
                // Outside the sphere its surface continues as a skirt, so the union stays smooth.
                const double height = puff.z + puff.r * (q > 0.0 ? std::sqrt(q) : q);
                if (height > surface.front[i]) {
                    surface.front[i] = static_cast<float>(height);
                    surface.radius[i] = static_cast<float>(puff.r);
                    surface.soft[i] = static_cast<float>(puff.soft);
                }
            }
        }
    }
    return surface;
}

// Mean of a buffer over a square window of `reach` pixels each way (two box passes).
std::vector<float> boxBlur(const std::vector<float>& values, int width, int height, int reach) {
    std::vector<float> across(values.size());
    std::vector<float> result(values.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum = 0.0;
            int count = 0;
            for (int k = std::max(x - reach, 0); k <= std::min(x + reach, width - 1); ++k) {
                sum += values[static_cast<std::size_t>(y * width + k)];
                ++count;
            }
            across[static_cast<std::size_t>(y * width + x)] = static_cast<float>(sum / count);
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum = 0.0;
            int count = 0;
            for (int k = std::max(y - reach, 0); k <= std::min(y + reach, height - 1); ++k) {
                sum += across[static_cast<std::size_t>(k * width + x)];
                ++count;
            }
            result[static_cast<std::size_t>(y * width + x)] = static_cast<float>(sum / count);
        }
    }
    return result;
}

// A cumulonimbus anvil: a plate of ice cloud with a flat top at the tower's summit, thick over
// the tower and thinning, fraying towards its far tip, striated along its length, its underside
// in shadow.
void paintAnvil(QImage& image, const Heap& heap, const QPointF& base, double scale,
                const Daylight& light, const Noise& noise) {
    const double w = heap.width;
    const double h = heap.height;
    const double side = heap.anvil >= 0.0 ? 1.0 : -1.0;
    const double reach = std::max(std::abs(heap.anvil), 0.5) * w;
    const double back = 0.55 * w;
    const double thick = 0.34 * h;
    const double left = side > 0 ? -back : -reach;
    const double right = side > 0 ? reach : back;
    const QRect box = QRectF(base.x() + scale * (left - 0.1 * w), base.y() - scale * 1.12 * h,
                             scale * (right - left + 0.2 * w), scale * (thick + 0.2 * h))
                          .toAlignedRect() &
                      image.rect();
    const double grain = std::max(0.015 * w * scale, 0.8);
    const QRgb lit = light.sunlight.rgb();
    const QRgb under = mixRgb(light.shade.rgb(), light.base.rgb(), 0.35);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = box.left(); x <= box.right(); ++x) {
            const double along = side * (x + 0.5 - base.x()) / scale;  // downwind, metres
            const double ly = (base.y() - y - 0.5) / scale;
            const double fibres = noise.fractal((x + 0.5) / (grain * 12.0), (y + 0.5) / grain, 4);
            const double streaks =
                noise.fractal((x + 0.5) / (grain * 30.0), (y + 0.5) / (2.0 * grain), 3);
            const double t = along > 0.0 ? along / reach : -along / back;  // 0 over the tower
            const double top = h * (1.04 + 0.02 * std::exp(-t * t * 20.0)) - 0.03 * h * t;
            const double thickness = thick *
                                     (along > 0.0 ? 1.0 - 0.6 * std::pow(t, 0.8) : 1.0 - 0.8 * t) *
                                     (0.85 + 0.3 * fibres);
            const double bottom = top - thickness;
            const double shape =
                smoothStep(bottom - 0.1 * thickness, bottom + 0.45 * thickness, ly) *
                smoothStep(top + 0.008 * h, top - 0.015 * h, ly);
            const double inside = smoothStep(0.15, 0.6, shape + 0.55 * (fibres - 0.5));
            const double tip = smoothStep(1.0, 0.75, t + 0.25 * (fibres - 0.5));
            const double alpha = inside * tip * std::clamp(0.75 + 0.7 * (streaks - 0.5), 0.0, 1.0);
            if (alpha <= 0.01) {
                continue;
            }
            const double upper = std::clamp((ly - bottom) / std::max(thickness, 1.0), 0.0, 1.0);
            QRgb colour = mixRgb(under, lit,
                                 std::clamp(0.15 + 0.95 * upper + 0.3 * (streaks - 0.5), 0.0, 1.0));
            colour = intoHaze(colour, light, heap.distance);
            pixels[x] = mixRgb(pixels[x], colour, std::min(alpha, 1.0));
        }
    }
}

// Trails of falling ice under floccus tufts.
void paintVirga(QImage& image, const Heap& heap, const QPointF& base, double scale,
                const Daylight& light, const Noise& noise) {
    const double halfWidth = 0.45 * heap.width * scale;
    const double length = 0.9 * heap.height * scale;
    const QRect box =
        QRectF(base.x() - halfWidth, base.y() - 0.3 * heap.height * scale, 2.0 * halfWidth, length)
            .toAlignedRect() &
        image.rect();
    const QRgb colour =
        intoHaze(mixRgb(light.shade.rgb(), light.sunlight.rgb(), 0.6), light, heap.distance);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double fall = (y - box.top()) / std::max(length, 1.0);
        for (int x = box.left(); x <= box.right(); ++x) {
            const double column =
                noise.fractal((x + 0.5 + 6.0 * fall) / (0.08 * halfWidth + 1.0), 3.0, 2);
            const double alpha = 0.5 * smoothStep(0.55, 0.75, column) * (1.0 - fall);
            if (alpha > 0.0) {
                pixels[x] = mixRgb(pixels[x], colour, alpha);
            }
        }
    }
}

// Ragged shreds: noise eaten away inside the spheres' outline, flat in tone, no solid relief.
void paintShreds(QImage& image, const Daylight& light, const Heap& heap, const Puffs& screen,
                 const QRect& box, double grain, const Noise& noise) {
    const Surface surface = rasterise(screen, box);
    const QRgb top = heap.darkness > 0.5 ? mixRgb(light.base.rgb(), light.shade.rgb(), 0.35)
                                         : mixRgb(light.shade.rgb(), light.sunlight.rgb(),
                                                  0.9 - 0.6 * heap.darkness);
    const QRgb bottom = heap.darkness > 0.5 ? scaleRgb(light.base.rgb(), 0.8)
                                            : mixRgb(light.shade.rgb(), light.base.rgb(), 0.4);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = box.left(); x <= box.right(); ++x) {
            const std::size_t i = surface.at(x, y);
            if (surface.cover[i] <= -0.45f) {
                continue;
            }
            // Torn along the wind: long thin wisps rather than lumps.
            const double tatters = noise.fractal((x + 0.5) / std::max(3.0 * grain, 4.0),
                                                 (y + 0.5) / std::max(0.8 * grain, 1.5), 4);
            const double density = 0.7 * surface.cover[i] +
                                   2.2 * (tatters - 0.5) * smoothStep(-0.45, 0.0, surface.cover[i]);
            const double alpha = 0.8 * smoothStep(0.05, 0.6, density);
            if (alpha <= 0.004) {
                continue;
            }
            const double upper = std::clamp(
                0.5 + 0.5 * surface.cover[i] - 0.4 * (y - box.center().y()) / box.height(), 0.0,
                1.0);
            const QRgb colour = mixRgb(
                bottom, top, std::clamp(0.4 + 0.6 * (tatters - 0.5) + 0.3 * upper, 0.0, 1.0));
            pixels[x] = mixRgb(pixels[x], intoHaze(colour, light, heap.distance), alpha);
        }
    }
}

void paintHeap(QImage& image, const Perspective& view, const Daylight& light, const Heap& heap,
               DepthBuffer* depth) {
    Random random(heap.seed * 7919 + 13);
    const Noise noise(heap.seed * 104729 + 5);
    const HeapLook& look = heapLook(heap.form);
    const Puffs puffs = bodyOf(heap, look, random);
    const double scale = view.focalLength() / heap.distance;
    const QPointF base = view.toScreen(heap.across, heap.distance, heap.base);

    if (look.anvil == AnvilTop::Always ||
        (look.anvil == AnvilTop::WhenReaching && heap.anvil != 0.0)) {
        paintAnvil(image, heap, base, scale, light, noise);
    }
    if (puffs.empty()) {
        return;
    }

    Puffs screen;
    QRectF bounds;
    for (const Puff& puff : puffs) {
        const Puff on{base.x() + scale * puff.x, base.y() - scale * puff.y, scale * puff.z,
                      scale * puff.r, puff.soft};
        screen.push_back(on);
        bounds |= QRectF(on.x - 1.3 * on.r, on.y - 1.3 * on.r, 2.6 * on.r, 2.6 * on.r);
    }
    const QRect box = bounds.toAlignedRect() & image.rect();
    if (box.isEmpty()) {
        return;
    }
    const double grain = std::max(look.grain * heap.width * scale, 1.2);
    if (look.shreds) {
        paintShreds(image, light, heap, screen, box, grain, noise);
        return;
    }
    const Surface surface = rasterise(screen, box);
    const int w = box.width();
    const int hgt = box.height();

    // The surface as a height field towards the camera: its broad shape, smoothed, gives the lit
    // and shaded sides; billows at finer scales give the cauliflower relief.
    std::vector<float> shape(surface.front.size());
    for (std::size_t i = 0; i < shape.size(); ++i) {
        shape[i] = surface.front[i] > -1e30f ? surface.front[i] : 0.0f;
    }
    const std::vector<float> broad =
        boxBlur(shape, w, hgt, std::max(static_cast<int>(0.05 * heap.width * scale), 1));
    const std::vector<float> rounded =
        boxBlur(shape, w, hgt, std::max(static_cast<int>(0.4 * grain), 1));
    std::vector<float> relief(shape.size());
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const std::size_t i = surface.at(x, y);
            const double billow = noise.fractal((x + 0.5) / grain, (y + 0.5) / grain, 4) - 0.5;
            const double bumps = 0.7 * (1.0 - 0.85 * surface.soft[i]) * grain;
            relief[i] = static_cast<float>(rounded[i] + bumps * billow);
        }
    }
    const std::vector<float> hollow =
        boxBlur(relief, w, hgt, std::max(static_cast<int>(1.5 * grain), 2));

    const double sunX = light.sun.x, sunY = light.sun.y, sunZ = -light.sun.z;
    const double bigCloud = look.stormTower;
    const auto normalOf = [&](const std::vector<float>& field, int x, int y) {
        const int xl = std::max(x - 1, box.left()), xr = std::min(x + 1, box.right());
        const int yu = std::max(y - 1, box.top()), yd = std::min(y + 1, box.bottom());
        const double sx =
            (static_cast<double>(field[surface.at(xr, y)]) - field[surface.at(xl, y)]) /
            std::max(xr - xl, 1);
        const double sy =
            (static_cast<double>(field[surface.at(x, yd)]) - field[surface.at(x, yu)]) /
            std::max(yd - yu, 1);
        const double length = std::sqrt(sx * sx + sy * sy + 1.0);
        return std::array<double, 3>{-sx / length, sy / length, 1.0 / length};
    };
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = box.left(); x <= box.right(); ++x) {
            const std::size_t i = surface.at(x, y);
            if (surface.cover[i] <= -0.45f) {
                continue;
            }
            const double rise = (base.y() - y - 0.5) / scale;  // metres above the base
            const double h = rise / heap.height;
            const double billow = noise.fractal((x + 0.5) / grain, (y + 0.5) / grain, 3) - 0.5;
            double fibres = 0.0;
            double fibreWeight = 0.0;
            if (look.topFibres > 0.0) {
                fibres =
                    noise.fractal((x + 0.5) / (0.7 * grain), (y + 0.5) / (10.0 * grain), 3) - 0.5;
                fibreWeight = look.topFibres * smoothStep(0.6, 0.9, h);
            }
            const double softness = surface.soft[i];
            const double edge = look.edgeSoftness * (1.0 + 2.0 * softness);
            double alpha =
                smoothStep(0.0, edge,
                           surface.cover[i] + look.erosion * (1.0 - 0.5 * softness) * billow +
                               0.4 * fibreWeight * fibres);
            if (look.flatBase) {
                alpha *= smoothStep(-1.0, 0.6, (base.y() - y - 0.5) + 0.6 * billow);
            }
            if (alpha <= 0.004) {
                continue;
            }
            const std::array<double, 3> wide = normalOf(broad, x, y);
            const std::array<double, 3> fine = normalOf(relief, x, y);
            double nx = 0.55 * wide[0] + 0.45 * fine[0];
            double ny = 0.55 * wide[1] + 0.45 * fine[1];
            double nz = 0.55 * wide[2] + 0.45 * fine[2];
            const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
            nx /= length;
            ny /= length;
            nz /= length;
            const double facing = nx * sunX + ny * sunY + nz * sunZ;
            const double diffuse = std::pow(std::clamp((facing + 0.1) / 1.1, 0.0, 1.0), 1.5);
            // Hollows between bulges get less light.
            const double cavity =
                std::clamp(0.5 + (relief[i] - hollow[i]) / std::max(1.2 * grain, 1.0), 0.0, 1.0);
            const double heightLight = 0.45 + 0.55 * smoothStep(0.0, 0.55 + 0.3 * bigCloud, h);
            const double lightness =
                std::clamp(diffuse * heightLight * (0.6 + 0.4 * cavity) * (1.0 - 0.25 * softness) +
                               0.35 * softness * heightLight,
                           0.0, 1.0);
            QRgb colour = mixRgb(light.shade.rgb(), light.sunlight.rgb(), lightness);
            const double under = std::clamp(smoothStep(0.12 + 0.25 * bigCloud, 0.0, h) +
                                                0.5 * std::max(-wide[1], 0.0) * (1.0 - h),
                                            0.0, 1.0);
            colour = mixRgb(colour, scaleRgb(light.base.rgb(), 1.0 - 0.3 * bigCloud), 0.85 * under);
            if (heap.darkness > 0.0) {
                colour = mixRgb(colour, scaleRgb(light.base.rgb(), 0.75), 0.8 * heap.darkness);
            }
            colour = scaleRgb(colour, 1.0 + 0.12 * fibreWeight * fibres);
            // With the sun behind the cloud its thin edges shine.
            if (sunZ < 0.0) {
                const double rim = smoothStep(0.3, 0.0, surface.cover[i]) * (-sunZ);
                colour = mixRgb(colour, qRgb(255, 255, 250), 0.7 * rim);
            }
            colour = intoHaze(colour, light, heap.distance);
            pixels[x] = mixRgb(pixels[x], colour, alpha);
            if (depth != nullptr && alpha > 0.5) {
                float& stored = (*depth)[static_cast<std::size_t>(y * image.width() + x)];
                const auto distance = static_cast<float>(heap.distance);
                stored = stored <= 0.0f ? distance : std::min(stored, distance);
            }
        }
    }
    if (heap.rain > 0.0) {
        paintRainCurtain(image, view, light, {base, 0.32 * heap.width * scale, heap.rain},
                         heap.seed);
    }
    if (look.virga) {
        paintVirga(image, heap, base, scale, light, noise);
    }
}

}  // namespace

void paintRainCurtain(QImage& image, const Perspective& view, const Daylight& light,
                      const RainCurtain& rain, std::uint64_t seed) {
    const Noise noise(seed * 271 + 9);
    const double bottom = view.horizonY() + 40.0;
    const QRect box = QRectF(rain.top.x() - rain.halfWidth - 30.0, rain.top.y(),
                             2.0 * rain.halfWidth + 60.0, bottom - rain.top.y())
                          .toAlignedRect() &
                      image.rect();
    const QRgb rainColour = mixRgb(light.base.rgb(), light.haze.rgb(), 0.35);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double fall = (y - rain.top.y()) / std::max(bottom - rain.top.y(), 1.0);
        const double slant = 18.0 * fall;
        const double wander = 0.3 * (noise.fractal(fall * 3.0, 5.0, 2) - 0.5);
        for (int x = box.left(); x <= box.right(); ++x) {
            const double across = (x + 0.5 - rain.top.x() + slant) / rain.halfWidth;
            const double edge = smoothStep(1.1, 0.6, std::abs(across + wander));
            const double streaks = noise.fractal((x + slant) / 5.0, y / 90.0, 2);
            const double alpha = rain.strength * edge * (0.55 + 0.6 * streaks) *
                                 smoothStep(0.0, 0.05, fall) * (1.0 - 0.35 * fall);
            if (alpha > 0.0) {
                pixels[x] = mixRgb(pixels[x], rainColour, std::min(alpha, 0.85));
            }
        }
    }
}

void paintHeaps(QImage& image, const Perspective& view, const Daylight& light,
                std::vector<Heap> heaps, DepthBuffer* depth) {
    std::stable_sort(heaps.begin(), heaps.end(),
                     [](const Heap& a, const Heap& b) { return a.distance > b.distance; });
    for (const Heap& heap : heaps) {
        paintHeap(image, view, light, heap, depth);
    }
}

}  // namespace nimbara
