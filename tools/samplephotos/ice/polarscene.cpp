#include "tools/samplephotos/ice/polarscene.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/sky/sky.h"

#include <QPainter>

namespace nimbara {

Perspective bridgeView() {
    return Perspective(88.0, 200.0, 430.0, 18.0);
}

Perspective deckView(double eyeHeight) {
    return Perspective(104.0, 200.0, 430.0, eyeHeight);
}

Perspective closeView() {
    return Perspective(22.0, 200.0, 430.0, 3.0);
}

Perspective aerialView(double altitude, double horizonY) {
    return Perspective(horizonY, 200.0, 430.0, altitude);
}

namespace {

SkyStyle skyStyle(Weather weather, double horizonY) {
    switch (weather) {
        case Weather::Clear:
            return {QColor(58, 104, 168), QColor(196, 214, 228), horizonY};
        case Weather::Fair:
            return {QColor(78, 120, 176), QColor(205, 216, 226), horizonY};
        case Weather::Overcast:
            return {QColor(150, 156, 164), QColor(198, 202, 206), horizonY};
        case Weather::LowSun:
            return {QColor(82, 108, 150), QColor(236, 208, 170), horizonY};
    }
    return {};
}

SeaStyle seaFor(Weather weather) {
    switch (weather) {
        case Weather::Clear:
            return {QColor(12, 34, 52),
                    QColor(150, 180, 210),
                    QColor(200, 216, 230),
                    4.0,
                    0.6,
                    30000.0};
        case Weather::Fair:
            return {QColor(16, 36, 50),
                    QColor(160, 180, 200),
                    QColor(206, 216, 226),
                    4.0,
                    0.6,
                    20000.0};
        case Weather::Overcast:
            return {
                QColor(28, 36, 42), QColor(168, 172, 176), QColor(196, 200, 204), 4.0, 0.6, 9000.0};
        case Weather::LowSun:
            return {QColor(20, 30, 46),
                    QColor(214, 190, 160),
                    QColor(230, 206, 172),
                    4.0,
                    0.6,
                    15000.0};
    }
    return {};
}

void paintClouds(QImage& image, double horizonY, Weather weather, std::uint64_t seed) {
    const Noise noise(seed * 7 + 3);
    switch (weather) {
        case Weather::Clear:
            paintCloudLayer(image, horizonY, noise,
                            {QColor(246, 248, 250), QColor(200, 210, 222), 0.12, 0.5});
            break;
        case Weather::Fair:
            paintCloudLayer(image, horizonY, noise,
                            {QColor(248, 248, 248), QColor(170, 178, 190), 0.45, 0.35});
            break;
        case Weather::Overcast:
            paintCloudLayer(image, horizonY, noise,
                            {QColor(176, 180, 186), QColor(128, 134, 142), 0.9, 0.6});
            break;
        case Weather::LowSun:
            paintCloudLayer(image, horizonY, noise,
                            {QColor(250, 226, 196), QColor(140, 130, 140), 0.3, 0.4});
            break;
    }
}

}  // namespace

SeaStyle paintPolarSky(QImage& image, const Perspective& view, Weather weather,
                       std::uint64_t seed) {
    if (view.horizonY() > 0.0) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paintSky(painter, image.size(), skyStyle(weather, view.horizonY()));
        if (weather == Weather::LowSun) {
            paintSunGlow(painter, QPointF(300.0, view.horizonY() - 14.0), 150.0,
                         QColor(255, 236, 200));
        }
        painter.end();
        paintClouds(image, view.horizonY(), weather, seed);
    }
    return seaFor(weather);
}

void paintOpenSea(QImage& image, const Perspective& view, SeaStyle style, double waveLength,
                  double roughness, std::uint64_t seed) {
    style.waveLength = waveLength;
    style.roughness = roughness;
    paintSea(image, view, style, Noise(seed * 11 + 5));
}

}  // namespace nimbara
