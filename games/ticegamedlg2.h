#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// Ice classification game II: 18 further kinds of ice and ice features.
class TIceGameDlg2 final : public TGameDlg {
    Q_OBJECT

public:
    TIceGameDlg2(QWidget* parent, int templateId, std::span<std::uint16_t> transferBlock,
                 QString applicationDirectory, std::unique_ptr<RandomSource> random = nullptr);
};

}  // namespace nimbara
