#pragma once

#include "games/core/cloudlevels.h"
#include "games/core/numberedphotorules.h"

namespace nimbara {

// The rules of the normal cloud game: each of 95 whole skies is answered with three codes at
// once, one from each of the groups Cl, Cm and Ch ("0" to "9" and "x"). Only all three right is
// right: the three codes of the sky's key text, which also names the right answer.
class CloudGameNormalRules final : public NumberedPhotoRules {
public:
    explicit CloudGameNormalRules(GameTexts texts);

    Choice rightChoice(const PhotoId& photo) const override;

    // The key text of photo number k, e.g. "Cl 2 - Cm 6 - Ch 0".
    static const std::string& key(std::size_t photo);
    // The three code indices of a key text ("x" is 10).
    static std::array<int, kCloudLevels> codes(const std::string& key);
};

}  // namespace nimbara
