#include "app/progresscharts.h"

#include "record/recordqueries.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace nimbara {

namespace {

QChart* newChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

qint64 millisecondsOf(const QString& timestamp) {
    return QDateTime::fromString(timestamp, Qt::ISODateWithMs).toMSecsSinceEpoch();
}

// Horizontal bars of value for the first kMostClasses classes, the first at the top.
QChart* classBars(const QString& title, const QString& setName,
                  const std::vector<ClassFigures>& classes, double (ClassFigures::*value)() const,
                  double top) {
    QChart* chart = newChart(title);
    auto* set = new QBarSet(setName);
    QStringList names;
    const auto shown = std::min<std::size_t>(classes.size(), ProgressCharts::kMostClasses);
    // Bars are drawn from the bottom up: the first class goes last.
    for (std::size_t i = shown; i-- > 0;) {
        *set << (classes[i].*value)();
        names << classes[i].name;
    }
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto* axisY = new QBarCategoryAxis;
    axisY->append(names);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    auto* axisX = new QValueAxis;
    axisX->setRange(0, top);
    axisX->setTickCount(6);  // top is a multiple of 5: whole steps
    axisX->setLabelFormat("%d");
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    chart->legend()->setVisible(false);
    return chart;
}

}  // namespace

QString ProgressCharts::localTime(const QString& timestamp) {
    return QDateTime::fromString(timestamp, Qt::ISODateWithMs)
        .toLocalTime()
        .toString("yyyy-MM-dd HH:mm");
}

std::vector<ClassFigures> ProgressCharts::slowestFirst(std::vector<ClassFigures> classes) {
    std::stable_sort(classes.begin(), classes.end(),
                     [](const ClassFigures& a, const ClassFigures& b) {
                         return a.meanSeconds() > b.meanSeconds();
                     });
    return classes;
}

QChart* ProgressCharts::rounds(const std::vector<RoundPoint>& rounds) {
    QChart* chart = newChart("Percent right per round");
    // One line item each: thousands of rounds draw as fast as a few.
    auto* scores = new QLineSeries;
    scores->setName("Round");
    scores->setPointsVisible(rounds.size() <= kMostMarkedRounds);
    QPen thin = scores->pen();
    thin.setWidthF(1);
    thin.setColor(QColor(120, 170, 90));
    scores->setPen(thin);
    auto* average = new QLineSeries;
    average->setName(
        QString("Moving average of %1 rounds").arg(RecordQueries::kMovingAverageRounds));
    QPen thick = average->pen();
    thick.setWidthF(2.5);
    thick.setColor(QColor(20, 90, 170));
    average->setPen(thick);
    QList<QPointF> scorePoints;
    QList<QPointF> averagePoints;
    scorePoints.reserve(static_cast<qsizetype>(rounds.size()));
    averagePoints.reserve(static_cast<qsizetype>(rounds.size()));
    for (const RoundPoint& point : rounds) {
        const auto at = static_cast<double>(millisecondsOf(point.startedAt));
        scorePoints.append({at, static_cast<double>(point.percent)});
        averagePoints.append({at, point.movingAverage});
    }
    scores->replace(scorePoints);
    average->replace(averagePoints);
    chart->addSeries(scores);
    chart->addSeries(average);  // drawn over the rounds
    auto* axisX = new QDateTimeAxis;
    axisX->setFormat("MMM d");
    axisX->setTickCount(6);
    if (!rounds.empty()) {
        const qint64 first = millisecondsOf(rounds.front().startedAt);
        const qint64 last = millisecondsOf(rounds.back().startedAt);
        // A single day still gets a span, so its points stand inside the plot.
        const qint64 pad = std::max<qint64>((last - first) / 20, 3600 * 1000);
        axisX->setRange(QDateTime::fromMSecsSinceEpoch(first - pad),
                        QDateTime::fromMSecsSinceEpoch(last + pad));
    }
    chart->addAxis(axisX, Qt::AlignBottom);
    auto* axisY = new QValueAxis;
    axisY->setRange(0, 100);
    axisY->setLabelFormat("%d %%");
    axisY->setTickCount(6);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }
    return chart;
}

QChart* ProgressCharts::classes(const std::vector<ClassFigures>& classes) {
    return classBars("Weakest classes: percent right", "Percent right", classes,
                     &ClassFigures::percentRight, 100);
}

QChart* ProgressCharts::times(const std::vector<ClassFigures>& classes) {
    const std::vector<ClassFigures> slowest = slowestFirst(classes);
    double top = 10;
    for (const ClassFigures& figures : slowest) {
        top = std::max(top, figures.meanSeconds());
    }
    return classBars("Slowest classes: mean seconds to answer", "Mean seconds", slowest,
                     &ClassFigures::meanSeconds, std::ceil(top / 5) * 5);
}

}  // namespace nimbara
