#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// The dialog of the sea-state game, one for all six series (import ids "seastate-UK" ...).
class TSeastateGameDlg final : public TGameDlg {
    Q_OBJECT
    using TGameDlg::TGameDlg;
};

}  // namespace nimbara
