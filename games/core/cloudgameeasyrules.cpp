#include "games/core/cloudgameeasyrules.h"

#include "games/core/cloudlevels.h"
#include "games/core/numberedphotorules.h"

#include <algorithm>
#include <array>

namespace nimbara {

namespace {

enum Part : std::size_t { Level, Type, Variant };

constexpr std::array<int, 3> kPartCounts = {kCloudLevels, CloudGameEasyRules::kTypes,
                                            CloudGameEasyRules::kVariants};
const std::array<std::string, kCloudLevels> kFilePrefixes = {"cl", "cm", "ch"};

// A remark rule: a photo of this level and type (and variant, unless "any") shows the lines.
struct RemarkRule {
    std::string level;
    std::string type;
    std::string variant;
    std::vector<std::string> lines;
};

const std::string kAnyVariant;

// Tested in this order; the first rule that matches gives the lines.
const std::vector<RemarkRule> kRemarkRules = {
    {"1", "7", kAnyVariant, {"- classify the fractus", ""}},
    {"2", "1", "3", {"- not the Stratocumulus", ""}},
    {"2", "2", "1", {"- not the fractus", ""}},
    {"2", "3", kAnyVariant, {"- the elements of the cloud change only slowly", ""}},
    {"2", "4", kAnyVariant, {"- elements are continually changing in appearance", ""}},
    {"2", "5", kAnyVariant, {"- progressively invading the sky", "- generally thicken as a whole"}},
    {"3", "1", kAnyVariant, {"- not progressively invading the sky", ""}},
    {"3",
     "3",
     "1",
     {"- remains of the upper part of Cumulonimbus", "- note: as seen from aircraft"}},
    {"3", "3", kAnyVariant, {"- remains of the upper part of Cumulonimbus", ""}},
    {"3",
     "4",
     kAnyVariant,
     {"- progressively invading the sky", "- generally become denser as a whole"}},
    {"3",
     "5",
     kAnyVariant,
     {"- progressively invading the sky", "- generally growing denser as a whole"}},
    {"3",
     "6",
     kAnyVariant,
     {"- progressively invading the sky", "- generally growing denser as a whole"}},
    {"3", "8", kAnyVariant, {"- not progressively invading the sky", ""}},
};

int partValue(const PhotoId& photo, Part part) {
    return static_cast<int>(decimalValue(photo.at(part)));
}

bool partInRange(const PhotoId& photo, Part part) {
    const int value = partValue(photo, part);
    return value >= 1 && value <= kPartCounts[part];
}

// One group of the 27 types, level by level.
std::vector<AnswerGroup> typeButtons() {
    std::vector<AnswerItem> items;
    for (int level = 0; level < kCloudLevels; ++level) {
        const std::vector<AnswerItem> codes =
            cloudCodes(level, 1, CloudGameEasyRules::kTypes, false);
        items.insert(items.end(), codes.begin(), codes.end());
    }
    return {AnswerGroup{std::move(items)}};
}

}  // namespace

CloudGameEasyRules::CloudGameEasyRules(GameTexts texts)
    : GameRules(std::move(texts), typeButtons()) {}

int CloudGameEasyRules::photoCount() const {
    return kCloudLevels * kTypes * kVariants;
}

PhotoId CloudGameEasyRules::drawCandidate(RandomSource& random) const {
    PhotoId photo(3, kUnknown);
    for (std::size_t part = Level; part <= Variant; ++part) {
        const std::int64_t r = random.next() % kPartCounts[part];
        if (r >= 0 && r < kPartCounts[part]) {
            photo[part] = std::to_string(r + 1);
        }
    }
    return photo;
}

IndexCheck CloudGameEasyRules::checkIndices(const PhotoId& photo) const {
    if (std::find(photo.begin(), photo.end(), kUnknown) != photo.end()) {
        return IndexCheck::Unknown;
    }
    const bool inRange =
        partInRange(photo, Level) && partInRange(photo, Type) && partInRange(photo, Variant);
    return inRange ? IndexCheck::Ok : IndexCheck::OutOfRange;
}

int CloudGameEasyRules::shownIndex(const PhotoId& photo) const {
    return ((partValue(photo, Level) - 1) * kTypes + partValue(photo, Type) - 1) * kVariants +
           partValue(photo, Variant) - 1;
}

std::string CloudGameEasyRules::fileName(const PhotoId& photo) const {
    const auto level = static_cast<std::size_t>(partValue(photo, Level) - 1);
    return kFilePrefixes.at(level) + photo[Type] + "_" + photo[Variant] + ".bmp";
}

std::vector<PhotoId> CloudGameEasyRules::allPhotos() const {
    std::vector<PhotoId> photos;
    for (int level = 1; level <= kCloudLevels; ++level) {
        for (int type = 1; type <= kTypes; ++type) {
            for (int variant = 1; variant <= kVariants; ++variant) {
                photos.push_back(
                    {std::to_string(level), std::to_string(type), std::to_string(variant)});
            }
        }
    }
    return photos;
}

Choice CloudGameEasyRules::rightChoice(const PhotoId& photo) const {
    return {(partValue(photo, Level) - 1) * kTypes + partValue(photo, Type) - 1};
}

bool CloudGameEasyRules::offersButton(const PhotoId& photo, int button) const {
    return button / kTypes + 1 == level(photo);
}

std::vector<std::string> CloudGameEasyRules::remarks(const PhotoId& photo) const {
    const auto rule =
        std::find_if(kRemarkRules.begin(), kRemarkRules.end(), [&](const RemarkRule& r) {
            return r.level == photo[Level] && r.type == photo[Type] &&
                   (r.variant == kAnyVariant || r.variant == photo[Variant]);
        });
    return rule == kRemarkRules.end() ? std::vector<std::string>(2) : rule->lines;
}

int CloudGameEasyRules::level(const PhotoId& photo) {
    return partInRange(photo, Level) ? partValue(photo, Level) : 0;
}

}  // namespace nimbara
