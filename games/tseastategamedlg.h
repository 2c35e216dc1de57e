#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// The sea-state game: thirteen Beaufort forces, in one of six photo series chosen by a series
// code ("UK", "GE", "CA", "CAN", "CANA", "ORVA"); the series gives the number of photos, their
// file names and the caption. The remark line shows the Beaufort description of the force on
// show.
class TSeastateGameDlg final : public TGameDlg {
    Q_OBJECT

public:
    TSeastateGameDlg(QWidget* parent, int templateId, std::span<std::uint16_t> transferBlock,
                     QString applicationDirectory, QString seriesCode,
                     std::unique_ptr<RandomSource> random = nullptr);

    const QString& seriesCode() const { return m_seriesCode; }

protected:
    // The caption names the series; a code outside the table keeps the template's empty one.
    void SetupCaption() override;

private:
    QString m_seriesCode;
};

}  // namespace nimbara
