// Open water seen in perspective: dark where one looks down into it, reflecting the sky towards
// the horizon, wrinkled by waves whose pattern fades where it gets finer than a pixel.
#pragma once

#include "tools/samplephotos/paint/perspective.h"

#include <QColor>
#include <QImage>

namespace nimbara {

class Noise;

struct SeaStyle {
    QColor deep;        // the water's own colour, looking steeply down
    QColor reflection;  // the sky it mirrors at grazing angles
    QColor haze;        // the air far away
    double waveLength;  // metres
    double roughness;   // 0 a mirror, 1 a rough sea
    double visibility;  // metres
};

// The colour of the sea at one point, for drawings that place water between other things.
QRgb seaColour(const SeaStyle& style, const Noise& noise, const Perspective& view, double across,
               double distance, double rowDepth);

void paintSea(QImage& image, const Perspective& view, const SeaStyle& style, const Noise& noise);
void paintSea(QImage& image, const Perspective& view, const SeaStyle& style, const Noise& noise,
              const QImage& mask);

// Mixes far parts of the picture into the haze colour, as air does.
QRgb hazed(QRgb colour, const SeaStyle& style, double distance);

}  // namespace nimbara
