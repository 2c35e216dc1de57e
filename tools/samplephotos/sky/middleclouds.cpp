#include "tools/samplephotos/sky/middleclouds.h"

#include "tools/samplephotos/sky/heaplooks.h"
#include "tools/samplephotos/sky/lowclouds.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

void addAltostratus(SkyBuilder& sky, double thickness, const QColor& light, const QColor& dark) {
    CloudSheet layer = sky.sheet(SheetTexture::Fibrous, 5200.0, 3500.0);
    layer.stretch = 4.0;
    layer.cover = thickness >= 1.0 ? 1.0 : 0.9;
    layer.roughness = 0.22;
    layer.thickness = std::min(thickness, 0.9);
    layer.opacity = thickness >= 1.0 ? 1.0 : 0.9;
    layer.light = light;
    layer.dark = dark;
    sky.scene().sheets.push_back(layer);
}

void addAltocumulus(SkyBuilder& sky, double altitude, double element, double cover,
                    double thickness, double patchScale, double patchCover) {
    CloudSheet layer = sky.sheet(SheetTexture::Cells, altitude, element);
    layer.cover = cover;
    layer.thickness = thickness;
    layer.shading = 0.8;
    layer.stretch = sky.random().uniform(1.0, 1.5);
    layer.patchScale = patchScale;
    layer.patchCover = sky.higherShown(2) ? 0.7 * patchCover : patchCover;
    layer.light = QColor(252, 252, 252);
    layer.dark = QColor(150, 154, 168);
    sky.scene().sheets.push_back(layer);
}

