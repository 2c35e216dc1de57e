#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

namespace nimbara {

// A source picture made into a game photo, or why it could not be.
struct CroppedPhoto {
    QImage photo;    // kPhotoSize, no alpha; null on failure
    QSize original;  // the source picture's size, upright
    QString error;   // empty on success
};

// Makes game photos from pictures of any size and shape: the largest part of the picture with
// the photos' proportions, placed around a focus point and kept inside the picture, scaled
// with smooth filtering to the photo size. Pictures are turned upright as their metadata says.
// Large pictures whose format can decode at reduced size (JPEG) are decoded just large
// enough, so that a camera's full-size pictures take little time and memory.
class PhotoCropper {
public:
    static constexpr QSize kPhotoSize{400, 250};
    // The most memory one decoded picture may take, in megabytes: larger ones are refused, and
    // QImageReader's allocation limit is set to it.
    static constexpr int kDecodeLimitMegabytes = 512;

    // The photo made from the picture at path. focus: the point to keep in the middle, as
    // fractions of the picture's width and height from its top-left corner.
    static CroppedPhoto crop(const QString& path, QPointF focus);

    // The part of a picture of size to keep: kPhotoSize's proportions, as large as fits,
    // centred on focus as far as the picture's edges allow.
    static QRect cropRect(QSize size, QPointF focus);
};

}  // namespace nimbara
