#include "games/core/gamerules.h"

#include <algorithm>

namespace nimbara {

std::string GameRules::wrongAnswerText(const std::vector<bool>& answerFlags) const {
    return texts().wrongAnswerLead + answerName(answerFlags);
}

std::string GameRules::answerNameOf(const PhotoId& photo) const {
    std::vector<bool> flags(static_cast<std::size_t>(answerFlagCount()), false);
    markAnswer(photo, flags);
    return answerName(flags);
}

std::optional<int> firstCheckedButton(std::span<const std::uint16_t> block) {
    const auto checked = std::find(block.begin(), block.end(), 1);
    if (checked == block.end()) {
        return std::nullopt;
    }
    return static_cast<int>(checked - block.begin());
}

std::optional<Choice> chooseOneButton(std::span<const std::uint16_t> block, int buttonCount) {
    const std::optional<int> button = firstCheckedButton(
        block.first(std::min(block.size(), static_cast<std::size_t>(buttonCount))));
    if (!button) {
        return std::nullopt;
    }
    return Choice{*button};
}

bool chosenFlagSet(const Choice& choice, const std::vector<bool>& answerFlags) {
    const auto chosen = static_cast<std::size_t>(choice.front());
    return chosen < answerFlags.size() && answerFlags[chosen];
}

std::size_t firstSetFlag(const std::vector<bool>& flags) {
    return static_cast<std::size_t>(std::find(flags.begin(), flags.end(), true) - flags.begin());
}

}  // namespace nimbara
