// The discreet "sample" mark in the bottom right corner of every picture: thin strokes, a tone
// only a little lighter or darker than the picture beneath, so it is readable without drawing
// the eye.
#pragma once

#include <QImage>

namespace nimbara {

void paintSampleMark(QImage& image);

}  // namespace nimbara
