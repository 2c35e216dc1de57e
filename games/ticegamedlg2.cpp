#include "games/ticegamedlg2.h"

#include "games/core/icegame2.h"

namespace nimbara {

TIceGameDlg2::TIceGameDlg2(QWidget* parent, int templateId, std::span<std::uint16_t> transferBlock,
                           QString applicationDirectory, std::unique_ptr<RandomSource> random)
    : TGameDlg(parent, templateId, transferBlock, std::move(applicationDirectory),
               std::make_unique<SingleGroupRules>(iceGame2Rules()), std::move(random)) {}

}  // namespace nimbara
