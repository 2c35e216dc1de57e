#include "tests/support/testpictures.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace nimbara::test {

QImage patterned(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x * 30 % 256, y * 40 % 256, (x * 7 + y * 13) % 256));
        }
    }
    return image;
}

QByteArray encoded(const QImage& image, const char* format, bool progressive) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.setQuality(95);
    if (!writer.write(image)) {
        ADD_FAILURE() << "cannot encode a test picture as " << format;
    }
    return buffer.data();
}

}  // namespace nimbara::test
