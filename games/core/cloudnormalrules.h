#pragma once

#include "games/core/numberedphotorules.h"

#include <array>

namespace nimbara {

// The normal cloud game: each of 95 whole skies is answered with three codes at once, one from
// each of the columns Cl, Cm and Ch ("0" to "9" and "x"). Only all three right is right. The
// answer flags mark the photo on show, whose key holds the three codes.
class CloudNormalRules final : public NumberedPhotoRules {
public:
    // Buttons per column: "0" to "9", then "x".
    static constexpr int kCodesPerColumn = 11;
    static constexpr int kColumns = 3;

    CloudNormalRules();

    int answerFlagCount() const override { return photoCount(); }
    int answerButtonCount() const override { return kColumns * kCodesPerColumn; }
    // The chosen code index (0 to 10, "x" is 10) of each column, in the order Cl, Cm, Ch.
    std::optional<Choice> chooseAnswer(std::span<const std::uint16_t> block) const override;
    bool isRight(const Choice& choice, const std::vector<bool>& answerFlags) const override;
    // The key text of the photo on show, e.g. "Cl 2 - Cm 6 - Ch 0".
    std::string answerName(const std::vector<bool>& answerFlags) const override;

    // The key text of photo number k.
    static const std::string& key(std::size_t photo);
    // The three code indices of a key text ("x" is 10).
    static std::array<int, kColumns> codes(const std::string& key);
};

}  // namespace nimbara
