#include "tools/samplephotos/skycomposer.h"
#include "tools/samplephotos/direction.h"

#include "tools/samplephotos/random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nimbara {

namespace {

constexpr double kPictureWidth = 400.0;

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

// Distance on a level `altitude` metres up at which it is seen `elevation` degrees high.
double distanceAtElevation(double altitude, double elevation) {
    return altitude / std::tan(elevation * kRadiansPerDegree);
}

class Composer {
public:
    explicit Composer(const SkyPhoto& photo)
        : m_photo(photo), m_random(photo.seed * 2654435761ULL + 17) {
        m_scene.view = cameraView(photo.camera);
        m_scene.light = daylight(photo.time, photo.sunAzimuth, photo.sunElevation);
        m_scene.scenery = photo.camera == Camera::Aircraft ? Scenery::AboveClouds : photo.scenery;
        m_scene.seed = photo.seed;
    }

    SkyScene compose() {
        addLow();
        addMiddle();
        addHigh();
        return m_scene;
    }

private:
    std::uint64_t nextSeed() { return m_random.next() >> 16; }

    double logUniform(double low, double high) {
        return low * std::pow(high / low, m_random.uniform());
    }

    double acrossAt(double screenX, double distance) const {
        return (screenX - m_scene.view.centreX()) * distance / m_scene.view.focalLength();
    }

    // The nearest distance at which a base `altitude` up still shows below the picture's top.
    double nearestShown(double altitude) const {
        return m_scene.view.focalLength() * altitude /
               std::max(m_scene.view.horizonY() - 25.0, 1.0);
    }

