#include "tools/import/photocropper.h"

#include "platform/decodelimit.h"
#include "platform/nativefile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

// How much smaller than the picture a decoder may deliver it, as a power of two up to 8
// (what JPEG decoders can do without decoding the full size), so that the kept part still
// has at least the photo's pixels.
int reduction(QSize upright) {
    const QRect keep = PhotoCropper::cropRect(upright, {0.5, 0.5});
    int factor = 1;
    while (factor < 8 && keep.width() / (factor * 2) >= PhotoCropper::kPhotoSize.width() &&
           keep.height() / (factor * 2) >= PhotoCropper::kPhotoSize.height()) {
        factor *= 2;
    }
    return factor;
}

QImage withoutAlpha(const QImage& image) {
    if (!image.hasAlphaChannel()) {
        return image;
    }
    // Transparent parts show as white, as on a page.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

}  // namespace

QRect PhotoCropper::cropRect(QSize size, QPointF focus) {
    const double aspect = static_cast<double>(kPhotoSize.width()) / kPhotoSize.height();
    int width = size.width();
    int height = static_cast<int>(std::lround(width / aspect));
    if (height > size.height()) {
        height = size.height();
        width = std::min(size.width(), static_cast<int>(std::lround(height * aspect)));
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    const auto place = [](double centre, int length, int room) {
        const int start = static_cast<int>(std::lround(centre - length / 2.0));
        return std::clamp(start, 0, room - length);
    };
    return {place(focus.x() * size.width(), width, size.width()),
            place(focus.y() * size.height(), height, size.height()), width, height};
}

void PhotoCropper::limitDecoding() {
    setDecodeLimit(kDecodeLimitMegabytes);
}

CroppedPhoto PhotoCropper::crop(const QString& path, QPointF focus) {
    CroppedPhoto result;
    QFile file;
    if (!openForReading(file, QFile::encodeName(path))) {
        result.error = "cannot read the picture " + path + ": " +
                       (QFileInfo::exists(path) ? "not a regular file" : "File not found");
        return result;
    }
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    reader.setDecideFormatFromContent(true);
    const QSize stored = reader.size();
    if (!reader.canRead() || !stored.isValid()) {
        result.error = "cannot read the picture " + path + ": " + reader.errorString();
        return result;
    }
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = turned ? stored.transposed() : stored;
    result.original = upright;
    const int factor = reduction(upright);
    // JPEG decoders scale while decoding; other formats that take a scaled size decode at full
    // size first and would only add a second, coarser scaling.
    const bool reduced = factor > 1 && reader.format() == "jpeg" &&
                         reader.supportsOption(QImageIOHandler::ScaledSize);
    if (reduced) {
        reader.setScaledSize(stored / factor);
    }
    // Said here in the picture's terms; the reader would only say it could not read the data.
    const QSize decoded = reduced ? stored / factor : stored;
    const double megabytes = 4.0 * decoded.width() * decoded.height() / (1024.0 * 1024.0);
    if (megabytes > kDecodeLimitMegabytes ||
        qint64{stored.width()} * stored.height() > kLargestPicture) {
        result.error = QString("the picture %1 is %2 x %3 pixels, too large to decode in %4 MB")
                           .arg(path)
                           .arg(stored.width())
                           .arg(stored.height())
                           .arg(kDecodeLimitMegabytes);
        return result;
    }
    const QImage picture = reader.read();
    if (picture.isNull()) {
        result.error = "cannot read the picture " + path + ": " + reader.errorString();
        return result;
    }
    const QImage kept = picture.copy(cropRect(picture.size(), focus));
    result.photo =
        withoutAlpha(kept).scaled(kPhotoSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return result;
}

}  // namespace nimbara
