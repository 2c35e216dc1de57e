#pragma once

#include "games/core/photodraw.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace nimbara {

// A draw that prefers the photos of some classes: each photo of the game is proposed with a
// probability in proportion to its weight. A photo weighs what the heaviest of its classes
// weighs, its classes being the names of its right answer's items, one per answer group, as the
// game names them ("Cl 8", "brash ice", "Bf 7"): a sky is as worth practising as its weakest
// code. Every photo keeps a weight above zero, so every class can still come up; the round asks
// again while a proposed photo was shown, which makes the round a weighted draw without
// repetition.
class WeightedDraw final : public PhotoDraw {
public:
    using ClassWeights = std::map<std::string, double, std::less<>>;

    // A class that weights does not name weighs as much as the heaviest one it names (a class
    // never answered is a weak one); a weight that is not a finite number above zero counts as
    // the lightest valid one. Without any valid weight every photo weighs the same.
    WeightedDraw(const GameRules& rules, const ClassWeights& weights);

    // rules must be the rules the draw was made for.
    PhotoId candidate(const GameRules& rules, RandomSource& random) const override;

    // The weight of each photo, in the order of GameRules::allPhotos.
    const std::vector<double>& photoWeights() const { return m_weights; }

private:
    std::vector<PhotoId> m_photos;
    std::vector<double> m_weights;
    std::vector<double> m_cumulative;  // running sums of m_weights
};

}  // namespace nimbara
