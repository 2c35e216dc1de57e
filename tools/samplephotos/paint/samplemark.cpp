#include "tools/samplephotos/paint/samplemark.h"

#include "tools/samplephotos/paint/raster.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace nimbara {

namespace {

// Letters drawn as strokes on a grid where the x-height is 1 and the baseline is y = 0, so the
// mark needs no font and looks the same on every machine.
struct Letter {
    QPainterPath strokes;
    double advance;
};

Letter letterS() {
    QPainterPath path(QPointF(0.52, -0.86));
    path.cubicTo(0.42, -1.03, 0.04, -1.02, 0.05, -0.76);
    path.cubicTo(0.06, -0.50, 0.56, -0.55, 0.57, -0.26);
    path.cubicTo(0.58, 0.02, 0.12, 0.04, 0.02, -0.16);
    return {path, 0.72};
}

Letter letterA() {
    QPainterPath path;
    path.addEllipse(QRectF(0.02, -0.64, 0.52, 0.64));
    path.moveTo(0.54, -1.0);
    path.lineTo(0.54, 0.0);
    return {path, 0.78};
}

Letter letterM() {
    QPainterPath path(QPointF(0.0, 0.0));
    path.lineTo(0.0, -1.0);
    path.moveTo(0.0, -0.68);
    path.cubicTo(0.06, -1.06, 0.42, -1.06, 0.42, -0.68);
    path.lineTo(0.42, 0.0);
    path.moveTo(0.42, -0.68);
    path.cubicTo(0.48, -1.06, 0.84, -1.06, 0.84, -0.68);
    path.lineTo(0.84, 0.0);
    return {path, 1.06};
}

Letter letterP() {
    QPainterPath path(QPointF(0.0, -1.0));
    path.lineTo(0.0, 0.45);
    path.addEllipse(QRectF(0.0, -1.0, 0.56, 0.98));
    return {path, 0.78};
}

Letter letterL() {
    QPainterPath path(QPointF(0.04, -1.5));
    path.lineTo(0.04, 0.0);
    return {path, 0.32};
}

Letter letterE() {
    QPainterPath path(QPointF(0.02, -0.5));
    path.lineTo(0.62, -0.5);
    path.arcTo(QRectF(0.02, -1.0, 0.6, 1.0), 0.0, 300.0);
    return {path, 0.76};
}

QPainterPath sampleWord(double xHeight, double& width) {
    const std::array<Letter, 6> letters = {letterS(), letterA(), letterM(),
                                           letterP(), letterL(), letterE()};
    QPainterPath word;
    double x = 0.0;
    for (const Letter& letter : letters) {
        QTransform place;
        place.translate(x * xHeight, 0.0);
        place.scale(xHeight, xHeight);
        word.addPath(place.map(letter.strokes));
        x += letter.advance;
    }
    width = x * xHeight;
    return word;
}

QRgb averageColour(const QImage& image, const QRect& area) {
    double red = 0.0, green = 0.0, blue = 0.0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    }
    const double count = static_cast<double>(area.width()) * area.height();
    return qRgb(static_cast<int>(red / count), static_cast<int>(green / count),
                static_cast<int>(blue / count));
}

QColor markColour(QRgb background) {
    const double shift = luminance(background) > 110.0 ? 0.80 : 1.45;
    const QRgb tone = scaleRgb(background, shift);
    return QColor(luminance(background) < 30.0 ? qRgb(70, 70, 72) : tone);
}

}  // namespace

void paintSampleMark(QImage& image) {
    const double xHeight = 5.0;
    const double margin = 6.0;
    double width = 0.0;
    QPainterPath word = sampleWord(xHeight, width);
    const QPointF origin(image.width() - margin - width, image.height() - margin - 0.5 * xHeight);
    word.translate(origin);
    const QRect area = word.boundingRect().toAlignedRect().adjusted(-2, -2, 2, 2) & image.rect();

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(markColour(averageColour(image, area)), 0.9, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(word);
}

}  // namespace nimbara
