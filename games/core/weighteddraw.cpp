#include "games/core/weighteddraw.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

// The generator's values run from 0 to 2^31 - 1.
constexpr double kRandomRange = 2147483648.0;

bool valid(double weight) {
    return std::isfinite(weight) && weight > 0;
}

}  // namespace

WeightedDraw::WeightedDraw(const GameRules& rules, const ClassWeights& weights)
    : m_photos(rules.allPhotos()) {
    double lightest = 0;
    double heaviest = 0;
    for (const auto& [name, weight] : weights) {
        if (valid(weight)) {
            lightest = lightest == 0 ? weight : std::min(lightest, weight);
            heaviest = std::max(heaviest, weight);
        }
    }
    if (heaviest == 0) {
        lightest = heaviest = 1;
    }
    const std::vector<AnswerGroup>& groups = rules.answerGroups();
    double total = 0;
    for (const PhotoId& photo : m_photos) {
        const Choice right = rules.rightChoice(photo);
        double weight = 0;
        for (std::size_t group = 0; group < right.size(); ++group) {
            const std::string& name =
                groups.at(group).items.at(static_cast<std::size_t>(right[group])).name;
            const auto found = weights.find(name);
            const double classWeight = found == weights.end() ? heaviest
                                       : valid(found->second) ? found->second
                                                              : lightest;
            weight = std::max(weight, classWeight);
        }
        m_weights.push_back(weight);
        total += weight;
        m_cumulative.push_back(total);
    }
}

PhotoId WeightedDraw::candidate(const GameRules&, RandomSource& random) const {
    const double point =
        static_cast<double>(random.next() % static_cast<std::int64_t>(kRandomRange)) /
        kRandomRange * m_cumulative.back();
    const auto found = std::upper_bound(m_cumulative.begin(), m_cumulative.end(), point);
    const auto index =
        std::min(static_cast<std::size_t>(found - m_cumulative.begin()), m_photos.size() - 1);
    return m_photos[index];
}

}  // namespace nimbara
