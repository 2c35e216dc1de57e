#include "games/core/cloudeasyrules.h"

#include "games/core/numberedphotorules.h"

#include <algorithm>
#include <array>

namespace nimbara {

namespace {

enum Part : std::size_t { Level, Type, Variant };

constexpr std::array<int, 3> kPartCounts = {CloudEasyRules::kLevels, CloudEasyRules::kTypes,
                                            CloudEasyRules::kVariants};
const std::array<std::string, CloudEasyRules::kLevels> kLevelNames = {"Cl", "Cm", "Ch"};
const std::array<std::string, CloudEasyRules::kLevels> kFilePrefixes = {"cl", "cm", "ch"};

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

// The answer flag, and so the button, of a level and type.
std::size_t answerIndex(int level, int type) {
    return static_cast<std::size_t>((level - 1) * CloudEasyRules::kTypes + (type - 1));
}

}  // namespace

CloudEasyRules::CloudEasyRules()
    : m_texts{
          "Cloud classification game (easy)",
          "Please select radio button",
          "internal error (cloud classification game [easy]; indices(1))",
          "Nimbara error",
          "internal error (cloud classification game [easy]; indices(2))",
          "Nimbara error",
          "photo not existing (file: ",
          "\\games\\clouds\\",
          "error; ",
      } {}

PhotoId CloudEasyRules::drawCandidate(RandomSource& random) const {
    PhotoId photo(3, kUnknown);
    for (std::size_t part = Level; part <= Variant; ++part) {
        const std::int64_t r = random.next() % kPartCounts[part];
        if (r >= 0 && r < kPartCounts[part]) {
            photo[part] = std::to_string(r + 1);
        }
    }
    return photo;
}

IndexCheck CloudEasyRules::checkIndices(const PhotoId& photo) const {
    if (std::find(photo.begin(), photo.end(), kUnknown) != photo.end()) {
        return IndexCheck::Unknown;
    }
    const bool inRange =
        partInRange(photo, Level) && partInRange(photo, Type) && partInRange(photo, Variant);
    return inRange ? IndexCheck::Ok : IndexCheck::OutOfRange;
}

int CloudEasyRules::shownIndex(const PhotoId& photo) const {
    return ((partValue(photo, Level) - 1) * kTypes + partValue(photo, Type) - 1) * kVariants +
           partValue(photo, Variant) - 1;
}

std::string CloudEasyRules::fileName(const PhotoId& photo) const {
    const auto level = static_cast<std::size_t>(partValue(photo, Level) - 1);
    return kFilePrefixes.at(level) + photo[Type] + "_" + photo[Variant] + ".bmp";
}

std::vector<PhotoId> CloudEasyRules::allPhotos() const {
    std::vector<PhotoId> photos;
    for (int level = 1; level <= kLevels; ++level) {
        for (int type = 1; type <= kTypes; ++type) {
            for (int variant = 1; variant <= kVariants; ++variant) {
                photos.push_back(
                    {std::to_string(level), std::to_string(type), std::to_string(variant)});
            }
        }
    }
    return photos;
}

void CloudEasyRules::markAnswer(const PhotoId& photo, std::vector<bool>& answerFlags) const {
    answerFlags.at(answerIndex(partValue(photo, Level), partValue(photo, Type))) = true;
}

std::optional<Choice> CloudEasyRules::chooseAnswer(std::span<const std::uint16_t> block) const {
    return chooseOneButton(block, answerButtonCount());
}

bool CloudEasyRules::isRight(const Choice& choice, const std::vector<bool>& answerFlags) const {
    return chosenFlagSet(choice, answerFlags);
}

std::string CloudEasyRules::answerName(const std::vector<bool>& answerFlags) const {
    const std::size_t set = firstSetFlag(answerFlags);
    if (set >= answerFlags.size()) {
        return {};
    }
    return kLevelNames.at(set / kTypes) + " " + std::to_string(set % kTypes + 1);
}

std::vector<std::string> CloudEasyRules::remarks(const PhotoId& photo) const {
    const auto rule =
        std::find_if(kRemarkRules.begin(), kRemarkRules.end(), [&](const RemarkRule& r) {
            return r.level == photo[Level] && r.type == photo[Type] &&
                   (r.variant == kAnyVariant || r.variant == photo[Variant]);
        });
    return rule == kRemarkRules.end() ? std::vector<std::string>(2) : rule->lines;
}

int CloudEasyRules::level(const PhotoId& photo) {
    return partInRange(photo, Level) ? partValue(photo, Level) : 0;
}

}  // namespace nimbara
