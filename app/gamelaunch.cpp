#include "app/gamelaunch.h"

#include "games/tcloudgameeasydlg.h"
#include "games/tcloudgamenormaldlg.h"
#include "games/ticegamedlg.h"
#include "games/ticegamedlg2.h"
#include "games/tseastategamedlg.h"
#include "resources/resourceids.h"

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

GameDialogFactory seaStateDialog() {
    return [](QWidget* parent, int templateId, std::span<std::uint16_t> block,
              const QString& applicationDirectory,
              const QString& seriesCode) -> std::unique_ptr<QDialog> {
        return std::make_unique<TSeastateGameDlg>(parent, templateId, block, applicationDirectory,
                                                  seriesCode);
    };
}

}  // namespace

const std::vector<GameLaunch>& gameLaunchTable() {
    static const std::vector<GameLaunch> table = {
        {CM_CLOUD_GAME_EASY, "TCloudGameEasyDlg", IDD_CLOUD_GAME_EASY, TransferBlock::CloudEasy, "",
         dialogWithoutSeries<TCloudGameEasyDlg>()},
        {CM_CLOUD_GAME_NORMAL, "TCloudGameNormalDlg", IDD_CLOUD_GAME_NORMAL,
         TransferBlock::CloudNormal, "", dialogWithoutSeries<TCloudGameNormalDlg>()},
        {CM_SEASTATE_MO, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "UK",
         seaStateDialog()},
        {CM_SEASTATE_DW, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "GE",
         seaStateDialog()},
        {CM_SEASTATE_EC_I, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "CA",
         seaStateDialog()},
        {CM_SEASTATE_EC_II, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "CAN",
         seaStateDialog()},
        {CM_SEASTATE_EC_III, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "CANA",
         seaStateDialog()},
        {CM_SEASTATE_ORVA, "TSeastateGameDlg", IDD_SEASTATE_GAME, TransferBlock::SeaState, "ORVA",
         seaStateDialog()},
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
