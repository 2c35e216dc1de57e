// The sea from calm (force 0) to hurricane (force 12) as six photographers saw it. Each series
// keeps its camera height, light, sea colour and foreground through all its forces, so within a
// series only the sea and the weather that goes with it change from one picture to the next.
#pragma once

#include <QImage>
#include <QString>

namespace nimbara {

struct SeaSeries {
    QString prefix;  // file names are the prefix, the force and ".bmp"
    int forces;      // forces 0 to forces - 1 are drawn
};

constexpr int kSeaSeriesCount = 6;
SeaSeries seaSeries(int series);

// Draws force 0 to 12 of one series on a 400 x 250 picture.
void drawSeaState(QImage& image, int series, int force);

}  // namespace nimbara