    Heap heapAt(HeapForm form, double screenX, double distance, double base, double width,
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
    void scatterHeaps(HeapForm form, int count, double minWidth, double maxWidth,
                      double heightRatio, double nearest, double farthest, double base,
                      double darkness = 0.0) {
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

    QRectF screenBox(const Heap& heap) const {
        const double scale = m_scene.view.focalLength() / heap.distance;
        const QPointF base = m_scene.view.toScreen(heap.across, heap.distance, heap.base);
        const double width = heap.width * scale * (1.0 + std::abs(heap.anvil));
        return QRectF(base.x() - 0.5 * width, base.y() - heap.height * scale, width,
                      heap.height * scale);
    }

    bool overlapsOthers(const Heap& heap) const {
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
    bool higherShown(int level) const {
        return (level < 2 && m_photo.middle != MiddleCloud::None) ||
               m_photo.high != HighCloud::None;
    }

    // Degrees above the horizon at which a level `altitude` up is seen above every tall heap that
    // reaches higher than that level (at least 10).
    double lowestClear(double altitude) const {
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
    double clearOfTowers(double altitude, double distance) {
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

    CloudSheet sheet(SheetTexture texture, double altitude, double elementSize) {
        CloudSheet layer;
        layer.texture = texture;
        layer.altitude = altitude;
        layer.elementSize = elementSize;
        layer.seed = nextSeed();
        layer.windAngle = m_random.uniform(-30.0, 30.0);
        return layer;
    }

    // ---- low clouds ----

    void addLow() {
        switch (m_photo.low) {
            case LowCloud::None:
                break;
            case LowCloud::Humilis:
                scatterHeaps(HeapForm::Humilis, m_random.integer(9, 15), 500.0, 1400.0, 0.36,
                             2500.0, 30000.0, 1100.0);
                break;
            case LowCloud::FairFractus:
                scatterHeaps(HeapForm::Fractus, m_random.integer(6, 10), 400.0, 1100.0, 0.35,
                             2000.0, 16000.0, 900.0);
                scatterHeaps(HeapForm::Humilis, m_random.integer(2, 4), 500.0, 1000.0, 0.33, 4000.0,
                             25000.0, 1000.0);
                break;
            case LowCloud::Towering:
                addTowers();
                break;
            case LowCloud::CbCalvus:
                addCumulonimbus(HeapForm::Calvus);
                break;
            case LowCloud::CbCapillatus:
                addCumulonimbus(HeapForm::Capillatus);
                break;
            case LowCloud::ScFromCumulus:
                addSpreadingCumulus();
                break;
            case LowCloud::Stratocumulus:
                addStratocumulus(m_random.uniform(0.6, 0.8), 1500.0);
                break;
            case LowCloud::ScOvercast:
                addStratocumulus(1.0, 1200.0);
                break;
            case LowCloud::Stratus:
                addStratus();
                break;
            case LowCloud::StratusFractus:
                addStratusFractus();
                break;
            case LowCloud::BadWeatherFractus:
                scatterHeaps(HeapForm::Fractus, m_random.integer(8, 13), 700.0, 2600.0, 0.3, 1200.0,
                             12000.0, 450.0, 0.85);
                break;
            case LowCloud::CumulusUnderSc:
                addStratocumulus(m_random.uniform(0.5, 0.65), 2300.0);
                scatterHeaps(HeapForm::Mediocris, m_random.integer(3, 5), 900.0, 1800.0, 0.75,
                             3000.0, 16000.0, 800.0);
                scatterHeaps(HeapForm::Humilis, m_random.integer(3, 5), 600.0, 1200.0, 0.4, 3000.0,
                             20000.0, 800.0);
                break;
            case LowCloud::CumulusUnderDeck:
                addStratocumulus(1.0, 2300.0);
                scatterHeaps(HeapForm::Mediocris, m_random.integer(3, 5), 900.0, 1800.0, 0.75,
                             3000.0, 16000.0, 800.0);
                scatterHeaps(HeapForm::Humilis, m_random.integer(2, 4), 600.0, 1200.0, 0.4, 3000.0,
                             20000.0, 800.0);
                break;
            case LowCloud::CbOverhead:
                addStormOverhead();
                break;
        }
    }

    void addTowers() {
        const int towers = m_random.integer(1, 2);
        for (int i = 0; i < towers; ++i) {
            const double width = m_random.uniform(2000.0, 3500.0);
            const double distance = m_random.uniform(9000.0, 18000.0);
            m_scene.heaps.push_back(heapAt(HeapForm::Congestus,
                                           m_random.uniform(70.0, kPictureWidth - 70.0), distance,
                                           1200.0, width, width * m_random.uniform(1.3, 1.9)));
        }
        scatterHeaps(HeapForm::Mediocris, m_random.integer(2, 3), 1200.0, 2200.0, 0.9, 4000.0,
                     20000.0, 1200.0);
        scatterHeaps(HeapForm::Humilis, m_random.integer(3, 5), 600.0, 1200.0, 0.38, 4000.0,
                     30000.0, 1200.0);
    }

    void addCumulonimbus(HeapForm form) {
        const double width = m_random.uniform(8500.0, 13000.0);
        const double distance =
            m_random.uniform(18000.0, 28000.0) * (m_photo.camera == Camera::Tele ? 1.6 : 1.0);
        Heap storm = heapAt(form, m_random.uniform(130.0, kPictureWidth - 130.0), distance, 1300.0,
                            width, m_random.uniform(8800.0, 10500.0));
        storm.rain = m_random.uniform(0.35, 0.7);
        if (form == HeapForm::Capillatus) {
            storm.anvil = (m_random.chance(0.5) ? 1.0 : -1.0) * m_random.uniform(1.4, 2.6);
        }
        m_scene.heaps.push_back(storm);
        scatterHeaps(HeapForm::Mediocris, m_random.integer(1, 3), 1500.0, 2500.0, 1.0, 8000.0,
                     25000.0, 1300.0);
        scatterHeaps(HeapForm::Humilis, m_random.integer(2, 4), 600.0, 1300.0, 0.4, 5000.0, 30000.0,
                     1300.0);
    }

    // Cumulus flattening and spreading out sideways into patches of stratocumulus at their own
    // level, the old domes still standing in the patches.
    void addSpreadingCumulus() {
        CloudSheet layer = sheet(SheetTexture::Cells, 1400.0, 750.0);
        layer.stretch = 2.0;
        layer.windAngle = m_random.uniform(-10.0, 10.0);
        layer.cover = 0.85;
        layer.thickness = 0.7;
        layer.shading = 0.45;
        layer.lumpiness = 1.0;
        layer.patchScale = 6000.0;
        layer.patchCover = higherShown(1) ? 0.42 : 0.62;
        layer.light = QColor(236, 234, 230);
        layer.dark = QColor(104, 106, 118);
        const int count = m_random.integer(4, 6);
        for (int i = 0; i < count; ++i) {
            const double width = m_random.uniform(1800.0, 3200.0);
            Heap heap = heapAt(HeapForm::Mediocris, m_random.uniform(-20.0, kPictureWidth + 20.0),
                               logUniform(std::max(4000.0, nearestShown(1400.0)), 18000.0), 1400.0,
                               width, width * m_random.uniform(0.35, 0.5));
            m_scene.heaps.push_back(heap);
            const double side = m_random.uniform(-0.6, 0.6);
            layer.patches.push_back({heap.across + side * width, heap.distance + 0.3 * width,
                                     width * m_random.uniform(1.8, 3.0),
                                     width * m_random.uniform(0.5, 0.8),
                                     layer.windAngle + m_random.uniform(-10.0, 10.0)});
        }
        m_scene.sheets.push_back(layer);
    }

    void addStratocumulus(double cover, double altitude) {
        CloudSheet layer = sheet(SheetTexture::Cells, altitude, m_random.uniform(650.0, 900.0));
        layer.stretch = m_random.uniform(1.4, 2.4);
        layer.cover = cover;
        layer.thickness = cover > 0.95 ? 0.85 : 0.75;
        layer.shading = 0.5;
        layer.lumpiness = 1.0;
        if (cover < 0.95 && higherShown(1)) {
            // Broken into patches, so the clouds above show through the lanes between them.
            layer.patchScale = 5000.0;
            layer.patchCover = 0.6;
        }
        layer.light = QColor(226, 226, 230);
        layer.dark = cover > 0.95 ? QColor(84, 88, 98) : QColor(96, 100, 112);
        m_scene.sheets.push_back(layer);
    }

    void addStratus() {
        CloudSheet layer = sheet(SheetTexture::Veil, 260.0, 1500.0);
        layer.cover = 0.96;
        layer.roughness = 0.22;
        layer.thickness = 0.6;
        layer.light = QColor(196, 198, 202);
        layer.dark = QColor(134, 138, 146);
        m_scene.sheets.push_back(layer);
        m_scene.capBase = 230.0;
    }

    // Ragged grey-white shreds low over the land, below the hill tops, in otherwise fair weather.
    void addStratusFractus() {
        CloudSheet layer = sheet(SheetTexture::Fibrous, 500.0, 700.0);
        layer.stretch = 3.0;
        layer.cover = 0.6;
        layer.roughness = 0.9;
        layer.thickness = 0.45;
        layer.opacity = 0.55;
        layer.patchScale = 2000.0;
        layer.patchCover = 0.2;
        layer.light = QColor(206, 208, 212);
        layer.dark = QColor(150, 152, 160);
        m_scene.sheets.push_back(layer);
        // Shreds drifting along the hillsides, below the hill tops, and a few higher up.
        const int count = m_random.integer(7, 11);
        for (int i = 0; i < count; ++i) {
            const bool low = i < count - 3;
            const double width = m_random.uniform(900.0, 2600.0) * (low ? 1.0 : 1.5);
            Heap shred =
                heapAt(HeapForm::Fractus, m_random.uniform(-40.0, kPictureWidth + 40.0),
                       low ? m_random.uniform(900.0, 2200.0) : logUniform(3000.0, 6000.0),
                       low ? m_random.uniform(40.0, 160.0) : m_random.uniform(250.0, 400.0), width,
                       width * m_random.uniform(0.16, 0.26));
            shred.darkness = 0.4;
            m_scene.heaps.push_back(shred);
        }
        // Hills tall enough to show the shreds against them, their tops clear.
        m_scene.capBase = 2000.0;
    }

    // Under a thunderstorm: the anvil's pouched underside overhead, the dark base and its rain
    // ahead.
    void addStormOverhead() {
        CloudSheet pouches = sheet(SheetTexture::Pouches, 5500.0, 1500.0);
        pouches.thickness = 0.85;
        pouches.light = QColor(178, 168, 166);
        pouches.dark = QColor(70, 70, 82);
        m_scene.sheets.push_back(pouches);
        CloudSheet base = sheet(SheetTexture::Veil, 1200.0, 2500.0);
        base.cover = 1.0;
        base.roughness = 0.5;
        base.thickness = 1.0;
        base.bounded = true;
        base.frontAngle = 90.0 + m_random.uniform(-20.0, 20.0);
        base.frontOffset = m_random.uniform(1400.0, 2600.0);
        base.frontWidth = 250.0;
        base.light = QColor(92, 94, 104);
        base.dark = QColor(40, 42, 50);
        m_scene.sheets.push_back(base);
        const double baseY = m_scene.view.horizonY() -
                             m_scene.view.focalLength() * 1200.0 / (base.frontOffset + 3000.0);
        const int curtains = m_random.integer(2, 3);
        for (int i = 0; i < curtains; ++i) {
            m_scene.rain.push_back({QPointF(m_random.uniform(40.0, kPictureWidth - 40.0), baseY),
                                    m_random.uniform(50.0, 110.0), m_random.uniform(0.6, 0.9)});
        }
        scatterHeaps(HeapForm::Fractus, m_random.integer(3, 6), 800.0, 2000.0, 0.3, 2500.0, 9000.0,
                     600.0, 0.9);
        if (m_photo.thunder) {
            m_scene.lightning.push_back({QPointF(m_random.uniform(120.0, 280.0), baseY + 6.0),
                                         m_scene.view.horizonY() - baseY - 6.0});
        }
    }

    // ---- middle clouds ----

    void addMiddle() {
        switch (m_photo.middle) {
            case MiddleCloud::None:
                break;
            case MiddleCloud::AsTranslucidus:
                addAltostratus(0.55, QColor(178, 184, 196), QColor(128, 134, 150));
                break;
            case MiddleCloud::AsOpacus:
                addAltostratus(1.0, QColor(168, 172, 180), QColor(112, 116, 128));
                break;
            case MiddleCloud::Nimbostratus:
                addNimbostratus();
                break;
            case MiddleCloud::AcLayer:
                addAltocumulus(4000.0, m_random.uniform(450.0, 600.0), m_random.uniform(0.55, 0.7),
                               0.5, 9000.0, 0.75);
                break;
            case MiddleCloud::AcLenticular:
                addLenticular();
                break;
            case MiddleCloud::AcBands:
                addAltocumulusBands();
                break;
            case MiddleCloud::AcFromCumulus:
                addAltocumulusFromCumulus();
                break;
            case MiddleCloud::AcDouble:
                addAltocumulus(5600.0, 360.0, 0.55, 0.3, 7000.0, 0.75);
                addAltocumulus(2900.0, 800.0, 0.65, 0.8, 5000.0, 0.45);
                break;
            case MiddleCloud::AcOpacus: {
                CloudSheet layer = sheet(SheetTexture::Cells, 3500.0, 650.0);
                layer.cover = 0.93;
                layer.thickness = 0.85;
                layer.shading = 0.5;
                layer.stretch = 1.3;
                layer.light = QColor(210, 210, 214);
                layer.dark = QColor(96, 100, 112);
                m_scene.sheets.push_back(layer);
                break;
            }
            case MiddleCloud::AcWithAs:
                addAltostratus(0.55, QColor(206, 210, 218), QColor(140, 146, 160));
                addAltocumulus(3400.0, 600.0, 0.65, 0.55, 6000.0, 0.6);
                break;
            case MiddleCloud::AcCastellanus:
                addCastellanus();
                break;
            case MiddleCloud::AcFloccus:
                scatterHeaps(HeapForm::Floccus, m_random.integer(14, 22), 2000.0, 4000.0, 0.6,
                             4000.0, 18000.0, 4500.0);
                break;
            case MiddleCloud::AcChaotic:
                addChaoticSky();
                break;
        }
    }

    void addAltostratus(double thickness, const QColor& light, const QColor& dark) {
        CloudSheet layer = sheet(SheetTexture::Fibrous, 5200.0, 3500.0);
        layer.stretch = 4.0;
        layer.cover = thickness >= 1.0 ? 1.0 : 0.9;
        layer.roughness = 0.22;
        layer.thickness = std::min(thickness, 0.9);
        layer.opacity = thickness >= 1.0 ? 1.0 : 0.9;
        layer.light = light;
        layer.dark = dark;
        m_scene.sheets.push_back(layer);
    }

    void addNimbostratus() {
        CloudSheet layer = sheet(SheetTexture::Veil, 1800.0, 3000.0);
        layer.cover = 1.0;
        layer.roughness = 0.35;
        layer.thickness = 1.0;
        layer.light = QColor(140, 144, 152);
        layer.dark = QColor(86, 90, 100);
        m_scene.sheets.push_back(layer);
        const double baseY = m_scene.view.horizonY() - 18.0;
        for (int i = 0; i < 3; ++i) {
            m_scene.rain.push_back({QPointF(m_random.uniform(0.0, kPictureWidth), baseY),
                                    m_random.uniform(60.0, 140.0), m_random.uniform(0.3, 0.5)});
        }
    }

    void addAltocumulus(double altitude, double element, double cover, double thickness,
                        double patchScale, double patchCover) {
        CloudSheet layer = sheet(SheetTexture::Cells, altitude, element);
        layer.cover = cover;
        layer.thickness = thickness;
        layer.shading = 0.8;
        layer.stretch = m_random.uniform(1.0, 1.5);
        layer.patchScale = patchScale;
        layer.patchCover = higherShown(2) ? 0.7 * patchCover : patchCover;
        layer.light = QColor(252, 252, 252);
        layer.dark = QColor(150, 154, 168);
        m_scene.sheets.push_back(layer);
    }

    // Lens-shaped patches at two or three levels, long axes across the wind.
    void addLenticular() {
        const int levels = m_random.integer(2, 3);
        for (int level = 0; level < levels; ++level) {
            const double altitude = 3000.0 + 1500.0 * level + m_random.uniform(-300.0, 300.0);
            // Some levels hold smooth lenses, others patches of small rounded elements.
            const bool smooth = level == 1 || m_random.chance(0.3);
            CloudSheet layer = sheet(smooth ? SheetTexture::Veil : SheetTexture::Cells, altitude,
                                     m_random.uniform(280.0, 380.0));
            layer.cover = 0.85;
            layer.roughness = 0.15;
            layer.thickness = smooth ? 0.5 : 0.4;
            layer.shading = 0.7;
            layer.stretch = 1.6;
            layer.windAngle = m_random.uniform(-10.0, 10.0);
            layer.light = QColor(252, 252, 252);
            layer.dark = QColor(150, 156, 170);
            const int patches = m_random.integer(1, 3);
            for (int p = 0; p < patches; ++p) {
                const double distance = distanceAtElevation(
                    altitude, m_random.uniform(std::min(lowestClear(altitude), 32.0), 40.0));
                layer.patches.push_back({acrossAt(clearOfTowers(altitude, distance), distance),
                                         distance, m_random.uniform(2500.0, 6000.0),
                                         m_random.uniform(700.0, 1500.0),
                                         m_random.uniform(-15.0, 15.0)});
            }
            m_scene.sheets.push_back(layer);
        }
    }

    // Bands of altocumulus coming up from the horizon, dense and thick towards it.
    void addAltocumulusBands() {
        CloudSheet layer = sheet(SheetTexture::Cells, 4200.0, 500.0);
        layer.stretch = 1.5;
        layer.bandSpacing = m_random.uniform(2200.0, 3200.0);
        layer.windAngle = 90.0 + m_random.uniform(-25.0, 25.0);
        layer.cover = 0.72;
        layer.thickness = 0.5;
        layer.shading = 0.7;
        layer.bounded = true;
        layer.frontAngle = 90.0 + m_random.uniform(-30.0, 30.0);
        layer.frontOffset = distanceAtElevation(4200.0, m_random.uniform(35.0, 55.0));
        layer.frontWidth = 800.0;
        layer.thickening = 20000.0;
        layer.light = QColor(250, 250, 250);
        layer.dark = QColor(140, 144, 158);
        m_scene.sheets.push_back(layer);
        CloudSheet veil = sheet(SheetTexture::Fibrous, 5200.0, 3500.0);
        veil.stretch = 4.0;
        veil.cover = 0.8;
        veil.thickness = 0.45;
        veil.opacity = 0.85;
        veil.bounded = true;
        veil.frontAngle = layer.frontAngle;
        veil.frontOffset = distanceAtElevation(5200.0, 12.0);
        veil.frontWidth = 3000.0;
        veil.light = QColor(214, 218, 226);
        veil.dark = QColor(150, 156, 170);
        m_scene.sheets.push_back(veil);
    }

    // Thin patches spreading out at the level where cumulus towers stop.
    void addAltocumulusFromCumulus() {
        bool towers = false;
        for (const Heap& heap : m_scene.heaps) {
            towers = towers || heap.form == HeapForm::Congestus || heap.form == HeapForm::Calvus ||
                     heap.form == HeapForm::Capillatus;
        }
        if (!towers) {
            addTowers();
        }
        CloudSheet layer = sheet(SheetTexture::Cells, 3300.0, 420.0);
        layer.cover = 0.55;
        layer.thickness = 0.35;
        layer.shading = 0.6;
        layer.stretch = 1.8;
        layer.windAngle = m_random.uniform(-10.0, 10.0);
        layer.light = QColor(250, 250, 250);
        layer.dark = QColor(150, 154, 168);
        for (const Heap& heap : m_scene.heaps) {
            if (heap.form == HeapForm::Congestus || heap.form == HeapForm::Calvus ||
                heap.form == HeapForm::Capillatus) {
                const double side = m_random.chance(0.5) ? 1.0 : -1.0;
                layer.patches.push_back({heap.across + side * heap.width * 1.2, heap.distance,
                                         heap.width * m_random.uniform(1.4, 2.2), heap.width * 0.9,
                                         m_random.uniform(-10.0, 10.0)});
            }
        }
        const int loose = m_random.integer(1, 3);
        for (int i = 0; i < loose; ++i) {
            const double distance = distanceAtElevation(3300.0, m_random.uniform(12.0, 30.0));
            layer.patches.push_back({acrossAt(m_random.uniform(0.0, kPictureWidth), distance),
                                     distance, m_random.uniform(3000.0, 6000.0),
                                     m_random.uniform(1000.0, 2000.0),
                                     m_random.uniform(-20.0, 20.0)});
        }
        m_scene.sheets.push_back(layer);
    }

    void addCastellanus() {
        const int count = m_random.integer(4, 7);
        const double base = 4000.0;
        for (int i = 0; i < count; ++i) {
            const double width = m_random.uniform(3500.0, 7000.0);
            Heap heap = heapAt(HeapForm::Castellanus, m_random.uniform(0.0, kPictureWidth),
                               logUniform(std::max(8000.0, nearestShown(base)), 25000.0), base,
                               width, width * m_random.uniform(0.35, 0.6));
            if (!overlapsOthers(heap)) {
                m_scene.heaps.push_back(heap);
            }
        }
    }

    // Several broken layers at different levels, thick and thin, dark and bright, heaped and flat,
    // drifting different ways: a sky without order.
    void addChaoticSky() {
        CloudSheet veil = sheet(SheetTexture::Fibrous, 5800.0, 3000.0);
        veil.stretch = 3.0;
        veil.cover = 0.85;
        veil.roughness = 0.3;
        veil.thickness = 0.75;
        veil.patchScale = 9000.0;
        veil.patchCover = 0.6;
        veil.light = QColor(186, 190, 200);
        veil.dark = QColor(108, 112, 126);
        m_scene.sheets.push_back(veil);
        CloudSheet thin = sheet(SheetTexture::Cells, 4800.0, 330.0);
        thin.cover = 0.6;
        thin.thickness = 0.35;
        thin.shading = 0.8;
        thin.windAngle = 60.0 + m_random.uniform(-20.0, 20.0);
        thin.stretch = 2.0;
        thin.patchScale = 3000.0;
        thin.patchCover = 0.4;
        thin.light = QColor(250, 248, 244);
        thin.dark = QColor(150, 152, 164);
        m_scene.sheets.push_back(thin);
        CloudSheet low = sheet(SheetTexture::Cells, 3000.0, 650.0);
        low.cover = 0.8;
        low.thickness = 0.75;
        low.shading = 0.6;
        low.stretch = 1.5;
        low.patchScale = 4500.0;
        low.patchCover = 0.55;
        low.light = QColor(226, 226, 230);
        low.dark = QColor(90, 94, 106);
        m_scene.sheets.push_back(low);
        const int turrets = m_random.integer(2, 4);
        for (int i = 0; i < turrets; ++i) {
            const double width = m_random.uniform(2000.0, 4000.0);
            Heap heap = heapAt(HeapForm::Castellanus, m_random.uniform(0.0, kPictureWidth),
                               m_random.uniform(15000.0, 30000.0), 3600.0, width, width * 0.5);
            heap.darkness = 0.3;
            m_scene.heaps.push_back(heap);
        }
    }

    // ---- high clouds ----

    void addHigh() {
        switch (m_photo.high) {
            case HighCloud::None:
                break;
            case HighCloud::CiFibratus:
                addStrands(StrandForm::Fibratus, m_random.integer(10, 18), 0.0);
                break;
            case HighCloud::CiUncinus:
                addStrands(StrandForm::Uncinus, m_random.integer(14, 24), 0.0);
                break;
            case HighCloud::CiSpissatus:
                addSpissatus();
                break;
            case HighCloud::CiFromAnvil:
                addAnvilRemains();
                break;
            case HighCloud::CiInvading:
                addInvadingCirrus();
                break;
            case HighCloud::CsLow:
                addCirrostratus(true, m_random.uniform(22.0, 34.0));
                break;
            case HighCloud::CsHigh:
                addCirrostratus(true, m_random.uniform(52.0, 60.0));
                break;
            case HighCloud::CsWhole:
                addCirrostratus(false, 0.0);
                break;
            case HighCloud::CsPart:
                addCirrostratusPatch();
                break;
            case HighCloud::Cirrocumulus:
                addCirrocumulus();
                break;
        }
    }

    void addStrands(StrandForm form, int count, double crowd) {
        CirrusStrands strands;
        strands.form = form;
        strands.altitude = m_random.uniform(8500.0, 10000.0);
        strands.count = count;
        strands.length = form == StrandForm::Fibratus ? m_random.uniform(9000.0, 16000.0)
                                                      : m_random.uniform(4000.0, 7000.0);
        strands.windAngle = m_random.uniform(-35.0, 35.0);
        strands.curl = form == StrandForm::Fibratus ? 0.35 : 0.5;
        strands.opacity = m_random.uniform(0.65, 0.85);
        strands.region = QRectF(0.0, 0.0, kPictureWidth, m_scene.view.horizonY() - 25.0);
        strands.crowd = crowd;
        strands.seed = nextSeed();
        m_scene.strands.push_back(strands);
    }

    void addSpissatus() {
        CloudSheet layer = sheet(SheetTexture::Fibrous, 8500.0, 2500.0);
        layer.stretch = 3.0;
        layer.cover = 0.95;
        layer.roughness = 0.35;
        layer.thickness = 0.7;
        layer.opacity = 0.97;
        layer.patchScale = 6000.0;
        layer.patchCover = 0.36;
        layer.light = QColor(252, 252, 252);
        layer.dark = QColor(168, 172, 184);
        m_scene.sheets.push_back(layer);
        addStrands(StrandForm::Fibratus, m_random.integer(4, 8), 0.0);
    }

    void addAnvilRemains() {
        if (m_photo.camera == Camera::Wide || m_photo.camera == Camera::Upward) {
            CloudSheet layer = sheet(SheetTexture::Fibrous, 9000.0, 2500.0);
            layer.stretch = 3.5;
            layer.cover = 0.85;
            layer.roughness = 0.4;
            layer.thickness = 0.55;
            layer.opacity = 0.95;
            const double distance = distanceAtElevation(9000.0, m_random.uniform(28.0, 40.0));
            layer.patches.push_back({acrossAt(m_random.uniform(150.0, 250.0), distance), distance,
                                     m_random.uniform(14000.0, 20000.0),
                                     m_random.uniform(6000.0, 9000.0),
                                     m_random.uniform(-15.0, 15.0)});
            layer.light = QColor(252, 252, 252);
            layer.dark = QColor(170, 174, 186);
            m_scene.sheets.push_back(layer);
            return;
        }
        const bool aircraft = m_photo.camera == Camera::Aircraft;
        if (aircraft) {
            // Seen from the aircraft the dense, fibrous mass spreads just above flight level.
            CloudSheet layer = sheet(SheetTexture::Fibrous, 1200.0, 2000.0);
            layer.stretch = 3.5;
            layer.cover = 0.85;
            layer.roughness = 0.45;
            layer.thickness = 0.5;
            layer.opacity = 0.95;
            const double distance = m_random.uniform(9000.0, 13000.0);
            layer.patches.push_back({acrossAt(m_random.uniform(120.0, 280.0), distance), distance,
                                     m_random.uniform(9000.0, 13000.0),
                                     m_random.uniform(3500.0, 5000.0),
                                     m_random.uniform(-15.0, 15.0)});
            layer.light = QColor(252, 252, 252);
            layer.dark = QColor(170, 174, 186);
            m_scene.sheets.push_back(layer);
        }
        const double distance = aircraft ? m_random.uniform(20000.0, 26000.0)
                                         : m_random.uniform(22000.0, 30000.0) *
                                               (m_photo.camera == Camera::Tele ? 1.8 : 1.0);
        // From the aircraft, heights count from the cloud deck far below the camera.
        const double top = aircraft ? m_scene.view.eyeHeight() + 1200.0 : 11000.0;
        const double width = m_random.uniform(9000.0, 13000.0);
        const double screenX = m_random.uniform(130.0, 270.0);
        Heap anvil = heapAt(HeapForm::Anvil, screenX, distance, top - 9000.0, width, 9000.0);
        anvil.anvil = (m_random.chance(0.5) ? 1.0 : -1.0) * m_random.uniform(1.3, 2.0);
        m_scene.heaps.push_back(anvil);
        // What is left of the storm's tower under it.
        if (!aircraft) {
            Heap remains = heapAt(HeapForm::Mediocris, screenX, distance * 1.02, 1300.0,
                                  width * 0.7, width * 0.45);
            remains.spread = 0.3;
            m_scene.heaps.push_back(remains);
        }
    }

    void addInvadingCirrus() {
        CirrusStrands strands;
        strands.form = m_random.chance(0.5) ? StrandForm::Uncinus : StrandForm::Fibratus;
        strands.altitude = 9000.0;
        strands.count = m_random.integer(40, 60);
        strands.length = m_random.uniform(6000.0, 10000.0);
        strands.windAngle = 90.0 + m_random.uniform(-20.0, 20.0);
        strands.curl = 0.25;
        strands.opacity = 0.8;
        strands.region = QRectF(0.0, 0.12 * m_scene.view.horizonY(), kPictureWidth,
                                0.85 * m_scene.view.horizonY());
        strands.crowd = 0.8;
        strands.seed = nextSeed();
        m_scene.strands.push_back(strands);
        CloudSheet veil = sheet(SheetTexture::Fibrous, 9000.0, 4000.0);
        veil.stretch = 4.0;
        veil.windAngle = strands.windAngle;
        veil.cover = 0.7;
        veil.thickness = 0.2;
        veil.opacity = 0.6;
        veil.bounded = true;
        veil.frontAngle = 90.0;
        veil.frontOffset = distanceAtElevation(9000.0, 12.0);
        veil.frontWidth = 4000.0;
        veil.light = QColor(244, 246, 250);
        veil.dark = QColor(200, 206, 218);
        m_scene.sheets.push_back(veil);
    }

    void addCirrostratus(bool advancing, double edgeElevation) {
        CloudSheet veil = sheet(SheetTexture::Fibrous, 8500.0, 5000.0);
        veil.stretch = 4.0;
        veil.cover = 0.8;
        veil.roughness = 0.22;
        veil.thickness = 0.2;
        veil.opacity = advancing ? 0.85 : 0.75;
        veil.halo = true;
        veil.light = QColor(246, 248, 252);
        veil.dark = QColor(206, 212, 224);
        if (advancing) {
            veil.bounded = true;
            veil.frontAngle = 90.0 + m_random.uniform(-25.0, 25.0);
            veil.frontOffset = distanceAtElevation(8500.0, edgeElevation);
            veil.frontWidth = 900.0;
            veil.thickening = 25000.0;
            CirrusStrands strands;
            strands.form = StrandForm::Fibratus;
            strands.altitude = 9000.0;
            strands.count = m_random.integer(8, 14);
            strands.length = 14000.0;
            strands.windAngle = veil.frontAngle - 90.0 + m_random.uniform(-20.0, 20.0);
            strands.curl = 0.3;
            strands.opacity = 0.7;
            const double edgeY =
                m_scene.view.horizonY() -
                m_scene.view.focalLength() * std::tan(edgeElevation * kRadiansPerDegree);
            strands.region = QRectF(0.0, std::max(edgeY - 40.0, 0.0), kPictureWidth, 70.0);
            strands.seed = nextSeed();
            m_scene.strands.push_back(strands);
        }
        m_scene.sheets.push_back(veil);
    }

    void addCirrostratusPatch() {
        CloudSheet veil = sheet(SheetTexture::Fibrous, 8500.0, 5000.0);
        veil.stretch = 4.0;
        veil.cover = 0.7;
        veil.roughness = 0.35;
        veil.thickness = 0.22;
        veil.opacity = 0.72;
        veil.halo = true;
        veil.bounded = true;
        veil.frontAngle = m_random.chance(0.5) ? 0.0 : 180.0;
        veil.frontAngle += m_random.uniform(-20.0, 20.0);
        veil.frontOffset = m_random.uniform(-3000.0, 3000.0);
        veil.frontWidth = 1500.0;
        veil.light = QColor(246, 248, 252);
        veil.dark = QColor(206, 212, 224);
        m_scene.sheets.push_back(veil);
    }

    void addCirrocumulus() {
        CloudSheet layer = sheet(SheetTexture::Cells, 7500.0, m_random.uniform(140.0, 190.0));
        layer.stretch = m_random.uniform(1.3, 2.8);
        layer.cover = m_random.uniform(0.55, 0.7);
        layer.thickness = 0.06;
        layer.shading = 0.0;
        layer.opacity = 0.85;
        layer.patchScale = 6000.0;
        layer.patchCover = 0.5;
        layer.light = QColor(255, 255, 255);
        layer.dark = QColor(226, 230, 238);
        m_scene.sheets.push_back(layer);
    }

    const SkyPhoto& m_photo;
    Random m_random;
    SkyScene m_scene;
};

}  // namespace

SkyScene composeSky(const SkyPhoto& photo) {
    return Composer(photo).compose();
}

}  // namespace nimbara
