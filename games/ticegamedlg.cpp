#include "games/ticegamedlg.h"

#include "games/core/icegame1.h"

namespace nimbara {

TIceGameDlg::TIceGameDlg(QWidget* parent, int templateId, std::span<std::uint16_t> transferBlock,
                         QString applicationDirectory, std::unique_ptr<RandomSource> random)
    : TGameDlg(parent, templateId, transferBlock, std::move(applicationDirectory),
               std::make_unique<SingleGroupRules>(iceGame1Rules()), std::move(random)) {}

}  // namespace nimbara
