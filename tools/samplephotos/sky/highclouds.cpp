#include "tools/samplephotos/sky/highclouds.h"

#include "tools/samplephotos/paint/direction.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

void addStrands(SkyBuilder& sky, StrandForm form, int count, double crowd) {
    CirrusStrands strands;
    strands.form = form;
    strands.altitude = sky.random().uniform(8500.0, 10000.0);
    strands.count = count;
    strands.length = form == StrandForm::Fibratus ? sky.random().uniform(9000.0, 16000.0)
                                                  : sky.random().uniform(4000.0, 7000.0);
    strands.windAngle = sky.random().uniform(-35.0, 35.0);
    strands.curl = form == StrandForm::Fibratus ? 0.35 : 0.5;
    strands.opacity = sky.random().uniform(0.65, 0.85);
    strands.region = QRectF(0.0, 0.0, kPictureWidth, sky.scene().view.horizonY() - 25.0);
    strands.crowd = crowd;
    strands.seed = sky.nextSeed();
    sky.scene().strands.push_back(strands);
}

void addCirrostratus(SkyBuilder& sky, bool advancing, double edgeElevation) {
    CloudSheet veil = sky.sheet(SheetTexture::Fibrous, 8500.0, 5000.0);
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
        veil.frontAngle = 90.0 + sky.random().uniform(-25.0, 25.0);
        veil.frontOffset = distanceAtElevation(8500.0, edgeElevation);
        veil.frontWidth = 900.0;
        veil.thickening = 25000.0;
        CirrusStrands strands;
        strands.form = StrandForm::Fibratus;
        strands.altitude = 9000.0;
        strands.count = sky.random().integer(8, 14);
        strands.length = 14000.0;
        strands.windAngle = veil.frontAngle - 90.0 + sky.random().uniform(-20.0, 20.0);
        strands.curl = 0.3;
        strands.opacity = 0.7;
        const double edgeY =
            sky.scene().view.horizonY() -
            sky.scene().view.focalLength() * std::tan(edgeElevation * kRadiansPerDegree);
        strands.region = QRectF(0.0, std::max(edgeY - 40.0, 0.0), kPictureWidth, 70.0);
        strands.seed = sky.nextSeed();
        sky.scene().strands.push_back(strands);
    }
    sky.scene().sheets.push_back(veil);
}

