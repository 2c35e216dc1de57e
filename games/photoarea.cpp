#include "photoarea.h"

#include "dissolveorder.h"

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

void PhotoArea::dissolve(const QImage& photo, const std::vector<int>& order) {
    m_lastFrameCount = 0;
    if (!onScreen()) {
        return;
    }
    const QImage source = photo.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = std::min(source.width(), kPhotoWidth);
    const int height = std::min(source.height(), kPhotoHeight);
    const auto frames = std::max<long long>(1, gDissolveDuration / kFrameTime);
    const std::size_t perFrame =
        (order.size() + static_cast<std::size_t>(frames) - 1) / static_cast<std::size_t>(frames);
    const Clock::time_point start = Clock::now();
    std::size_t next = 0;
    while (next < order.size()) {
        const std::size_t end = std::min(order.size(), next + perFrame);
        for (; next < end; ++next) {
            const int x = order[next] % kPhotoWidth;
            const int y = order[next] / kPhotoWidth;
            if (x < width && y < height) {
                reinterpret_cast<QRgb*>(m_buffer.scanLine(y))[x] =
                    reinterpret_cast<const QRgb*>(source.constScanLine(y))[x];
            }
        }
        repaint();
        ++m_lastFrameCount;
        if (next < order.size()) {
            std::this_thread::sleep_until(start + kFrameTime * m_lastFrameCount);
        }
    }
}

void PhotoArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), m_buffer, event->rect());
}

}  // namespace nimbara
