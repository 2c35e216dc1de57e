#include "app/progressreport.h"

#include "app/progresscharts.h"

#include <QChart>
#include <QGraphicsScene>
#include <QPagedPaintDevice>
#include <QPainter>

#include <memory>

namespace nimbara {

namespace {

// The page is laid out in these logical units across its width.
constexpr double kPageWidth = 800;

// Draws chart, made to fit target, as vectors.
void drawChart(QPainter& painter, QChart* made, const QRectF& target) {
    QGraphicsScene scene;
    scene.addItem(made);  // the scene owns it now
    made->resize(target.size());
    scene.render(&painter, target, QRectF(QPointF(0, 0), target.size()));
}

QFont fontOfPixels(int pixels, bool bold = false) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

QString confusionText(const Confusion& confusion) {
    return confusion.right + " taken for " + confusion.given + ": " +
           QString::number(confusion.times) + (confusion.times == 1 ? " time" : " times");
}

ProgressReport::ProgressReport(QString heading, QString summary, const GameProgress& progress)
    : m_heading(std::move(heading)), m_summary(std::move(summary)), m_progress(progress) {}

bool ProgressReport::print(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QRect page = painter.viewport();
    const double height = kPageWidth * page.height() / std::max(1, page.width());
    painter.setWindow(0, 0, static_cast<int>(kPageWidth), static_cast<int>(height));
    paint(painter, kPageWidth, height);
    return painter.end();
}

void ProgressReport::paint(QPainter& painter, double width, double height) const {
    painter.setFont(fontOfPixels(22, true));
    painter.drawText(QRectF(0, 0, width, 34), Qt::AlignLeft | Qt::AlignVCenter, m_heading);
    painter.setFont(fontOfPixels(14));
    painter.drawText(QRectF(0, 36, width, 24), Qt::AlignLeft | Qt::AlignVCenter, m_summary);

    const double plotTop = 70;
    const double roundsHeight = height * 0.28;
    drawChart(painter, ProgressCharts::rounds(m_progress.rounds),
              QRectF(0, plotTop, width, roundsHeight));
    const double barsTop = plotTop + roundsHeight + 10;
    const double barsHeight = height * 0.34;
    const double half = (width - 16) / 2;
    drawChart(painter, ProgressCharts::classes(m_progress.classes),
              QRectF(0, barsTop, half, barsHeight));
    drawChart(painter, ProgressCharts::times(m_progress.classes),
              QRectF(half + 16, barsTop, half, barsHeight));

    double y = barsTop + barsHeight + 14;
    painter.setFont(fontOfPixels(16, true));
    painter.drawText(QRectF(0, y, width, 22), Qt::AlignLeft, "Most frequent confusions");
    painter.setFont(fontOfPixels(13));
    y += 26;
    const auto lines = std::min<std::size_t>(m_progress.confusions.size(), kConfusionLines);
    if (lines == 0) {
        painter.drawText(QRectF(0, y, width, 18), Qt::AlignLeft, "No confusions.");
    }
    for (std::size_t i = 0; i < lines && y + 18 < height; ++i, y += 19) {
        painter.drawText(QRectF(0, y, width, 18), Qt::AlignLeft,
                         confusionText(m_progress.confusions[i]));
    }
}

}  // namespace nimbara