// In the order of HighCloud.
const CloudLook<HighCloud> kHighLooks[] = {
    {HighCloud::None, [](SkyBuilder&) {}},
    {HighCloud::CiFibratus,
     [](SkyBuilder& sky) {
         addStrands(sky, StrandForm::Fibratus, sky.random().integer(10, 18), 0.0);
     }},
    {HighCloud::CiUncinus,
     [](SkyBuilder& sky) {
         addStrands(sky, StrandForm::Uncinus, sky.random().integer(14, 24), 0.0);
     }},
    {HighCloud::CiSpissatus,
     [](SkyBuilder& sky) {
         CloudSheet layer = sky.sheet(SheetTexture::Fibrous, 8500.0, 2500.0);
         layer.stretch = 3.0;
         layer.cover = 0.95;
         layer.roughness = 0.35;
         layer.thickness = 0.7;
         layer.opacity = 0.97;
         layer.patchScale = 6000.0;
         layer.patchCover = 0.36;
         layer.light = QColor(252, 252, 252);
         layer.dark = QColor(168, 172, 184);
         sky.scene().sheets.push_back(layer);
         addStrands(sky, StrandForm::Fibratus, sky.random().integer(4, 8), 0.0);
     }},
    {HighCloud::CiFromAnvil,
     [](SkyBuilder& sky) {
         if (sky.photo().camera == Camera::Wide || sky.photo().camera == Camera::Upward) {
             CloudSheet layer = sky.sheet(SheetTexture::Fibrous, 9000.0, 2500.0);
             layer.stretch = 3.5;
             layer.cover = 0.85;
             layer.roughness = 0.4;
             layer.thickness = 0.55;
             layer.opacity = 0.95;
             const double distance = distanceAtElevation(9000.0, sky.random().uniform(28.0, 40.0));
             layer.patches.push_back({sky.acrossAt(sky.random().uniform(150.0, 250.0), distance),
                                      distance, sky.random().uniform(14000.0, 20000.0),
                                      sky.random().uniform(6000.0, 9000.0),
                                      sky.random().uniform(-15.0, 15.0)});
             layer.light = QColor(252, 252, 252);
             layer.dark = QColor(170, 174, 186);
             sky.scene().sheets.push_back(layer);
             return;
         }
         const bool aircraft = sky.photo().camera == Camera::Aircraft;
         if (aircraft) {
             // Seen from the aircraft the dense, fibrous mass spreads just above flight level.
             CloudSheet layer = sky.sheet(SheetTexture::Fibrous, 1200.0, 2000.0);
             layer.stretch = 3.5;
             layer.cover = 0.85;
             layer.roughness = 0.45;
             layer.thickness = 0.5;
             layer.opacity = 0.95;
             const double distance = sky.random().uniform(9000.0, 13000.0);
             layer.patches.push_back({sky.acrossAt(sky.random().uniform(120.0, 280.0), distance),
                                      distance, sky.random().uniform(9000.0, 13000.0),
                                      sky.random().uniform(3500.0, 5000.0),
                                      sky.random().uniform(-15.0, 15.0)});
             layer.light = QColor(252, 252, 252);
             layer.dark = QColor(170, 174, 186);
             sky.scene().sheets.push_back(layer);
         }
         const double distance = aircraft ? sky.random().uniform(20000.0, 26000.0)
                                          : sky.random().uniform(22000.0, 30000.0) *
                                                (sky.photo().camera == Camera::Tele ? 1.8 : 1.0);
         // From the aircraft, heights count from the cloud deck far below the camera.
         const double top = aircraft ? sky.scene().view.eyeHeight() + 1200.0 : 11000.0;
         const double width = sky.random().uniform(9000.0, 13000.0);
         const double screenX = sky.random().uniform(130.0, 270.0);
         Heap anvil = sky.heapAt(HeapForm::Anvil, screenX, distance, top - 9000.0, width, 9000.0);
         anvil.anvil = (sky.random().chance(0.5) ? 1.0 : -1.0) * sky.random().uniform(1.3, 2.0);
         sky.scene().heaps.push_back(anvil);
         // What is left of the storm's tower under it.
         if (!aircraft) {
             Heap remains = sky.heapAt(HeapForm::Mediocris, screenX, distance * 1.02, 1300.0,
                                       width * 0.7, width * 0.45);
             remains.spread = 0.3;
             sky.scene().heaps.push_back(remains);
         }
     }},
    {HighCloud::CiInvading,
     [](SkyBuilder& sky) {
         CirrusStrands strands;
         strands.form = sky.random().chance(0.5) ? StrandForm::Uncinus : StrandForm::Fibratus;
         strands.altitude = 9000.0;
         strands.count = sky.random().integer(40, 60);
         strands.length = sky.random().uniform(6000.0, 10000.0);
         strands.windAngle = 90.0 + sky.random().uniform(-20.0, 20.0);
         strands.curl = 0.25;
         strands.opacity = 0.8;
         strands.region = QRectF(0.0, 0.12 * sky.scene().view.horizonY(), kPictureWidth,
                                 0.85 * sky.scene().view.horizonY());
         strands.crowd = 0.8;
         strands.seed = sky.nextSeed();
         sky.scene().strands.push_back(strands);
         CloudSheet veil = sky.sheet(SheetTexture::Fibrous, 9000.0, 4000.0);
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
         sky.scene().sheets.push_back(veil);
     }},
    {HighCloud::CsLow,
     [](SkyBuilder& sky) { addCirrostratus(sky, true, sky.random().uniform(22.0, 34.0)); }},
    {HighCloud::CsHigh,
     [](SkyBuilder& sky) { addCirrostratus(sky, true, sky.random().uniform(52.0, 60.0)); }},
    {HighCloud::CsWhole, [](SkyBuilder& sky) { addCirrostratus(sky, false, 0.0); }},
    {HighCloud::CsPart,
     [](SkyBuilder& sky) {
         CloudSheet veil = sky.sheet(SheetTexture::Fibrous, 8500.0, 5000.0);
         veil.stretch = 4.0;
         veil.cover = 0.7;
         veil.roughness = 0.35;
         veil.thickness = 0.22;
         veil.opacity = 0.72;
         veil.halo = true;
         veil.bounded = true;
         veil.frontAngle = sky.random().chance(0.5) ? 0.0 : 180.0;
         veil.frontAngle += sky.random().uniform(-20.0, 20.0);
         veil.frontOffset = sky.random().uniform(-3000.0, 3000.0);
         veil.frontWidth = 1500.0;
         veil.light = QColor(246, 248, 252);
         veil.dark = QColor(206, 212, 224);
         sky.scene().sheets.push_back(veil);
     }},
    {HighCloud::Cirrocumulus,
     [](SkyBuilder& sky) {
         CloudSheet layer =
             sky.sheet(SheetTexture::Cells, 7500.0, sky.random().uniform(140.0, 190.0));
         layer.stretch = sky.random().uniform(1.3, 2.8);
         layer.cover = sky.random().uniform(0.55, 0.7);
         layer.thickness = 0.06;
         layer.shading = 0.0;
         layer.opacity = 0.85;
         layer.patchScale = 6000.0;
         layer.patchCover = 0.5;
         layer.light = QColor(255, 255, 255);
         layer.dark = QColor(226, 230, 238);
         sky.scene().sheets.push_back(layer);
     }},
};

}  // namespace

const CloudLook<HighCloud>& highCloudLook(HighCloud form) {
    return lookOf(kHighLooks, form);
}

std::span<const CloudLook<HighCloud>> highCloudLooks() {
    return kHighLooks;
}

}  // namespace nimbara
