#pragma once

#include <QString>

#include <vector>

namespace nimbara {

class TDecoratedFrame;

// One Info command and the help file it opens, relative to the application directory.
struct HelpFileCommand {
    int command;
    const char* file;
};

// The 32 help commands of the Info menu: the three cloud levels (general and types 1 to 9),
// ice and sea state.
const std::vector<HelpFileCommand>& helpFileCommands();

// The help file of command; null when command is not an Info help command.
const char* helpFileFor(int command);

// Builds the cloud popups "Clouds &low", "Clouds &middle" and "Clouds &high" and inserts them at
// the top of the frame's Info popup.
void insertCloudPopups(TDecoratedFrame& frame);

}  // namespace nimbara
