#pragma once

#include <QByteArray>
#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace nimbara {

// A surface that shows one picture over its whole area: its background colour, and over it the
// picture tiled from the top-left corner at the picture's own size, one picture pixel to one
// device pixel, never scaled. It holds no items and takes no input: mouse presses pass on to its
// parent.
//
// The picture is decoded once, within a memory bound (decodeLimit()): a picture that cannot be
// decoded within it is refused like an unreadable one. Only the part that can be seen is kept:
// the top-left part as large as the view or its screen, whichever is larger; a reader that can
// decode part of a picture (JPEG) decodes only that part, so a very large photo costs no more
// than the screen it fills. When the view grows beyond that part, the picture is read again.
class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent);

    void setBackgroundColor(const QColor& colour);
    QColor backgroundColor() const { return m_background; }

    // Shows the picture in the file named by path (the file system's own bytes); any format the
    // installed image readers know, found from the content. False when the file cannot be opened
    // or decoded within the bound: the view then shows its background colour alone.
    bool setBackgroundImage(const QByteArray& path);

    // The size of the picture on show in pixels; empty without one.
    QSize pictureSize() const { return m_pictureSize; }
    // The decoded top-left part of the picture, in pixels; the whole picture when it fits.
    QImage decodedPart() const { return m_part.toImage(); }

    // The memory bound of one decode in megabytes, for the image readers and the JPEG decoder's
    // own working memory: the process's bound (platform/decodelimit.h), which the program sets
    // when it starts.
    static void setDecodeLimit(int megabytes);
    static int decodeLimit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool decode(QSize cover);
    // The part of the picture, in device pixels, that the view can come to show.
    QSize coverSize() const;

    QColor m_background = Qt::white;
    QByteArray m_path;
    QPixmap m_part;
    QSize m_pictureSize;
};

}  // namespace nimbara
