#pragma once

#include "games/core/gamedefinition.h"
#include "platform/dialogtemplate.h"

namespace nimbara {

// The dialog template of game, built from its definition: the answer buttons in their boxes and
// columns (labelled by the rules' answer groups, the first button of each group starting a group
// of radio buttons), the score box, the remark lines, then the name label, the etched line and
// the OK, Cancel and Help buttons of every game. A template that several games of the catalogue
// share (the sea-state series) has no caption of its own: each game sets its caption at setup.
DialogTemplate gameDialogTemplate(const GameDefinition& game);

}  // namespace nimbara