// In the order of MiddleCloud.
const CloudLook<MiddleCloud> kMiddleLooks[] = {
    {MiddleCloud::None, [](SkyBuilder&) {}},
    {MiddleCloud::AsTranslucidus,
     [](SkyBuilder& sky) {
         addAltostratus(sky, 0.55, QColor(178, 184, 196), QColor(128, 134, 150));
     }},
    {MiddleCloud::AsOpacus,
     [](SkyBuilder& sky) {
         addAltostratus(sky, 1.0, QColor(168, 172, 180), QColor(112, 116, 128));
     }},
    {MiddleCloud::Nimbostratus,
     [](SkyBuilder& sky) {
         CloudSheet layer = sky.sheet(SheetTexture::Veil, 1800.0, 3000.0);
         layer.cover = 1.0;
         layer.roughness = 0.35;
         layer.thickness = 1.0;
         layer.light = QColor(140, 144, 152);
         layer.dark = QColor(86, 90, 100);
         sky.scene().sheets.push_back(layer);
         const double baseY = sky.scene().view.horizonY() - 18.0;
         for (int i = 0; i < 3; ++i) {
             sky.scene().rain.push_back({QPointF(sky.random().uniform(0.0, kPictureWidth), baseY),
                                         sky.random().uniform(60.0, 140.0),
                                         sky.random().uniform(0.3, 0.5)});
         }
     }},
    {MiddleCloud::AcLayer,
     [](SkyBuilder& sky) {
         addAltocumulus(sky, 4000.0, sky.random().uniform(450.0, 600.0),
                        sky.random().uniform(0.55, 0.7), 0.5, 9000.0, 0.75);
     }},
    // Lens-shaped patches at two or three levels, long axes across the wind.
    {MiddleCloud::AcLenticular,
     [](SkyBuilder& sky) {
         const int levels = sky.random().integer(2, 3);
         for (int level = 0; level < levels; ++level) {
             const double altitude = 3000.0 + 1500.0 * level + sky.random().uniform(-300.0, 300.0);
             // Some levels hold smooth lenses, others patches of small rounded elements.
             const bool smooth = level == 1 || sky.random().chance(0.3);
             CloudSheet layer = sky.sheet(smooth ? SheetTexture::Veil : SheetTexture::Cells,
                                          altitude, sky.random().uniform(280.0, 380.0));
             layer.cover = 0.85;
             layer.roughness = 0.15;
             layer.thickness = smooth ? 0.5 : 0.4;
             layer.shading = 0.7;
             layer.stretch = 1.6;
             layer.windAngle = sky.random().uniform(-10.0, 10.0);
             layer.light = QColor(252, 252, 252);
             layer.dark = QColor(150, 156, 170);
             const int patches = sky.random().integer(1, 3);
             for (int p = 0; p < patches; ++p) {
                 const double distance = distanceAtElevation(
                     altitude,
                     sky.random().uniform(std::min(sky.lowestClear(altitude), 32.0), 40.0));
                 layer.patches.push_back(
                     {sky.acrossAt(sky.clearOfTowers(altitude, distance), distance), distance,
                      sky.random().uniform(2500.0, 6000.0), sky.random().uniform(700.0, 1500.0),
                      sky.random().uniform(-15.0, 15.0)});
             }
             sky.scene().sheets.push_back(layer);
         }
     }},
    // Bands of altocumulus coming up from the horizon, dense and thick towards it.
    {MiddleCloud::AcBands,
     [](SkyBuilder& sky) {
         CloudSheet layer = sky.sheet(SheetTexture::Cells, 4200.0, 500.0);
         layer.stretch = 1.5;
         layer.bandSpacing = sky.random().uniform(2200.0, 3200.0);
         layer.windAngle = 90.0 + sky.random().uniform(-25.0, 25.0);
         layer.cover = 0.72;
         layer.thickness = 0.5;
         layer.shading = 0.7;
         layer.bounded = true;
         layer.frontAngle = 90.0 + sky.random().uniform(-30.0, 30.0);
         layer.frontOffset = distanceAtElevation(4200.0, sky.random().uniform(35.0, 55.0));
         layer.frontWidth = 800.0;
         layer.thickening = 20000.0;
         layer.light = QColor(250, 250, 250);
         layer.dark = QColor(140, 144, 158);
         sky.scene().sheets.push_back(layer);
         CloudSheet veil = sky.sheet(SheetTexture::Fibrous, 5200.0, 3500.0);
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
         sky.scene().sheets.push_back(veil);
     }},
    // Thin patches spreading out at the level where cumulus towers stop.
    {MiddleCloud::AcFromCumulus,
     [](SkyBuilder& sky) {
         bool towers = false;
         for (const Heap& heap : sky.scene().heaps) {
             towers = towers || heapLook(heap.form).tower;
         }
         if (!towers) {
             addTowers(sky);
         }
         CloudSheet layer = sky.sheet(SheetTexture::Cells, 3300.0, 420.0);
         layer.cover = 0.55;
         layer.thickness = 0.35;
         layer.shading = 0.6;
         layer.stretch = 1.8;
         layer.windAngle = sky.random().uniform(-10.0, 10.0);
         layer.light = QColor(250, 250, 250);
         layer.dark = QColor(150, 154, 168);
         for (const Heap& heap : sky.scene().heaps) {
             if (heapLook(heap.form).tower) {
                 const double side = sky.random().chance(0.5) ? 1.0 : -1.0;
                 layer.patches.push_back({heap.across + side * heap.width * 1.2, heap.distance,
                                          heap.width * sky.random().uniform(1.4, 2.2),
                                          heap.width * 0.9, sky.random().uniform(-10.0, 10.0)});
             }
         }
         const int loose = sky.random().integer(1, 3);
         for (int i = 0; i < loose; ++i) {
             const double distance = distanceAtElevation(3300.0, sky.random().uniform(12.0, 30.0));
             layer.patches.push_back(
                 {sky.acrossAt(sky.random().uniform(0.0, kPictureWidth), distance), distance,
                  sky.random().uniform(3000.0, 6000.0), sky.random().uniform(1000.0, 2000.0),
                  sky.random().uniform(-20.0, 20.0)});
         }
         sky.scene().sheets.push_back(layer);
     }},
    {MiddleCloud::AcDouble,
     [](SkyBuilder& sky) {
         addAltocumulus(sky, 5600.0, 360.0, 0.55, 0.3, 7000.0, 0.75);
         addAltocumulus(sky, 2900.0, 800.0, 0.65, 0.8, 5000.0, 0.45);
     }},
    {MiddleCloud::AcOpacus,
     [](SkyBuilder& sky) {
         CloudSheet layer = sky.sheet(SheetTexture::Cells, 3500.0, 650.0);
         layer.cover = 0.93;
         layer.thickness = 0.85;
         layer.shading = 0.5;
         layer.stretch = 1.3;
         layer.light = QColor(210, 210, 214);
         layer.dark = QColor(96, 100, 112);
         sky.scene().sheets.push_back(layer);
     }},
    {MiddleCloud::AcWithAs,
     [](SkyBuilder& sky) {
         addAltostratus(sky, 0.55, QColor(206, 210, 218), QColor(140, 146, 160));
         addAltocumulus(sky, 3400.0, 600.0, 0.65, 0.55, 6000.0, 0.6);
     }},
    {MiddleCloud::AcCastellanus,
     [](SkyBuilder& sky) {
         const int count = sky.random().integer(4, 7);
         const double base = 4000.0;
         for (int i = 0; i < count; ++i) {
             const double width = sky.random().uniform(3500.0, 7000.0);
             Heap heap =
                 sky.heapAt(HeapForm::Castellanus, sky.random().uniform(0.0, kPictureWidth),
                            sky.logUniform(std::max(8000.0, sky.nearestShown(base)), 25000.0), base,
                            width, width * sky.random().uniform(0.35, 0.6));
             if (!sky.overlapsOthers(heap)) {
                 sky.scene().heaps.push_back(heap);
             }
         }
     }},
    {MiddleCloud::AcFloccus,
     [](SkyBuilder& sky) {
         sky.scatterHeaps(HeapForm::Floccus, sky.random().integer(14, 22), 2000.0, 4000.0, 0.6,
                          4000.0, 18000.0, 4500.0);
     }},
    // Several broken layers at different levels, thick and thin, dark and bright, heaped and flat,
    // drifting different ways: a sky without order.
    {MiddleCloud::AcChaotic,
     [](SkyBuilder& sky) {
         CloudSheet veil = sky.sheet(SheetTexture::Fibrous, 5800.0, 3000.0);
         veil.stretch = 3.0;
         veil.cover = 0.85;
         veil.roughness = 0.3;
         veil.thickness = 0.75;
         veil.patchScale = 9000.0;
         veil.patchCover = 0.6;
         veil.light = QColor(186, 190, 200);
         veil.dark = QColor(108, 112, 126);
         sky.scene().sheets.push_back(veil);
         CloudSheet thin = sky.sheet(SheetTexture::Cells, 4800.0, 330.0);
         thin.cover = 0.6;
         thin.thickness = 0.35;
         thin.shading = 0.8;
         thin.windAngle = 60.0 + sky.random().uniform(-20.0, 20.0);
         thin.stretch = 2.0;
         thin.patchScale = 3000.0;
         thin.patchCover = 0.4;
         thin.light = QColor(250, 248, 244);
         thin.dark = QColor(150, 152, 164);
         sky.scene().sheets.push_back(thin);
         CloudSheet low = sky.sheet(SheetTexture::Cells, 3000.0, 650.0);
         low.cover = 0.8;
         low.thickness = 0.75;
         low.shading = 0.6;
         low.stretch = 1.5;
         low.patchScale = 4500.0;
         low.patchCover = 0.55;
         low.light = QColor(226, 226, 230);
         low.dark = QColor(90, 94, 106);
         sky.scene().sheets.push_back(low);
         const int turrets = sky.random().integer(2, 4);
         for (int i = 0; i < turrets; ++i) {
             const double width = sky.random().uniform(2000.0, 4000.0);
             Heap heap =
                 sky.heapAt(HeapForm::Castellanus, sky.random().uniform(0.0, kPictureWidth),
                            sky.random().uniform(15000.0, 30000.0), 3600.0, width, width * 0.5);
             heap.darkness = 0.3;
             sky.scene().heaps.push_back(heap);
         }
     }},
};

}  // namespace

const CloudLook<MiddleCloud>& middleCloudLook(MiddleCloud form) {
    return lookOf(kMiddleLooks, form);
}

std::span<const CloudLook<MiddleCloud>> middleCloudLooks() {
    return kMiddleLooks;
}

}  // namespace nimbara
