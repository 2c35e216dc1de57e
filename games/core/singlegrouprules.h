#pragma once

#include "games/core/numberedphotorules.h"

namespace nimbara {

// Rules of the games with one group of answer buttons and an identity answer key: photo k is
// answered by button k, and a wrong answer names the class of the photo on show.
class SingleGroupRules final : public NumberedPhotoRules {
public:
    // answerNames: one per answer button, as the wrong-answer message names the class.
    SingleGroupRules(GameTexts texts, NumberedPhotoSet photos, std::vector<std::string> answerNames)
        : NumberedPhotoRules(std::move(texts), std::move(photos)),
          m_answerNames(std::move(answerNames)) {}

    int answerFlagCount() const override { return static_cast<int>(m_answerNames.size()); }
    int answerButtonCount() const override { return static_cast<int>(m_answerNames.size()); }
    std::optional<Choice> chooseAnswer(std::span<const std::uint16_t> block) const override;
    bool isRight(const Choice& choice, const std::vector<bool>& answerFlags) const override;
    std::string answerName(const std::vector<bool>& answerFlags) const override;

private:
    std::vector<std::string> m_answerNames;
};

}  // namespace nimbara
