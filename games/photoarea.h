#pragma once

#include "games/core/randomsource.h"

#include <QImage>
#include <QWidget>

#include <chrono>
#include <span>
#include <vector>

namespace nimbara {

// The 400 x 250 area of a game dialog that shows the photo. It keeps what is on screen in a back
// buffer, so a new photo dissolves over the previous one; it starts empty (the dialog shows
// through).
class PhotoArea : public QWidget {
    Q_OBJECT

public:
    explicit PhotoArea(QWidget* parent);

    // Copies the pixels of photo's top-left 400 x 250 rectangle onto the area in a shuffled order
    // drawn from random (see dissolveOrder), in frames spread over the dissolve duration, with a
    // synchronous repaint after each frame; returns when the last pixel is on screen. Positions
    // outside a smaller photo keep what the area showed. While the window is not on screen
    // nothing is drawn, as on a window that cannot be seen.
    void dissolve(const QImage& photo, RandomSource& random);
    // Copies the pixels at positions (as for dissolve) from photo's top-left rectangle into the
    // back buffer, without repainting: one frame's work of the dissolve. photo must be in
    // QImage::Format_ARGB32_Premultiplied.
    void copyPixels(const QImage& photo, std::span<const int> positions);
    // Empties the area.
    void clear();
    const QImage& content() const { return m_buffer; }
    // Frames the last dissolve took (0 when nothing was drawn).
    int lastFrameCount() const { return m_lastFrameCount; }

    // How long a dissolve takes; tests set it to zero (one frame, no waiting).
    static void setDissolveDuration(std::chrono::milliseconds duration);
    static std::chrono::milliseconds dissolveDuration();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool onScreen() const;

    QImage m_buffer;
    int m_lastFrameCount = 0;
};

}  // namespace nimbara
