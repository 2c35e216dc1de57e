#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// The dialog of the easy cloud game (import id "clouds-easy").
class TCloudGameEasyDlg final : public TGameDlg {
    Q_OBJECT
    using TGameDlg::TGameDlg;
};

}  // namespace nimbara
