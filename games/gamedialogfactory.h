#pragma once

#include "games/tgamedlg.h"

namespace nimbara {

// A new dialog of the class that game names (TIceGameDlg, ..., TSeastateGameDlg; a plain TGameDlg
// for any other name), on game, with the launcher's arguments. The arguments are TGameDlg's.
std::unique_ptr<TGameDlg> createGameDialog(const GameDefinition& game, QWidget* parent,
                                           std::span<std::uint16_t> transferBlock,
                                           const QString& applicationDirectory,
                                           std::unique_ptr<RandomSource> random = nullptr,
                                           std::shared_ptr<const PhotoDraw> draw = nullptr,
                                           RoundReporting reporting = {});

}  // namespace nimbara
