#include "platform/pictureview.h"

#include "platform/decodelimit.h"
#include "platform/nativefile.h"

#include <QFile>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

namespace nimbara {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setDecodeLimit(int megabytes) {
    nimbara::setDecodeLimit(megabytes);
}

int PictureView::decodeLimit() {
    return nimbara::decodeLimit();
}

void PictureView::setBackgroundColor(const QColor& colour) {
    m_background = colour;
    update();
}

bool PictureView::setBackgroundImage(const QByteArray& path) {
    m_path = path;
    m_part = QPixmap();
    m_pictureSize = QSize();
    update();
    return decode(coverSize());
}

QSize PictureView::coverSize() const {
    const qreal ratio = devicePixelRatioF();
    QSize cover = size() * ratio;
    if (const QScreen* where = screen()) {
        cover = cover.expandedTo(where->size() * where->devicePixelRatio());
    }
    return cover;
}

bool PictureView::decode(QSize cover) {
    QFile file;
    if (!openForReading(file, m_path)) {
        return false;
    }
    QImageReader reader(&file);
    reader.setAutoTransform(false);  // shown as stored, as the tiles are
    const QSize whole = reader.size();
    const QSize part = whole.boundedTo(cover);
    if (whole.isValid() && !part.isEmpty() && part != whole &&
        reader.supportsOption(QImageIOHandler::ClipRect)) {
        reader.setClipRect(QRect(QPoint(0, 0), part));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return false;
    }
    m_pictureSize = whole.isValid() ? whole : image.size();
    if (!cover.isEmpty() && !QRect(QPoint(0, 0), cover).contains(image.rect())) {
        image = image.copy(QRect(QPoint(0, 0), image.size().boundedTo(cover)));
    }
    m_part = QPixmap::fromImage(std::move(image));
    m_part.setDevicePixelRatio(devicePixelRatioF());
    update();
    return true;
}

void PictureView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_part.isNull()) {
        return;
    }
    const QSize needed = (size() * devicePixelRatioF()).boundedTo(m_pictureSize);
    if (!QRect(QPoint(0, 0), m_part.size()).contains(QRect(QPoint(0, 0), needed))) {
        decode(coverSize());  // on failure the part read before stays
    }
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), m_background);
    if (m_part.isNull()) {
        return;
    }
    if (m_part.size() == m_pictureSize) {
        painter.drawTiledPixmap(rect(), m_part);
        return;
    }
    // Only the top-left part is decoded: place it at each tile's corner, one picture apart.
    const qreal ratio = m_part.devicePixelRatio();
    const qreal stepX = m_pictureSize.width() / ratio;
    const qreal stepY = m_pictureSize.height() / ratio;
    const QRectF tile(QPointF(0, 0), QSizeF(m_part.size()) / ratio);
    for (qreal y = 0; y < height(); y += stepY) {
        for (qreal x = 0; x < width(); x += stepX) {
            if (tile.translated(x, y).intersects(QRectF(event->rect()))) {
                painter.drawPixmap(QPointF(x, y), m_part);
            }
        }
    }
}

}  // namespace nimbara
