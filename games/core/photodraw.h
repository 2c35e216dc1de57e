#pragma once

#include "games/core/gamerules.h"

namespace nimbara {

// Chooses the candidate for the next photo of a round. The round reseeds the generator before a
// draw, checks each candidate's indices and asks again while the candidate was already shown in
// the round; a draw only proposes. Replacing it changes which photos a round favours without
// touching any game.
class PhotoDraw {
public:
    virtual ~PhotoDraw() = default;
    virtual PhotoId candidate(const GameRules& rules, RandomSource& random) const = 0;

    // The draw each game makes of its own: values of the generator, as the game's photo numbers
    // ask (GameRules::drawCandidate). Lives for the whole run.
    static const PhotoDraw& gamesOwn();
};

}  // namespace nimbara
