#pragma once

#include <QString>
#include <QStringList>

namespace nimbara {

// What the record needs to know of the games to count per class: the application fills it from
// the games' own definitions, so the record names no game.
class RecordGames {
public:
    virtual ~RecordGames() = default;

    // The classes an answer of game is made of, one per answer group, each as the game names
    // it: "Cl 2 - Cm 6 - Ch 0" -> "Cl 2", "Cm 6", "Ch 0"; "brash ice" -> "brash ice". An answer
    // the game cannot split is one class.
    virtual QStringList answerParts(const QString& game, const QString& answer) const = 0;
    // Every class a photo of game can show, in the game's order; empty for an unknown game.
    virtual QStringList classes(const QString& game) const = 0;
};

}  // namespace nimbara
