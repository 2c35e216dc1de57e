#include "games/tseastategamedlg.h"

#include "games/core/seastateseries.h"

namespace nimbara {

TSeastateGameDlg::TSeastateGameDlg(QWidget* parent, int templateId,
                                   std::span<std::uint16_t> transferBlock,
                                   QString applicationDirectory, QString seriesCode,
                                   std::unique_ptr<RandomSource> random)
    : TGameDlg(parent, templateId, transferBlock, std::move(applicationDirectory),
               std::make_unique<SingleGroupRules>(seaStateRules(seriesCode.toStdString())),
               std::move(random)),
      m_seriesCode(std::move(seriesCode)) {}

void TSeastateGameDlg::SetupCaption() {
    if (const SeaStateSeries* series = findSeaStateSeries(m_seriesCode.toStdString())) {
        SetCaption(QString::fromStdString(series->caption));
    }
}

}  // namespace nimbara
