#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// The dialog of ice classification game II (import id "ice2").
class TIceGameDlg2 final : public TGameDlg {
    Q_OBJECT
    using TGameDlg::TGameDlg;
};

}  // namespace nimbara
