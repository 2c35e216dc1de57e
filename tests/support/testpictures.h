#pragma once

#include <QByteArray>
#include <QImage>

namespace nimbara::test {

// A picture whose every pixel differs from its neighbours, so that a shifted, cut or scaled
// copy shows.
QImage patterned(int width, int height);

// image in the file format given ("BMP", "PNG", "JPEG"; JPEG at quality 95, progressive when
// asked). A picture that cannot be encoded fails the test.
QByteArray encoded(const QImage& image, const char* format, bool progressive = false);

}  // namespace nimbara::test
