#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// The dialog of ice classification game I (import id "ice1").
class TIceGameDlg final : public TGameDlg {
    Q_OBJECT
    using TGameDlg::TGameDlg;
};

}  // namespace nimbara
