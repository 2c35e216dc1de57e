#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QDialog;
class QWidget;

namespace nimbara {

// The main window's transfer blocks, one per game (the six sea-state series share one).
enum class TransferBlock { CloudEasy, CloudNormal, SeaState, IceI, IceII };

// Creates a game dialog from the launcher's arguments: parent, template id, transfer block,
// application directory and (sea-state games) series code.
using GameDialogFactory = std::function<std::unique_ptr<QDialog>(
    QWidget* parent, int templateId, std::span<std::uint16_t> block,
    const QString& applicationDirectory, const QString& seriesCode)>;

// One row of the game launch table: a Games command and the dialog it runs.
struct GameLaunch {
    int command;
    const char* dialogClass;
    int templateId;
    TransferBlock block;
    const char* seriesCode;    // empty for the games without series
    GameDialogFactory create;  // null while the game's dialog does not exist
};

// The ten rows of the Games menu, in the order of the main window's response table.
const std::vector<GameLaunch>& gameLaunchTable();

// The row of command; null when command is not a Games command.
const GameLaunch* findGameLaunch(int command);

}  // namespace nimbara
