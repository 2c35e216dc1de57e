#include "tools/samplephotos/sky/skyscene.h"

#include "tools/samplephotos/paint/random.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

// A forked stroke of light from the cloud base to the ground.
void paintLightning(QImage& image, const Lightning& bolt, std::uint64_t seed) {
    Random random(seed * 37 + 11);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPointF point = bolt.from;
    const double step = bolt.length / 14.0;
    std::vector<QLineF> segments;
    for (int k = 0; k < 14; ++k) {
        const QPointF next = point + QPointF(random.uniform(-0.8, 0.8) * step, step);
        segments.emplace_back(point, next);
        if (random.chance(0.22)) {
            QPointF branch = next;
            for (int b = 0; b < 4; ++b) {
                const QPointF end = branch + QPointF(random.uniform(-1.2, 1.2) * step, 0.7 * step);
                segments.emplace_back(branch, end);
                branch = end;
            }
        }
        point = next;
    }
    painter.setPen(QPen(QColor(220, 220, 255, 70), 5.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLines(segments.data(), static_cast<int>(segments.size()));
    painter.setPen(QPen(QColor(250, 248, 255), 1.3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLines(segments.data(), static_cast<int>(segments.size()));
}

// The nearest hills of the land stand this far away.
constexpr double kSkylineDistance = 2400.0;

double heapTop(const std::vector<Heap>& heaps) {
    double top = 0.0;
    for (const Heap& heap : heaps) {
        top = std::max(top, heap.base + heap.height);
    }
    return top;
}

}  // namespace

void paintSkyScene(QImage& image, const SkyScene& scene) {
    paintClearSky(image, scene.view, scene.light);

    // Layers and filaments from the highest down, each covering what lies above it.
    struct Layer {
        double altitude;
        const CloudSheet* sheet;
        const CirrusStrands* strands;
    };
    std::vector<Layer> layers;
    for (const CloudSheet& sheet : scene.sheets) {
        layers.push_back({sheet.altitude, &sheet, nullptr});
    }
    for (const CirrusStrands& strands : scene.strands) {
        layers.push_back({strands.altitude, nullptr, &strands});
    }
    std::stable_sort(layers.begin(), layers.end(),
                     [](const Layer& a, const Layer& b) { return a.altitude > b.altitude; });
    double sunDepth = 0.0;
    for (const Layer& layer : layers) {
        if (layer.sheet != nullptr) {
            paintCloudSheet(image, scene.view, scene.light, *layer.sheet);
            sunDepth += sheetDepth(scene.view, *layer.sheet, scene.light.sun);
        } else {
            paintCirrusStrands(image, scene.view, scene.light, *layer.strands);
        }
    }
    paintSunDisc(image, scene.view, scene.light, sunDepth);

    // Shreds nearer than the land's skyline hang in front of the hills; they are painted last.
    std::vector<Heap> farHeaps;
    std::vector<Heap> nearShreds;
    for (const Heap& heap : scene.heaps) {
        const bool near = heap.form == HeapForm::Fractus && heap.distance < kSkylineDistance;
        (near ? nearShreds : farHeaps).push_back(heap);
    }
    DepthBuffer depth(static_cast<std::size_t>(image.width()) * image.height(), 0.0f);
    paintHeaps(image, scene.view, scene.light, farHeaps, &depth);
    // Layers lower than the heap tops pass in front of the far parts of the heaps.
    const double top = heapTop(scene.heaps);
    for (const Layer& layer : layers) {
        if (layer.sheet != nullptr && layer.altitude < top) {
            paintCloudSheet(image, scene.view, scene.light, *layer.sheet, &depth);
        }
    }
    for (const RainCurtain& curtain : scene.rain) {
        paintRainCurtain(image, scene.view, scene.light, curtain, scene.seed);
    }
    for (const Lightning& bolt : scene.lightning) {
        paintLightning(image, bolt, scene.seed);
    }
    paintScenery(image, scene.view, scene.light, scene.scenery, scene.seed, scene.capBase);
    paintHeaps(image, scene.view, scene.light, nearShreds, nullptr);
}

}  // namespace nimbara
