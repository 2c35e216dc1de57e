#include "tools/samplephotos/sky/lowclouds.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

void addTowers(SkyBuilder& sky) {
    const int towers = sky.random().integer(1, 2);
    for (int i = 0; i < towers; ++i) {
        const double width = sky.random().uniform(2000.0, 3500.0);
        const double distance = sky.random().uniform(9000.0, 18000.0);
        sky.scene().heaps.push_back(
            sky.heapAt(HeapForm::Congestus, sky.random().uniform(70.0, kPictureWidth - 70.0),
                       distance, 1200.0, width, width * sky.random().uniform(1.3, 1.9)));
    }
    sky.scatterHeaps(HeapForm::Mediocris, sky.random().integer(2, 3), 1200.0, 2200.0, 0.9, 4000.0,
                     20000.0, 1200.0);
    sky.scatterHeaps(HeapForm::Humilis, sky.random().integer(3, 5), 600.0, 1200.0, 0.38, 4000.0,
                     30000.0, 1200.0);
}

namespace {

void addCumulonimbus(SkyBuilder& sky, HeapForm form) {
    const double width = sky.random().uniform(8500.0, 13000.0);
    const double distance =
        sky.random().uniform(18000.0, 28000.0) * (sky.photo().camera == Camera::Tele ? 1.6 : 1.0);
    Heap storm = sky.heapAt(form, sky.random().uniform(130.0, kPictureWidth - 130.0), distance,
                            1300.0, width, sky.random().uniform(8800.0, 10500.0));
    storm.rain = sky.random().uniform(0.35, 0.7);
    if (form == HeapForm::Capillatus) {
        storm.anvil = (sky.random().chance(0.5) ? 1.0 : -1.0) * sky.random().uniform(1.4, 2.6);
    }
    sky.scene().heaps.push_back(storm);
    sky.scatterHeaps(HeapForm::Mediocris, sky.random().integer(1, 3), 1500.0, 2500.0, 1.0, 8000.0,
                     25000.0, 1300.0);
    sky.scatterHeaps(HeapForm::Humilis, sky.random().integer(2, 4), 600.0, 1300.0, 0.4, 5000.0,
                     30000.0, 1300.0);
}

void addStratocumulus(SkyBuilder& sky, double cover, double altitude) {
    CloudSheet layer = sky.sheet(SheetTexture::Cells, altitude, sky.random().uniform(650.0, 900.0));
    layer.stretch = sky.random().uniform(1.4, 2.4);
    layer.cover = cover;
    layer.thickness = cover > 0.95 ? 0.85 : 0.75;
    layer.shading = 0.5;
    layer.lumpiness = 1.0;
    if (cover < 0.95 && sky.higherShown(1)) {
        // Broken into patches, so the clouds above show through the lanes between them.
        layer.patchScale = 5000.0;
        layer.patchCover = 0.6;
    }
    layer.light = QColor(226, 226, 230);
    layer.dark = cover > 0.95 ? QColor(84, 88, 98) : QColor(96, 100, 112);
    sky.scene().sheets.push_back(layer);
}

// In the order of LowCloud.
const CloudLook<LowCloud> kLowLooks[] = {
    {LowCloud::None, [](SkyBuilder&) {}},
    {LowCloud::Humilis,
     [](SkyBuilder& sky) {
         sky.scatterHeaps(HeapForm::Humilis, sky.random().integer(9, 15), 500.0, 1400.0, 0.36,
                          2500.0, 30000.0, 1100.0);
     }},
    {LowCloud::FairFractus,
     [](SkyBuilder& sky) {
         sky.scatterHeaps(HeapForm::Fractus, sky.random().integer(6, 10), 400.0, 1100.0, 0.35,
                          2000.0, 16000.0, 900.0);
         sky.scatterHeaps(HeapForm::Humilis, sky.random().integer(2, 4), 500.0, 1000.0, 0.33,
                          4000.0, 25000.0, 1000.0);
     }},
    {LowCloud::Towering, addTowers},
    {LowCloud::CbCalvus, [](SkyBuilder& sky) { addCumulonimbus(sky, HeapForm::Calvus); }},
    // Cumulus flattening and spreading out sideways into patches of stratocumulus at their own
    // level, the old domes still standing in the patches.
    {LowCloud::ScFromCumulus,
     [](SkyBuilder& sky) {
         CloudSheet layer = sky.sheet(SheetTexture::Cells, 1400.0, 750.0);
         layer.stretch = 2.0;
         layer.windAngle = sky.random().uniform(-10.0, 10.0);
         layer.cover = 0.85;
         layer.thickness = 0.7;
         layer.shading = 0.45;
         layer.lumpiness = 1.0;
         layer.patchScale = 6000.0;
         layer.patchCover = sky.higherShown(1) ? 0.42 : 0.62;
         layer.light = QColor(236, 234, 230);
         layer.dark = QColor(104, 106, 118);
         const int count = sky.random().integer(4, 6);
         for (int i = 0; i < count; ++i) {
             const double width = sky.random().uniform(1800.0, 3200.0);
             Heap heap =
                 sky.heapAt(HeapForm::Mediocris, sky.random().uniform(-20.0, kPictureWidth + 20.0),
                            sky.logUniform(std::max(4000.0, sky.nearestShown(1400.0)), 18000.0),
                            1400.0, width, width * sky.random().uniform(0.35, 0.5));
             sky.scene().heaps.push_back(heap);
             const double side = sky.random().uniform(-0.6, 0.6);
             layer.patches.push_back({heap.across + side * width, heap.distance + 0.3 * width,
                                      width * sky.random().uniform(1.8, 3.0),
                                      width * sky.random().uniform(0.5, 0.8),
                                      layer.windAngle + sky.random().uniform(-10.0, 10.0)});
         }
         sky.scene().sheets.push_back(layer);
     }},
    {LowCloud::Stratocumulus,
     [](SkyBuilder& sky) { addStratocumulus(sky, sky.random().uniform(0.6, 0.8), 1500.0); }},
    {LowCloud::ScOvercast, [](SkyBuilder& sky) { addStratocumulus(sky, 1.0, 1200.0); }},
    {LowCloud::Stratus,
     [](SkyBuilder& sky) {
         CloudSheet layer = sky.sheet(SheetTexture::Veil, 260.0, 1500.0);
         layer.cover = 0.96;
         layer.roughness = 0.22;
         layer.thickness = 0.6;
         layer.light = QColor(196, 198, 202);
         layer.dark = QColor(134, 138, 146);
         sky.scene().sheets.push_back(layer);
         sky.scene().capBase = 230.0;
     }},
    // Ragged grey-white shreds low over the land, below the hill tops, in otherwise fair weather.
    {LowCloud::StratusFractus,
     [](SkyBuilder& sky) {
         CloudSheet layer = sky.sheet(SheetTexture::Fibrous, 500.0, 700.0);
         layer.stretch = 3.0;
         layer.cover = 0.6;
         layer.roughness = 0.9;
         layer.thickness = 0.45;
         layer.opacity = 0.55;
         layer.patchScale = 2000.0;
         layer.patchCover = 0.2;
         layer.light = QColor(206, 208, 212);
         layer.dark = QColor(150, 152, 160);
         sky.scene().sheets.push_back(layer);
         // Shreds drifting along the hillsides, below the hill tops, and a few higher up.
         const int count = sky.random().integer(7, 11);
         for (int i = 0; i < count; ++i) {
             const bool low = i < count - 3;
             const double width = sky.random().uniform(900.0, 2600.0) * (low ? 1.0 : 1.5);
             Heap shred = sky.heapAt(
                 HeapForm::Fractus, sky.random().uniform(-40.0, kPictureWidth + 40.0),
                 low ? sky.random().uniform(900.0, 2200.0) : sky.logUniform(3000.0, 6000.0),
                 low ? sky.random().uniform(40.0, 160.0) : sky.random().uniform(250.0, 400.0),
                 width, width * sky.random().uniform(0.16, 0.26));
             shred.darkness = 0.4;
             sky.scene().heaps.push_back(shred);
         }
         // Hills tall enough to show the shreds against them, their tops clear.
         sky.scene().capBase = 2000.0;
     }},
    {LowCloud::BadWeatherFractus,
     [](SkyBuilder& sky) {
         sky.scatterHeaps(HeapForm::Fractus, sky.random().integer(8, 13), 700.0, 2600.0, 0.3,
                          1200.0, 12000.0, 450.0, 0.85);
     }},
    {LowCloud::CumulusUnderSc,
     [](SkyBuilder& sky) {
         addStratocumulus(sky, sky.random().uniform(0.5, 0.65), 2300.0);
         sky.scatterHeaps(HeapForm::Mediocris, sky.random().integer(3, 5), 900.0, 1800.0, 0.75,
                          3000.0, 16000.0, 800.0);
         sky.scatterHeaps(HeapForm::Humilis, sky.random().integer(3, 5), 600.0, 1200.0, 0.4, 3000.0,
                          20000.0, 800.0);
     }},
    {LowCloud::CumulusUnderDeck,
     [](SkyBuilder& sky) {
         addStratocumulus(sky, 1.0, 2300.0);
         sky.scatterHeaps(HeapForm::Mediocris, sky.random().integer(3, 5), 900.0, 1800.0, 0.75,
                          3000.0, 16000.0, 800.0);
         sky.scatterHeaps(HeapForm::Humilis, sky.random().integer(2, 4), 600.0, 1200.0, 0.4, 3000.0,
                          20000.0, 800.0);
     }},
    {LowCloud::CbCapillatus, [](SkyBuilder& sky) { addCumulonimbus(sky, HeapForm::Capillatus); }},
    // Under a thunderstorm: the anvil's pouched underside overhead, the dark base and its rain
    // ahead.
    {LowCloud::CbOverhead,
     [](SkyBuilder& sky) {
         CloudSheet pouches = sky.sheet(SheetTexture::Pouches, 5500.0, 1500.0);
         pouches.thickness = 0.85;
         pouches.light = QColor(178, 168, 166);
         pouches.dark = QColor(70, 70, 82);
         sky.scene().sheets.push_back(pouches);
         CloudSheet base = sky.sheet(SheetTexture::Veil, 1200.0, 2500.0);
         base.cover = 1.0;
         base.roughness = 0.5;
         base.thickness = 1.0;
         base.bounded = true;
         base.frontAngle = 90.0 + sky.random().uniform(-20.0, 20.0);
         base.frontOffset = sky.random().uniform(1400.0, 2600.0);
         base.frontWidth = 250.0;
         base.light = QColor(92, 94, 104);
         base.dark = QColor(40, 42, 50);
         sky.scene().sheets.push_back(base);
         const double baseY = sky.scene().view.horizonY() -
                              sky.scene().view.focalLength() * 1200.0 / (base.frontOffset + 3000.0);
         const int curtains = sky.random().integer(2, 3);
         for (int i = 0; i < curtains; ++i) {
             sky.scene().rain.push_back(
                 {QPointF(sky.random().uniform(40.0, kPictureWidth - 40.0), baseY),
                  sky.random().uniform(50.0, 110.0), sky.random().uniform(0.6, 0.9)});
         }
         sky.scatterHeaps(HeapForm::Fractus, sky.random().integer(3, 6), 800.0, 2000.0, 0.3, 2500.0,
                          9000.0, 600.0, 0.9);
         if (sky.photo().thunder) {
             sky.scene().lightning.push_back(
                 {QPointF(sky.random().uniform(120.0, 280.0), baseY + 6.0),
                  sky.scene().view.horizonY() - baseY - 6.0});
         }
     }},
};

}  // namespace

const CloudLook<LowCloud>& lowCloudLook(LowCloud form) {
    return lookOf(kLowLooks, form);
}

std::span<const CloudLook<LowCloud>> lowCloudLooks() {
    return kLowLooks;
}

}  // namespace nimbara
