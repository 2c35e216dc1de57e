#include "games/core/photodraw.h"

namespace nimbara {

namespace {

class GamesOwnDraw final : public PhotoDraw {
public:
    PhotoId candidate(const GameRules& rules, RandomSource& random) const override {
        return rules.drawCandidate(random);
    }
};

}  // namespace

const PhotoDraw& PhotoDraw::gamesOwn() {
    static const GamesOwnDraw draw;
    return draw;
}

}  // namespace nimbara
