// Pictures of sea ice covering the sea, from a ship or close by: the stages from grey ice to old
// ice, which differ in tone, snow, thickness and relief, and the features of its surface.
#pragma once

#include <QImage>

namespace nimbara {

void drawGreyIce(QImage& image);
void drawGreyWhiteIce(QImage& image);
void drawThinFirstYearIce(QImage& image);
void drawMediumFirstYearIce(QImage& image);
void drawThickFirstYearIce(QImage& image);
void drawSecondYearIce(QImage& image);
void drawMultiYearIce(QImage& image);
void drawHummockedIce(QImage& image);
void drawHummock(QImage& image);
void drawCrack(QImage& image);
void drawSastrugi(QImage& image);

}  // namespace nimbara
