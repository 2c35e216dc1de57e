#include "tools/samplephotos/ice/youngicescenes.h"

#include "tools/samplephotos/ice/floes.h"
#include "tools/samplephotos/ice/icesheet.h"
#include "tools/samplephotos/ice/polarscene.h"
#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

// How much of a texture of `size` metres survives at this distance: 1 sharp, 0 a blur.
double detailAt(const GroundPoint& point, double size) {
    return std::clamp(size / (1.5 * point.rowDepth), 0.0, 1.0);
}

// Sea smoke: wisps of fog rising off water much warmer than the air, drifting with the wind.
void paintSeaSmoke(QImage& image, double horizonY, const Noise& noise) {
    shadePixels(image, [&](int x, int y, QRgb current) {
        const double height = horizonY + 30.0 - y;
        if (height < -10.0 || height > 70.0) {
            return current;
        }
        const double wisps = noise.fractal(x / 45.0 + 0.015 * height, y / 10.0, 5);
        const double veil = smoothStep(0.42, 0.7, wisps) * smoothStep(70.0, 15.0, height) *
                            smoothStep(-10.0, 15.0, height);
        return mixRgb(current, qRgb(232, 226, 218), 0.6 * veil);
    });
}

QRgb mattFilm(const SeaStyle& sea, QRgb tone, const GroundPoint& point, double sheen) {
    const double glance = smoothStep(60.0, 3000.0, point.distance);
    return hazed(mixRgb(tone, sea.reflection.rgb(), sheen * glance), sea, point.distance);
}

}  // namespace

// A soupy, matt layer of ice crystals: it damps the ripples, so only the long swell moves it,
// and the wind draws it out in streaks between lanes of rippled water.
void drawGreaseIce(QImage& image) {
    const Perspective view = deckView(8.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 31);
    sea.waveLength = 1.0;
    sea.roughness = 1.2;
    const Noise waves(311), streaks(312);
    shadeGround(
        image, view,
        [&](const GroundPoint& point, QRgb) {
            const QRgb water =
                seaColour(sea, waves, view, point.across, point.distance, point.rowDepth);
            const double u = point.across * 0.8 - point.distance * 0.6;
            const double v = point.across * 0.6 + point.distance * 0.8;
            const double band = streaks.fractal(u / 9.0, v / 50.0, 4);
            const double soup = smoothStep(0.36, 0.4, band);
            const double swell =
                std::sin(point.distance / 2.2 + 2.0 * waves.fractal(point.across / 30.0, 0.5, 2));
            const double clot = streaks.fractal(point.across / 0.8, point.distance / 0.8, 3) - 0.5;
            const QRgb grease = scaleRgb(qRgb(86, 92, 96),
                                         1.0 + (0.12 * swell + 0.1 * clot) * detailAt(point, 1.0));
            return mixRgb(water, mattFilm(sea, grease, point, 0.5), soup);
        },
        2);
}

// Water just beginning to freeze in frost: a dark film of needles and plates, sea smoke over it.
void drawNewIce(QImage& image) {
    const Perspective view = deckView(5.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::LowSun, 32);
    sea.waveLength = 2.0;
    sea.roughness = 0.25;
    const Noise waves(321), film(322);
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        const QRgb water =
            seaColour(sea, waves, view, point.across, point.distance, point.rowDepth);
        const double patches = film.fractal(point.across / 30.0, point.distance / 18.0, 5);
        const double frozen = smoothStep(0.42, 0.5, patches);
        const double needles = film.fractal(point.across / 0.12, point.distance / 0.5, 2);
        const double sparkle = smoothStep(0.76, 0.84, needles) * detailAt(point, 0.2);
        const QRgb crust = mixRgb(qRgb(62, 64, 68), qRgb(120, 122, 124), 0.4 * sparkle);
        return mixRgb(water, mattFilm(sea, crust, point, 0.5), 0.85 * frozen);
    });
    paintSeaSmoke(image, view.horizonY(), Noise(323));
}

