#include "games/gamedialogfactory.h"

#include "games/tcloudgameeasydlg.h"
#include "games/tcloudgamenormaldlg.h"
#include "games/ticegamedlg.h"
#include "games/ticegamedlg2.h"
#include "games/tseastategamedlg.h"

#include <map>

namespace nimbara {

namespace {

using Factory = std::unique_ptr<TGameDlg> (*)(const GameDefinition&, QWidget*,
                                              std::span<std::uint16_t>, const QString&,
                                              std::unique_ptr<RandomSource>,
                                              std::shared_ptr<const PhotoDraw>, RoundReporting);

template <typename Dialog>
std::unique_ptr<TGameDlg> make(const GameDefinition& game, QWidget* parent,
                               std::span<std::uint16_t> block, const QString& directory,
                               std::unique_ptr<RandomSource> random,
                               std::shared_ptr<const PhotoDraw> draw, RoundReporting reporting) {
    return std::make_unique<Dialog>(parent, game, block, directory, std::move(random),
                                    std::move(draw), reporting);
}

// The dialog classes by the names the game definitions give them.
const std::map<std::string, Factory>& dialogClasses() {
    static const std::map<std::string, Factory> classes = {
        {"TIceGameDlg", make<TIceGameDlg>},
        {"TIceGameDlg2", make<TIceGameDlg2>},
        {"TCloudGameNormalDlg", make<TCloudGameNormalDlg>},
        {"TCloudGameEasyDlg", make<TCloudGameEasyDlg>},
        {"TSeastateGameDlg", make<TSeastateGameDlg>},
    };
    return classes;
}

}  // namespace

std::unique_ptr<TGameDlg> createGameDialog(const GameDefinition& game, QWidget* parent,
                                           std::span<std::uint16_t> transferBlock,
                                           const QString& applicationDirectory,
                                           std::unique_ptr<RandomSource> random,
                                           std::shared_ptr<const PhotoDraw> draw,
                                           RoundReporting reporting) {
    const auto found = dialogClasses().find(game.dialogClass);
    const Factory factory = found == dialogClasses().end() ? make<TGameDlg> : found->second;
    return factory(game, parent, transferBlock, applicationDirectory, std::move(random),
                   std::move(draw), reporting);
}

}  // namespace nimbara
