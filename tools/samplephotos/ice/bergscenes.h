// Pictures of single pieces of ice standing out of the open sea, from a growler to a tabular
// berg; the horizon and a ship give each its size.
#pragma once

#include <QImage>

namespace nimbara {

void drawBergyBit(QImage& image);
void drawGrowler(QImage& image);
void drawIceberg(QImage& image);
void drawFloeberg(QImage& image);
void drawTabularBerg(QImage& image);

}  // namespace nimbara