// Spongy white lumps a few centimetres across, crowded in patches on dark water; seen close.
void drawShuga(QImage& image) {
    const Perspective view = closeView();
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 33);
    sea.waveLength = 0.8;
    sea.roughness = 0.4;
    const Noise waves(331), lumps(332), clusters(333);
    const double size = 0.09;
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        const QRgb water =
            seaColour(sea, waves, view, point.across, point.distance, point.rowDepth);
        const double crowd = clusters.fractal(point.across / 2.5, point.distance / 1.6, 4);
        const double threshold = 0.66 - 0.3 * crowd;
        auto lump = [&](double across, double distance) {
            return smoothStep(threshold, threshold + 0.05,
                              lumps.fractal(across / size, distance / size, 3));
        };
        const double here = lump(point.across, point.distance);
        const double lit = here - lump(point.across + size * 0.25, point.distance + size * 0.35);
        const double spongy = lumps.fractal(point.across / 0.02, point.distance / 0.02, 2);
        const double detail = detailAt(point, size);
        const QRgb white =
            scaleRgb(qRgb(206, 212, 214), 0.85 + 0.35 * lit + 0.2 * (spongy - 0.5) * detail);
        const double cover = std::lerp(smoothStep(0.66, 0.3, threshold), here, detail);
        return hazed(mixRgb(water, white, cover), sea, point.distance);
    });
}

// Snow fallen on the sea and soaked: a grey-white viscous mass, wet and shining in places.
void drawSlush(QImage& image) {
    const Perspective view = closeView();
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 34);
    sea.waveLength = 0.7;
    sea.roughness = 0.5;
    const Noise waves(341), mush(342);
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        const QRgb water =
            seaColour(sea, waves, view, point.across, point.distance, point.rowDepth);
        const double body = mush.fractal(point.across / 1.8, point.distance / 1.4, 5);
        const double wet = smoothStep(
            0.52, 0.72, mush.fractal(point.across / 0.9 + 50.0, point.distance / 0.7, 4));
        const double heave = std::sin(point.distance * 2.1 + 3.0 * body) * detailAt(point, 0.4);
        const double detail = detailAt(point, 0.05);
        const double fine = mush.fractal(point.across / 0.05, point.distance / 0.05, 2) - 0.5;
        QRgb mass = mixRgb(qRgb(196, 202, 204), qRgb(128, 138, 146), wet);
        mass = scaleRgb(mass, 0.93 + 0.12 * heave + 0.2 * fine * detail + 0.2 * (body - 0.5));
        const double shine = smoothStep(0.2, 0.9, heave) * wet * 0.5;
        mass = mixRgb(mass, sea.reflection.rgb(), shine);
        const double hole = smoothStep(0.72, 0.78, body);
        return hazed(mixRgb(mass, water, hole), sea, point.distance);
    });
}

// A thin, dark, matt crust that bends on the swell, its sheets pushed over each other in fingers.
void drawNilas(QImage& image) {
    const Perspective view = deckView(6.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 35);
    sea.waveLength = 2.5;
    sea.roughness = 0.6;
    const Noise waves(351), crust(352);
    const FingerSeam nearSeam{55.0, 14.0, 1.4, 6.0};
    const FingerSeam farSeam{120.0, 25.0, 1.8, 8.0};
    IceSheet sheet;
    sheet.freeboard = 0.01;
    sheet.side = QColor(70, 76, 80);
    sheet.cover = [&](double across, double distance, double blur) {
        const double lead =
            21.0 + 0.1 * across + 3.0 * (crust.fractal(across / 10.0, 1.5, 3) - 0.5);
        return 1.0 - smoothStep(-blur, blur, 1.5 - std::abs(distance - lead));
    };
    sheet.water = [&](const GroundPoint& point) {
        return seaColour(sea, waves, view, point.across, point.distance, point.rowDepth);
    };
    sheet.top = [&](const GroundPoint& point) {
        const double doubled =
            std::max(fingerOverlap(nearSeam, crust, point), fingerOverlap(farSeam, crust, point));
        const double swell =
            std::sin(point.distance / 3.0 + 2.0 * crust.fractal(point.across / 40.0, 0.5, 2));
        const double flex = crust.fractal(point.across / 60.0, point.distance / 20.0, 3) - 0.5;
        QRgb tone = mixRgb(qRgb(54, 60, 66), qRgb(80, 86, 92), doubled);
        tone = scaleRgb(tone, 1.0 + 0.2 * flex + 0.06 * swell * detailAt(point, 2.0));
        return mattFilm(sea, tone, point, 0.4);
    };
    paintIceSheet(image, view, sheet);
}

