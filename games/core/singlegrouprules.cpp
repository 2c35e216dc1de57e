#include "games/core/singlegrouprules.h"

#include <algorithm>

namespace nimbara {

std::optional<Choice> SingleGroupRules::chooseAnswer(std::span<const std::uint16_t> block) const {
    return chooseOneButton(block, answerButtonCount());
}

bool SingleGroupRules::isRight(const Choice& choice, const std::vector<bool>& answerFlags) const {
    return chosenFlagSet(choice, answerFlags);
}

std::string SingleGroupRules::answerName(const std::vector<bool>& answerFlags) const {
    const std::size_t index = firstSetFlag(answerFlags);
    return index < m_answerNames.size() ? m_answerNames[index] : std::string();
}

}  // namespace nimbara
