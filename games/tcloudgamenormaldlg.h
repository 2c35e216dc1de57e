#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// Cloud classification game (normal): each whole sky is coded with Cl, Cm and Ch at once, one
// code from each of the three columns; only all three right counts.
class TCloudGameNormalDlg final : public TGameDlg {
    Q_OBJECT

public:
    TCloudGameNormalDlg(QWidget* parent, int templateId, std::span<std::uint16_t> transferBlock,
                        QString applicationDirectory,
                        std::unique_ptr<RandomSource> random = nullptr);
};

}  // namespace nimbara