// Grey ice seen from low overhead: two sheets have met and slid over each other in fingers.
void drawFingerRafting(QImage& image) {
    const Perspective view = aerialView(60.0, -70.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Overcast, 36);
    const Noise waves(361), crust(362);
    const FingerSeam nearSeam{120.0, 40.0, 6.0, 28.0};
    IceSheet sheet;
    sheet.freeboard = 0.03;
    sheet.side = QColor(150, 156, 160);
    sheet.cover = [&](double across, double distance, double blur) {
        const double crack =
            230.0 - 0.35 * across + 10.0 * (crust.fractal(across / 25.0, 4.0, 3) - 0.5);
        return 1.0 - smoothStep(-blur, blur, 1.5 - std::abs(distance - crack));
    };
    sheet.water = [&](const GroundPoint& point) {
        return seaColour(sea, waves, view, point.across, point.distance, point.rowDepth);
    };
    sheet.top = [&](const GroundPoint& point) {
        const double doubled = fingerOverlap(nearSeam, crust, point);
        const double edge =
            fingerOverlap(nearSeam, crust, {point.across, point.distance - 0.6, point.rowDepth});
        const double mottled = crust.fractal(point.across / 6.0, point.distance / 6.0, 4) - 0.5;
        QRgb tone = mixRgb(qRgb(104, 110, 116), qRgb(158, 164, 168), doubled);
        tone = scaleRgb(tone, 1.0 + 0.18 * mottled - 0.3 * std::max(edge - doubled, 0.0));
        return tone;
    };
    paintIceSheet(image, view, sheet);
}

// Round cakes of young ice with raised white rims where they knock together, frazil between.
void drawPancakeIce(QImage& image) {
    const Perspective view(40.0, 200.0, 430.0, 6.0);
    SeaStyle sea = paintPolarSky(image, view, Weather::Fair, 37);
    const Noise waves(371), frazil(372);
    sea.waveLength = 1.5;
    sea.roughness = 0.5;
    shadeGround(image, view, [&](const GroundPoint& point, QRgb) {
        const QRgb water =
            seaColour(sea, waves, view, point.across, point.distance, point.rowDepth);
        const double slush = frazil.fractal(point.across / 3.0, point.distance / 3.0, 4);
        const QRgb far =
            mixRgb(qRgb(70, 78, 86), qRgb(196, 200, 204), smoothStep(60.0, 200.0, point.distance));
        return hazed(mixRgb(water, far, 0.45 + 0.3 * slush), sea, point.distance);
    });
    Random random(373);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const FloeStyle cake{QColor(176, 182, 188), QColor(120, 130, 140), 0.12};
    for (double far = 250.0; far > 6.0; far /= 1.5) {
        const double near = far / 1.5;
        const QRectF band(-0.5 * far, near, far, far - near);
        for (const QPolygonF& pancake : scatterFloes(random, {band, 1.6, 0.5, 0.62, 0.12}, true)) {
            paintFloe(painter, view, pancake, cake);
            const double rim = 0.16 * view.pixelsPerMetre(pancake.boundingRect().center().y());
            painter.setPen(
                QPen(QColor(236, 240, 242), rim, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(projected(view, pancake, cake.freeboard));
        }
    }
}

}  // namespace nimbara
