#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// Ice classification game I: 18 kinds of ice (bergs, forms and stages of development).
class TIceGameDlg final : public TGameDlg {
    Q_OBJECT

public:
    TIceGameDlg(QWidget* parent, int templateId, std::span<std::uint16_t> transferBlock,
                QString applicationDirectory, std::unique_ptr<RandomSource> random = nullptr);
};

}  // namespace nimbara
