#pragma once

#include "platform/tapplication.h"
#include "record/recordenvironment.h"

#include <memory>

namespace nimbara {

class TDecoratedFrame;

// Builds Nimbara's main frame: the main window as client, the title "Nimbara", icon 13, a status
// bar with menu hints and lock-key panes at the bottom, an empty control bar at the top and the
// menu "COMMANDS". recordPath is the learning record's file: the user's own unless given.
std::unique_ptr<TDecoratedFrame> createMainFrame(QString recordPath = defaultRecordPath());

// The application object of Nimbara.
class TMyApp final : public TApplication {
    Q_OBJECT

public:
    TMyApp(int& argc, char** argv);

protected:
    void InitMainWindow() override;
};

}  // namespace nimbara
