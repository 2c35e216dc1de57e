#include "gamelaunch.h"

#include "resourceids.h"
#include "ticegamedlg.h"
#include "ticegamedlg2.h"

#include <algorithm>

namespace nimbara {

namespace {

template <typename Dialog>
GameDialogFactory dialogWithoutSeries() {
    return [](QWidget* parent, int templateId, std::span<std::uint16_t> block,
              const QString& applicationDirectory, const QString&) -> std::unique_ptr<QDialog> {
        return std::make_unique<Dialog>(parent, templateId, block, applicationDirectory);
    };
}

}  // namespace

const std::vector<GameLaunch>& gameLaunchTable() {
    static const std::vector<GameLaunch> table = {
        {CM_CLOUD_GAME_EASY, "TCloudGameEasyDlg", IDD_CLOUD_GAME_EASY, TransferBlock::CloudEasy, "",
         nullptr},
        {CM_CLOUD_GAME_NORMAL, "TCloudGameNormalDlg", IDD_CLOUD_GAME_NORMAL,
         TransferBlock::CloudNormal, "", nullptr},
        {CM_SEASTATE_MO, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "UK",
         nullptr},
        {CM_SEASTATE_DW, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "GE",
         nullptr},
        {CM_SEASTATE_EC_I, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "CA",
         nullptr},
        {CM_SEASTATE_EC_II, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "CAN",
         nullptr},
        {CM_SEASTATE_EC_III, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "CANA",
         nullptr},
        {CM_SEASTATE_ORVA, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "ORVA",
         nullptr},
        {CM_ICE_GAME_I, "TIceGameDlg", IDD_ICE_GAME_I, TransferBlock::IceI, "",
         dialogWithoutSeries<TIceGameDlg>()},
        {CM_ICE_GAME_II, "TIceGameDlg2", IDD_ICE_GAME_II, TransferBlock::IceII, "",
         dialogWithoutSeries<TIceGameDlg2>()},
    };
    return table;
}

const GameLaunch* findGameLaunch(int command) {
    const std::vector<GameLaunch>& table = gameLaunchTable();
    const auto found = std::find_if(table.begin(), table.end(), [command](const GameLaunch& row) {
        return row.command == command;
    });
    return found == table.end() ? nullptr : &*found;
}

}  // namespace nimbara
