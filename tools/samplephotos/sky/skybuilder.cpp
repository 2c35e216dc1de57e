#include "tools/samplephotos/sky/skybuilder.h"

#include "tools/samplephotos/paint/direction.h"
#include "tools/samplephotos/sky/heaplooks.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

Perspective cameraView(Camera camera) {
    switch (camera) {
        case Camera::Normal:
            return Perspective(200.0, 200.0, 300.0, 2.0);
        case Camera::Wide:
            return Perspective(215.0, 200.0, 190.0, 2.0);
        case Camera::Upward:
            return Perspective(246.0, 200.0, 125.0, 2.0);
        case Camera::Tele:
            return Perspective(212.0, 200.0, 560.0, 2.0);
        case Camera::Aircraft:
            return Perspective(105.0, 200.0, 300.0, 2500.0);
    }
    return Perspective(200.0, 200.0, 300.0, 2.0);
}

}  // namespace

double distanceAtElevation(double altitude, double elevation) {
    return altitude / std::tan(elevation * kRadiansPerDegree);
}

SkyBuilder::SkyBuilder(const SkyPhoto& photo)
    : m_photo(photo), m_random(photo.seed * 2654435761ULL + 17) {
    m_scene.view = cameraView(photo.camera);
    m_scene.light = daylight(photo.time, photo.sunAzimuth, photo.sunElevation);
    m_scene.scenery = photo.camera == Camera::Aircraft ? Scenery::AboveClouds : photo.scenery;
    m_scene.seed = photo.seed;
}

double SkyBuilder::logUniform(double low, double high) {
    return low * std::pow(high / low, m_random.uniform());
}

double SkyBuilder::acrossAt(double screenX, double distance) const {
    return (screenX - m_scene.view.centreX()) * distance / m_scene.view.focalLength();
}

// The nearest distance at which a base `altitude` up still shows below the picture's top.
double SkyBuilder::nearestShown(double altitude) const {
    return m_scene.view.focalLength() * altitude / std::max(m_scene.view.horizonY() - 25.0, 1.0);
}

Heap SkyBuilder::heapAt(HeapForm form, double screenX, double distance, double base, double width,
                        double height) {
    Heap heap;
    heap.form = form;
    heap.across = acrossAt(screenX, distance);
    heap.distance = distance;
    heap.base = base;
    heap.width = width;
    heap.height = height;
    heap.seed = nextSeed();
    return heap;
}

// A field of like heaps scattered over the view between two distances.
void SkyBuilder::scatterHeaps(HeapForm form, int count, double minWidth, double maxWidth,
                              double heightRatio, double nearest, double farthest, double base,
                              double darkness) {
    nearest = std::max(nearest, nearestShown(base));
    // Ragged shreds may overlap; solid heaps are kept mostly apart in the picture, as a
    // photographer frames them, so that none looks stacked on another.
    const bool apart = form != HeapForm::Fractus;
    for (int i = 0; i < count; ++i) {
        for (int attempt = 0; attempt < 12; ++attempt) {
            const double distance = logUniform(nearest, std::max(farthest, nearest * 1.1));
            const double width = m_random.uniform(minWidth, maxWidth);
            Heap heap = heapAt(form, m_random.uniform(-30.0, kPictureWidth + 30.0), distance,
                               base * m_random.uniform(0.95, 1.05), width,
                               width * heightRatio * m_random.uniform(0.8, 1.2));
            heap.darkness = darkness;
            if (!apart || !overlapsOthers(heap)) {
                m_scene.heaps.push_back(heap);
                break;
            }
        }
    }
}

QRectF SkyBuilder::screenBox(const Heap& heap) const {
    const double scale = m_scene.view.focalLength() / heap.distance;
    const QPointF base = m_scene.view.toScreen(heap.across, heap.distance, heap.base);
    const double width = heap.width * scale * (1.0 + std::abs(heap.anvil));
    return QRectF(base.x() - 0.5 * width, base.y() - heap.height * scale, width,
                  heap.height * scale);
}

bool SkyBuilder::overlapsOthers(const Heap& heap) const {
    const QRectF box = screenBox(heap);
    for (const Heap& other : m_scene.heaps) {
        const QRectF otherBox = screenBox(other);
        const QRectF common = box & otherBox;
        const double smaller =
            std::min(box.width() * box.height(), otherBox.width() * otherBox.height());
        if (common.width() * common.height() > 0.08 * smaller) {
            return true;
        }
    }
    return false;
}

// Whether the photo shows cloud above level 1 (low) or 2 (middle).
bool SkyBuilder::higherShown(int level) const {
    return (level < 2 && m_photo.middle != MiddleCloud::None) || m_photo.high != HighCloud::None;
}

// Degrees above the horizon at which a level `altitude` up is seen above every tall heap that
// reaches higher than that level (at least 10).
double SkyBuilder::lowestClear(double altitude) const {
    double elevation = 10.0;
    for (const Heap& heap : m_scene.heaps) {
        const double top = heap.base + heap.height;
        if (top > altitude) {
            const double seen = std::atan(top / heap.distance) / kRadiansPerDegree;
            elevation = std::max(elevation, seen + 3.0);
        }
    }
    return elevation;
}

// A picture column for a patch at `altitude` and `distance` where it does not hide a tall heap
// that reaches above it.
double SkyBuilder::clearOfTowers(double altitude, double distance) {
    double x = m_random.uniform(40.0, kPictureWidth - 40.0);
    for (int attempt = 0; attempt < 12; ++attempt) {
        bool hides = false;
        for (const Heap& heap : m_scene.heaps) {
            if (heap.base + heap.height < altitude || heap.distance < distance) {
                continue;
            }
            const double f = m_scene.view.focalLength();
            const double centre = m_scene.view.centreX() + f * heap.across / heap.distance;
            const double half = f * (0.6 * heap.width + 3000.0) / heap.distance + 40.0;
            hides = hides || std::abs(x - centre) < half;
        }
        if (!hides) {
            break;
        }
        x = m_random.uniform(40.0, kPictureWidth - 40.0);
    }
    return x;
}

CloudSheet SkyBuilder::sheet(SheetTexture texture, double altitude, double elementSize) {
    CloudSheet layer;
    layer.texture = texture;
    layer.altitude = altitude;
    layer.elementSize = elementSize;
    layer.seed = nextSeed();
    layer.windAngle = m_random.uniform(-30.0, 30.0);
    return layer;
}

}  // namespace nimbara
