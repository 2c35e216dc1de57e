#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// The dialog of the normal cloud game (import id "clouds-normal").
class TCloudGameNormalDlg final : public TGameDlg {
    Q_OBJECT
    using TGameDlg::TGameDlg;
};

}  // namespace nimbara
