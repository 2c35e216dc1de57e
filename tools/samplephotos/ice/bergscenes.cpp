#include "tools/samplephotos/ice/bergscenes.h"

#include "tools/samplephotos/ice/bergs.h"
#include "tools/samplephotos/ice/floes.h"
#include "tools/samplephotos/ice/polarscene.h"
#include "tools/samplephotos/ice/rubble.h"
#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/sea/ship.h"

#include <QPainter>
#include <cmath>

namespace nimbara {

namespace {

const BergStyle kGlacierIce{
    QColor(238, 244, 248), QColor(122, 160, 196), QColor(70, 170, 180), 0.55, 0.7, 0.8};

void paintFragments(QImage& image, const Perspective& view, Random& random, const QRectF& area,
                    double size, double cover) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const FloeStyle style{QColor(232, 238, 242), QColor(150, 176, 196), size * 0.12};
    for (const QPolygonF& piece :
         scatterFloes(random, {area, size, 0.7, cover, size * 0.5}, false)) {
        paintFloe(painter, view, piece, style);
    }
}

}  // namespace

// A lump of glacier ice a few metres high, well below a low eye's horizon, somewhat larger than a
// house, rounded by the sea.
void drawBergyBit(QImage& image) {
    Random random(101);
    const Perspective view = deckView(6.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 1);
    paintOpenSea(image, view, sea, 3.0, 0.7, 1);
    paintFragments(image, view, random, QRectF(-25.0, 50.0, 50.0, 25.0), 1.5, 0.01);
    const QPointF waterline(188.0, view.toScreen(0.0, 58.0).y());
    paintBerg(image, waterline, bergProfile(random, BergShape::Weathered, 118.0, 30.0), kGlacierIce,
              Noise(11));
    paintFragments(image, view, random, QRectF(-6.0, 30.0, 20.0, 20.0), 1.0, 0.01);
}

// A small, low piece of glacier ice awash in the swell: glassy and greenish, more of it under the
// water than above.
void drawGrowler(QImage& image) {
    Random random(102);
    const Perspective view = deckView(3.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 2);
    paintOpenSea(image, view, sea, 2.0, 0.9, 2);
    const BergStyle glassy{
        QColor(176, 222, 210), QColor(84, 140, 138), QColor(40, 150, 130), 0.6, 0.4, 0.6};
    const QPointF waterline(210.0, view.toScreen(0.0, 16.0).y());
    paintBerg(image, waterline, bergProfile(random, BergShape::Weathered, 130.0, 17.0), glassy,
              Noise(12));
}

// A towering berg, far higher than the horizon seen from a ship, with a ship behind it for size.
void drawIceberg(QImage& image) {
    Random random(103);
    const Perspective view = deckView(10.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Clear, 3);
    paintOpenSea(image, view, sea, 5.0, 0.6, 3);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintShip(painter, QPointF(318.0, view.toScreen(0.0, 900.0).y()), 34.0);
    painter.end();
    const QPointF waterline(170.0, view.toScreen(0.0, 320.0).y());
    paintBerg(image, waterline, bergProfile(random, BergShape::Pinnacled, 210.0, 96.0), kGlacierIce,
              Noise(13));
}

// Hummocked sea ice frozen into one massive piece standing a few metres out of the water,
// angular blocks on top, among smaller floes.
void drawFloeberg(QImage& image) {
    Random random(104);
    const Perspective view = deckView(5.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 4);
    paintOpenSea(image, view, sea, 3.0, 0.5, 4);
    paintFragments(image, view, random, QRectF(-150.0, 110.0, 300.0, 150.0), 9.0, 0.1);
    const BergStyle seaIce{
        QColor(230, 234, 238), QColor(136, 150, 170), QColor(90, 140, 150), 0.5, 0.1, 1.0};
    const QPointF waterline(196.0, view.toScreen(0.0, 55.0).y());
    paintBerg(image, waterline, bergProfile(random, BergShape::Blocky, 210.0, 40.0), seaIce,
              Noise(14));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const RubbleStyle blocks{QColor(236, 240, 242), QColor(196, 206, 216), QColor(124, 140, 162)};
    for (int i = 0; i < 5; ++i) {
        const double x = random.uniform(-70.0, 70.0);
        const double rise = 34.0 * std::sqrt(std::max(1.0 - std::pow(x / 100.0, 2.0), 0.0));
        paintSlab(painter, waterline + QPointF(x, -rise + 4.0), random.uniform(12.0, 18.0), random,
                  blocks);
    }
}

// A flat-topped berg with sheer sides, long and level, a ship in front of it.
void drawTabularBerg(QImage& image) {
    Random random(105);
    const Perspective view = bridgeView();
    SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 5);
    paintOpenSea(image, view, sea, 5.0, 0.5, 5);
    const BergStyle tabular{
        QColor(242, 246, 250), QColor(140, 170, 204), QColor(80, 160, 190), 0.82, 0.9, 0.15};
    const QPointF waterline(190.0, view.toScreen(0.0, 1100.0).y());
    paintBerg(image, waterline, bergProfile(random, BergShape::Tabular, 270.0, 42.0), tabular,
              Noise(15));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintShip(painter, QPointF(110.0, view.toScreen(0.0, 650.0).y()), 48.0);
}

}  // namespace nimbara
