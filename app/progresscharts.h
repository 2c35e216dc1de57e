#pragma once

#include "record/recordfigures.h"

#include <QString>

#include <cstddef>
#include <vector>

class QChart;

namespace nimbara {

// The plots of the progress window and its printed report, made from the record's figures.
// Each function returns a new chart that the caller owns.
class ProgressCharts {
public:
    // Plots show this many classes at most (the weakest, the slowest); the tables show all.
    static constexpr int kMostClasses = 12;
    // Rounds are marked with a point up to this many; beyond, the line alone shows them.
    static constexpr std::size_t kMostMarkedRounds = 200;

    // Each finished round's percent right over time, with the moving average.
    static QChart* rounds(const std::vector<RoundPoint>& rounds);
    // Percent right of the weakest classes, weakest at the top.
    static QChart* classes(const std::vector<ClassFigures>& classes);
    // Mean seconds to answer of the slowest classes, slowest at the top.
    static QChart* times(const std::vector<ClassFigures>& classes);

    // The classes sorted slowest first.
    static std::vector<ClassFigures> slowestFirst(std::vector<ClassFigures> classes);
    // A record timestamp as local time, "2026-12-07 15:02".
    static QString localTime(const QString& timestamp);
};

}  // namespace nimbara
