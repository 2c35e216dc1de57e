#include "games/photoarea.h"

#include "games/core/dissolveorder.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <thread>

namespace nimbara {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kFrameTime{16};
std::chrono::milliseconds gDissolveDuration{1000};

}  // namespace

void PhotoArea::setDissolveDuration(std::chrono::milliseconds duration) {
    gDissolveDuration = duration;
}

std::chrono::milliseconds PhotoArea::dissolveDuration() {
    return gDissolveDuration;
}

PhotoArea::PhotoArea(QWidget* parent)
    : QWidget(parent), m_buffer(kPhotoWidth, kPhotoHeight, QImage::Format_ARGB32_Premultiplied) {
    m_buffer.fill(Qt::transparent);
    setFixedSize(kPhotoWidth, kPhotoHeight);
    setAccessibleName("Photo");
    setAccessibleDescription("The photo to classify");
}

bool PhotoArea::onScreen() const {
    const QWindow* handle = window()->windowHandle();
    return isVisible() && handle != nullptr && handle->isExposed();
}

void PhotoArea::clear() {
    m_buffer.fill(Qt::transparent);
    update();
}

void PhotoArea::copyPixels(const QImage& photo, std::span<const int> positions) {
    const int width = std::min(photo.width(), kPhotoWidth);
    const int height = std::min(photo.height(), kPhotoHeight);
    for (const int position : positions) {
        const int x = position % kPhotoWidth;
        const int y = position / kPhotoWidth;
        if (x < width && y < height) {
            reinterpret_cast<QRgb*>(m_buffer.scanLine(y))[x] =
                reinterpret_cast<const QRgb*>(photo.constScanLine(y))[x];
        }
    }
}

void PhotoArea::dissolve(const QImage& photo, RandomSource& random) {
    m_lastFrameCount = 0;
    if (!onScreen()) {
        return;
    }
    const std::vector<int> order = dissolveOrder(random);
    const QImage source = photo.convertToFormat(m_buffer.format());
    const auto frames =
        static_cast<std::size_t>(std::max<long long>(1, gDissolveDuration / kFrameTime));
    const std::size_t perFrame = (order.size() + frames - 1) / frames;
    const Clock::time_point start = Clock::now();
    for (std::size_t next = 0; next < order.size(); next += perFrame) {
        copyPixels(source, std::span(order).subspan(next, std::min(perFrame, order.size() - next)));
        repaint();
        ++m_lastFrameCount;
        if (next + perFrame < order.size()) {
            std::this_thread::sleep_until(start + kFrameTime * m_lastFrameCount);
        }
    }
}

void PhotoArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), m_buffer, event->rect());
}

}  // namespace nimbara
