#pragma once

#include "games/core/gamelayout.h"
#include "games/core/gamerules.h"

#include <memory>
#include <string>
#include <vector>

namespace nimbara {

// Where a game stands in the Games menu: the sections follow each other parted by separators, the
// games of a section by position.
struct MenuPlace {
    int section = 0;
    int position = 0;
};

// Everything that makes one game of the program, in one place: what names it, how it is started
// from the Games menu, its dialog (template id, caption, layout, dialog class), its photos and
// its rules. The menu, the string table, the dialog templates, the launcher, the main window's
// transfer blocks, the photo import and the tests all read the definitions (gamecatalogue.h);
// resource ids and texts are plain values here, as the resources give them.
struct GameDefinition {
    std::string importId;     // names the game in manifests: "ice1", "seastate-UK"
    std::string dialogClass;  // the dialog that plays it: "TIceGameDlg"; any other runs TGameDlg
    std::string caption;      // the dialog's caption
    int commandId = 0;        // the Games menu command that starts it
    std::string menuText;     // the Games menu entry, "&" before the mnemonic
    MenuPlace menuPlace;
    std::string hint;  // the entry's status-bar hint: its string-table text
    int templateId = 0;
    GameLayout layout;
    std::string photoFolder;  // below the application directory, as the game forms its paths:
                              // "\games\ice\"
    std::shared_ptr<const GameRules> rules;

    // The photo folder as the build and the tools name it: "games/ice".
    std::string photoFolderPath() const;
    // Every photo file that the game draws, in the order of its photos.
    std::vector<std::string> photoFileNames() const;
};

}  // namespace nimbara
