// Pictures of ice broken into pieces of every size, from brash to floes kilometres across, and of
// the openings of water between them; the large ones seen from the air.
#pragma once

#include <QImage>

namespace nimbara {

void drawBrash(QImage& image);
void drawSmallFloes(QImage& image);
void drawIceCake(QImage& image);
void drawGiantFloes(QImage& image);
void drawVastFloes(QImage& image);
void drawLead(QImage& image);
void drawPolynya(QImage& image);
void drawStrip(QImage& image);
void drawVeryOpenPack(QImage& image);

}  // namespace nimbara
