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
    // The most memory the decoding of one picture may take, in megabytes: larger pictures are
    // refused. limitDecoding() makes it the process's bound.
    static constexpr int kDecodeLimitMegabytes = 512;
    // The most pixels a picture may have: more are refused before decoding, whatever size it is
    // decoded at (a progressive JPEG's decoder holds all of them).
    static constexpr qint64 kLargestPicture = qint64{1} << 28;

    // Sets the process's decoding bounds (platform/decodelimit.h) to kDecodeLimitMegabytes:
    // called once when a program that crops starts.
    static void limitDecoding();

    // The photo made from the picture at path, a regular file (a pipe or a device is refused
    // unread). focus: the point to keep in the middle, as fractions of the picture's width and
    // height from its top-left corner.
    static CroppedPhoto crop(const QString& path, QPointF focus);

    // The part of a picture of size to keep: kPhotoSize's proportions, as large as fits,
    // centred on focus as far as the picture's edges allow.
    static QRect cropRect(QSize size, QPointF focus);
};

}  // namespace nimbara
