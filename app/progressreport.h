#pragma once

#include "record/recordfigures.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace nimbara {

// The progress window's view as one printed page: the trainee, game and period, the totals,
// the rounds plot, the classes and times plots, and the most frequent confusions. Everything is
// placed in fixed shares of the page, so it is always one page whatever the record holds.
class ProgressReport {
public:
    static constexpr int kConfusionLines = 10;

    ProgressReport(QString heading, QString summary, const GameProgress& progress);

    // Paints the page on device (a printer or a PDF writer); false when painting failed.
    bool print(QPagedPaintDevice& device) const;

private:
    void paint(QPainter& painter, double width, double height) const;

    QString m_heading;
    QString m_summary;
    const GameProgress& m_progress;
};

// The line a confusion is told in: "Cl 8 taken for Cl 4: 5 times".
QString confusionText(const Confusion& confusion);

}  // namespace nimbara
