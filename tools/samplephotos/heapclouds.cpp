#include "tools/samplephotos/heapclouds.h"

#include "tools/samplephotos/noise.h"
#include "tools/samplephotos/random.h"
#include "tools/samplephotos/raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace nimbara {

namespace {

// One sphere of a heap cloud, in metres: x to the right, y up from the base, z towards the camera.
// `soft` 0 keeps its outline sharp, 1 smooths it (the glaciated top of a cumulonimbus).
struct Puff {
    double x;
    double y;
    double z;
    double r;
    double soft;
};

using Puffs = std::vector<Puff>;

// A rounded solid standing on the base, its front half covered with spheres: a cumulus body or
// tower. Its half-width goes from `baseHalfWidth` at `bottom` to `topHalfWidth` near `top`, the
// upper `cap` of it rounding off into a dome. Smaller spheres make a finer cauliflower surface.
struct Mass {
    double x = 0.0;
    double z = 0.0;
    double bottom = 0.0;
    double top = 1.0;
    double baseHalfWidth = 1.0;
    double topHalfWidth = 1.0;
    double cap = 0.35;         // share of the height that rounds off at the top
    double sphereShare = 0.3;  // sphere radius as a share of the half-width there
    double softFrom = 2.0;     // share of the height above which the surface is smoothed
    double flatten = 1.0;      // < 1 squashes the dome
    double lean = 0.0;         // sideways drift of the axis per metre of height
};

void addMass(Random& random, Puffs& puffs, const Mass& mass) {
    const double height = mass.top - mass.bottom;
    // The lowest ring sits a little above the bottom, so a flat base does not cut wide spheres.
    double y = mass.bottom + 0.3 * mass.sphereShare * mass.baseHalfWidth;
    const double wobblePhase = random.uniform(0.0, 6.28);
    while (y < mass.top) {
        const double t = (y - mass.bottom) / height;
        double halfWidth = std::lerp(mass.baseHalfWidth, mass.topHalfWidth, t) *
                           (1.0 + 0.12 * std::sin(wobblePhase + 7.0 * t));
        if (t > 1.0 - mass.cap) {
            const double c = (t - (1.0 - mass.cap)) / mass.cap;
            halfWidth *= std::sqrt(std::max(1.0 - c * c, 0.04));
        }
        const double soft = smoothStep(mass.softFrom, mass.softFrom + 0.15, t);
        const double r = std::max(mass.sphereShare * halfWidth * (1.0 + 1.2 * soft), 0.06 * height);
        const double reach = std::max(halfWidth - 0.55 * r, 0.0);
        const int around = std::max(static_cast<int>(std::ceil(3.2 * reach / r)), 1);
        for (int k = 0; k < around; ++k) {
            const double angle =
                (around == 1 ? 0.0 : -1.5 + 3.0 * k / (around - 1)) + random.uniform(-0.12, 0.12);
            const double out = reach * random.uniform(0.9, 1.05);
            puffs.push_back({mass.x + mass.lean * (y - mass.bottom) + out * std::sin(angle),
                             y + random.uniform(-0.15, 0.15) * r,
                             mass.z + out * std::cos(angle) * mass.flatten,
                             r * random.uniform(0.75, 1.15), soft});
        }
        y += 0.5 * r * random.uniform(0.8, 1.2);
    }
}

Puffs buildPuffs(const Heap& heap, Random& random) {
    Puffs puffs;
    const double w = heap.width;
    const double h = heap.height;
    switch (heap.form) {
        case HeapForm::Humilis: {
            Mass body;
            body.top = h;
            body.baseHalfWidth = 0.5 * w;
            body.topHalfWidth = 0.3 * w;
            body.cap = 0.8;
            body.sphereShare = 0.28;
            addMass(random, puffs, body);
            break;
        }
        case HeapForm::Mediocris: {
            Mass body;
            body.top = h * random.uniform(0.85, 1.0);
            body.baseHalfWidth = 0.5 * w;
            body.topHalfWidth = 0.32 * w;
            body.cap = 0.6;
            body.sphereShare = 0.24;
            addMass(random, puffs, body);
            if (random.chance(0.6)) {
                Mass bulge;
                bulge.x = random.uniform(-0.25, 0.25) * w;
                bulge.z = 0.1 * w;
                bulge.bottom = 0.3 * h;
                bulge.top = h;
                bulge.baseHalfWidth = 0.22 * w;
                bulge.topHalfWidth = 0.18 * w;
                bulge.cap = 0.6;
                bulge.sphereShare = 0.3;
                addMass(random, puffs, bulge);
            }
            break;
        }
        case HeapForm::Congestus: {
            Mass body;
            body.top = 0.35 * h;
            body.baseHalfWidth = 0.5 * w;
            body.topHalfWidth = 0.38 * w;
            body.cap = 0.5;
            body.sphereShare = 0.22;
            addMass(random, puffs, body);
            const int towers = random.integer(2, 3);
            for (int i = 0; i < towers; ++i) {
                Mass tower;
                tower.x = random.uniform(-0.22, 0.22) * w;
                tower.z = random.uniform(-0.05, 0.15) * w;
                tower.bottom = 0.2 * h;
                tower.top = i == 0 ? h : h * random.uniform(0.55, 0.85);
                tower.baseHalfWidth = w * random.uniform(0.2, 0.28);
                tower.topHalfWidth = tower.baseHalfWidth * random.uniform(0.75, 1.0);
                tower.cap = 0.35;
                tower.sphereShare = 0.3;
                tower.lean = random.uniform(-0.12, 0.12);
                addMass(random, puffs, tower);
            }
            break;
        }
        case HeapForm::Calvus:
        case HeapForm::Capillatus: {
            const bool anvil = heap.form == HeapForm::Capillatus;
            Mass body;
            body.top = 0.22 * h;
            body.baseHalfWidth = 0.5 * w;
            body.topHalfWidth = 0.4 * w;
            body.cap = 0.5;
            body.sphereShare = 0.2;
            addMass(random, puffs, body);
            const int flanks = random.integer(2, 3);
            for (int i = 0; i < flanks; ++i) {
                Mass flank;
                flank.x = (i % 2 == 0 ? -1.0 : 1.0) * random.uniform(0.2, 0.32) * w;
                flank.z = 0.15 * w;
                flank.bottom = 0.12 * h;
                flank.top = h * random.uniform(0.3, 0.55);
                flank.baseHalfWidth = w * random.uniform(0.12, 0.17);
                flank.topHalfWidth = flank.baseHalfWidth * 0.85;
                flank.cap = 0.35;
                flank.sphereShare = 0.3;
                addMass(random, puffs, flank);
            }
            // The main column; its upper part has lost the hard cauliflower outline.
            Mass column;
            column.x = random.uniform(-0.08, 0.08) * w;
            column.bottom = 0.2 * h;
            column.top = h;
            column.baseHalfWidth = 0.25 * w;
            column.topHalfWidth = anvil ? 0.34 * w : 0.3 * w;
            column.lean = random.uniform(-0.05, 0.05);
            column.cap = anvil ? 0.12 : 0.3;
            column.sphereShare = 0.22;
            column.softFrom = anvil ? 0.62 : 0.7;
            addMass(random, puffs, column);
            break;
        }
        case HeapForm::Fractus: {
            // Drawn out along the wind: many small lumps in a flat, ragged row.
            const int count = random.integer(8, 14);
            for (int i = 0; i < count; ++i) {
                const double t = random.uniform(-1.0, 1.0);
                const double r =
                    std::min(h * random.uniform(0.35, 0.7), 0.2 * w) * (1.0 - 0.5 * std::abs(t));
                puffs.push_back({t * 0.45 * w, random.uniform(0.3, 0.6) * h,
                                 random.uniform(-0.1, 0.1) * w, r, 0.3});
            }
            break;
        }
        case HeapForm::Castellanus: {
            Mass base;
            base.top = 0.12 * w;
            base.baseHalfWidth = 0.5 * w;
            base.topHalfWidth = 0.45 * w;
            base.cap = 0.6;
            base.sphereShare = 0.25;
            base.flatten = 0.3;
            addMass(random, puffs, base);
            const int turrets = random.integer(3, 6);
            for (int i = 0; i < turrets; ++i) {
                Mass turret;
                turret.x = random.uniform(-0.42, 0.42) * w;
                turret.z = 0.05 * w;
                turret.bottom = 0.06 * w;
                turret.top = h * random.uniform(0.55, 1.0);
                turret.baseHalfWidth = w * random.uniform(0.035, 0.055);
                turret.topHalfWidth = turret.baseHalfWidth * 1.3;
                turret.cap = 0.55;
                turret.sphereShare = 0.45;
                turret.lean = random.uniform(-0.1, 0.1);
                addMass(random, puffs, turret);
            }
            break;
        }
        case HeapForm::Anvil:
            break;
        case HeapForm::Floccus: {
            const int tufts = random.integer(2, 4);
            for (int i = 0; i < tufts; ++i) {
                const double cx = random.uniform(-0.4, 0.4) * w;
                const double cy = h * random.uniform(0.55, 0.8);
                const int lumps = random.integer(3, 5);
                for (int k = 0; k < lumps; ++k) {
                    puffs.push_back(
                        {cx + random.uniform(-0.1, 0.1) * w, cy + random.uniform(-0.12, 0.12) * h,
                         random.uniform(-0.05, 0.05) * w, w * random.uniform(0.08, 0.14), 0.2});
                }
            }
            break;
        }
    }
    if (heap.spread > 0.0) {
        for (Puff& puff : puffs) {
            puff.x *= 1.0 + 0.8 * heap.spread;
            puff.y *= 1.0 - 0.5 * heap.spread;
            puff.r *= 1.0 + 0.35 * heap.spread;
        }
    }
    return puffs;
}

struct FormStyle {
    double edgeSoftness;  // width of the fade at the outline, as a share of a sphere
    double erosion;       // how much noise eats into the outline
    bool flatBase;
    double grain;  // billows, as a share of the cloud's width
};

FormStyle formStyle(HeapForm form) {
    switch (form) {
        case HeapForm::Humilis:
            return {0.14, 0.32, true, 0.07};
        case HeapForm::Mediocris:
            return {0.1, 0.26, true, 0.06};
        case HeapForm::Congestus:
            return {0.06, 0.2, true, 0.04};
        case HeapForm::Calvus:
        case HeapForm::Capillatus:
            return {0.08, 0.24, true, 0.025};
        case HeapForm::Fractus:
            return {0.3, 1.1, false, 0.045};
        case HeapForm::Castellanus:
            return {0.12, 0.3, true, 0.03};
        case HeapForm::Floccus:
            return {0.3, 0.9, false, 0.05};
        case HeapForm::Anvil:
            return {0.3, 0.5, false, 0.05};
    }
    return {};
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
    const Puffs puffs = buildPuffs(heap, random);
    const double scale = view.focalLength() / heap.distance;
    const QPointF base = view.toScreen(heap.across, heap.distance, heap.base);
    const FormStyle style = formStyle(heap.form);

    if (heap.form == HeapForm::Anvil || (heap.form == HeapForm::Capillatus && heap.anvil != 0.0)) {
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
    const double grain = std::max(style.grain * heap.width * scale, 1.2);
    if (heap.form == HeapForm::Fractus) {
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
    const bool anvilTop = heap.form == HeapForm::Capillatus;
    const bool smoothTop = heap.form == HeapForm::Calvus;
    const double bigCloud = (heap.form == HeapForm::Calvus || anvilTop) ? 1.0 : 0.0;
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
            if (anvilTop || smoothTop) {
                fibres =
                    noise.fractal((x + 0.5) / (0.7 * grain), (y + 0.5) / (10.0 * grain), 3) - 0.5;
                fibreWeight = (anvilTop ? 1.0 : 0.35) * smoothStep(0.6, 0.9, h);
            }
            const double softness = surface.soft[i];
            const double edge = style.edgeSoftness * (1.0 + 2.0 * softness);
            double alpha =
                smoothStep(0.0, edge,
                           surface.cover[i] + style.erosion * (1.0 - 0.5 * softness) * billow +
                               0.4 * fibreWeight * fibres);
            if (style.flatBase) {
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
    if (heap.form == HeapForm::Floccus) {
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
