#pragma once

#include "games/core/numberedphotorules.h"

namespace nimbara {

// Rules of the games with one group of answer buttons and an identity answer key: photo k is
// answered by button k.
class SingleGroupRules final : public NumberedPhotoRules {
public:
    // items: one per answer button, in button order.
    SingleGroupRules(GameTexts texts, NumberedPhotoSet photos, std::vector<AnswerItem> items)
        : NumberedPhotoRules(std::move(texts), {AnswerGroup{std::move(items)}}, std::move(photos)) {
    }

    Choice rightChoice(const PhotoId& photo) const override { return {number(photo)}; }
};

}  // namespace nimbara
