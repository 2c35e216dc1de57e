#include "games/core/cloudgamenormalrules.h"

#include "games/core/cloudlevels.h"

#include <algorithm>

namespace nimbara {

namespace {

// The answer key: photo k shows the sky coded by kKeys[k].
const std::vector<std::string> kKeys = {
    "Cl 2 - Cm 6 - Ch 0",  // 0
    "Cl 3 - Cm 4 - Ch 0",  // 1
    "Cl 4 - Cm 0 - Ch 4",  // 2
    "Cl 5 - Cm x - Ch x",  // 3
    "Cl 6 - Cm 0 - Ch 1",  // 4
    "Cl 7 - Cm 2 - Ch x",  // 5
    "Cl 9 - Cm 4 - Ch 0",  // 6
    "Cl 3 - Cm 6 - Ch 0",  // 7
    "Cl 9 - Cm 6 - Ch 0",  // 8
    "Cl 7 - Cm 1 - Ch x",  // 9
    "Cl 0 - Cm 4 - Ch 0",  // 10
    "Cl 0 - Cm 4 - Ch 0",  // 11
    "Cl 2 - Cm 6 - Ch 0",  // 12
    "Cl 0 - Cm 7 - Ch 0",  // 13
    "Cl 0 - Cm 7 - Ch 0",  // 14
    "Cl 2 - Cm 0 - Ch 3",  // 15
    "Cl 2 - Cm 0 - Ch 3",  // 16
    "Cl 4 - Cm 0 - Ch 4",  // 17
    "Cl 7 - Cm 0 - Ch 4",  // 18
    "Cl 0 - Cm 7 - Ch 5",  // 19
    "Cl 0 - Cm 3 - Ch 6",  // 20
    "Cl 0 - Cm 0 - Ch 9",  // 21
    "Cl 1 - Cm 0 - Ch 0",  // 22
    "Cl 1 - Cm 0 - Ch 0",  // 23
    "Cl 2 - Cm 0 - Ch 0",  // 24
    "Cl 3 - Cm 6 - Ch 0",  // 25
    "Cl 4 - Cm 4 - Ch 0",  // 26
    "Cl 5 - Cm 0 - Ch 0",  // 27
    "Cl 9 - Cm 6 - Ch 0",  // 28
    "Cl 9 - Cm x - Ch x",  // 29
    "Cl 9 - Cm x - Ch x",  // 30
    "Cl 9 - Cm x - Ch x",  // 31
    "Cl 7 - Cm 1 - Ch x",  // 32
    "Cl 0 - Cm 5 - Ch 0",  // 33
    "Cl 4 - Cm 6 - Ch 0",  // 34
    "Cl 0 - Cm 7 - Ch x",  // 35
    "Cl 0 - Cm 9 - Ch 0",  // 36
    "Cl 0 - Cm 0 - Ch 2",  // 37
    "Cl 0 - Cm 0 - Ch 3",  // 38
    "Cl 0 - Cm 0 - Ch 4",  // 39
    "Cl 0 - Cm 8 - Ch 8",  // 40
    "Cl 0 - Cm 0 - Ch 5",  // 41
    "Cl 5 - Cm 7 - Ch x",  // 42
    "Cl 8 - Cm 4 - Ch 0",  // 43
    "Cl 8 - Cm 0 - Ch 7",  // 44
    "Cl 1 - Cm 0 - Ch 1",  // 45
    "Cl 2 - Cm 0 - Ch 0",  // 46
    "Cl 2 - Cm 7 - Ch 0",  // 47
    "Cl 2 - Cm 0 - Ch 0",  // 48
    "Cl 2 - Cm 4 - Ch 0",  // 49
    "Cl 3 - Cm 3 - Ch 0",  // 50
    "Cl 3 - Cm 0 - Ch 3",  // 51
    "Cl 4 - Cm 0 - Ch 0",  // 52
    "Cl 5 - Cm 0 - Ch 0",  // 53
    "Cl 6 - Cm x - Ch x",  // 54
    "Cl 7 - Cm x - Ch x",  // 55
    "Cl 8 - Cm 0 - Ch 0",  // 56
    "Cl 8 - Cm x - Ch x",  // 57
    "Cl 9 - Cm 6 - Ch 0",  // 58
    "Cl 9 - Cm 0 - Ch 3",  // 59
    "Cl 9 - Cm 7 - Ch 3",  // 60
    "Cl 9 - Cm x - Ch x",  // 61
    "Cl 9 - Cm 4 - Ch 3",  // 62
    "Cl 0 - Cm 1 - Ch x",  // 63
    "Cl 0 - Cm 1 - Ch x",  // 64
    "Cl 0 - Cm 2 - Ch x",  // 65
    "Cl 0 - Cm 3 - Ch 0",  // 66
    "Cl 2 - Cm 4 - Ch 1",  // 67
    "Cl 0 - Cm 4 - Ch 0",  // 68
    "Cl 5 - Cm 4 - Ch 5",  // 69
    "Cl 5 - Cm 4 - Ch 1",  // 70
    "Cl 2 - Cm 8 - Ch 1",  // 71
    "Cl 0 - Cm 8 - Ch 0",  // 72
    "Cl 0 - Cm 8 - Ch 0",  // 73
    "Cl 3 - Cm 9 - Ch 2",  // 74
    "Cl 0 - Cm 0 - Ch 1",  // 75
    "Cl 5 - Cm 0 - Ch 1",  // 76
    "Cl 2 - Cm 0 - Ch 2",  // 77
    "Cl 0 - Cm 0 - Ch 2",  // 78
    "Cl 2 - Cm 0 - Ch 3",  // 79
    "Cl 2 - Cm 0 - Ch 3",  // 80
    "Cl 9 - Cm 0 - Ch 3",  // 81
    "Cl 2 - Cm 0 - Ch 0",  // 82
    "Cl 0 - Cm 0 - Ch 4",  // 83
    "Cl 0 - Cm 0 - Ch 4",  // 84
    "Cl 0 - Cm 0 - Ch 4",  // 85
    "Cl 0 - Cm 0 - Ch 5",  // 86
    "Cl 0 - Cm 0 - Ch 6",  // 87
    "Cl 0 - Cm 0 - Ch 7",  // 88
    "Cl 1 - Cm 0 - Ch 7",  // 89
    "Cl 0 - Cm 0 - Ch 7",  // 90
    "Cl 0 - Cm 0 - Ch 9",  // 91
    "Cl 5 - Cm 4 - Ch 0",  // 92
    "Cl 2 - Cm 4 - Ch 0",  // 93
    "Cl 1 - Cm 4 - Ch 0",  // 94
};

NumberedPhotoSet cloudNormalPhotos() {
    return {
        95,
        94,
        "cloud",
        3,
        {
            {"2",
             {"- the Stratocumulus was formed by the spreading out of Cumulus",
              "- the Cirrus was invading the sky progressively"}},
            {"3", {"- the Stratocumulus was not resulting from the spreading out of Cumulus"}},
            {"4", {"- the Cirrus was not progressively invading the sky"}},
            {"5", {"- disturbances had caused thundery showers during preceding night/morning"}},
            {"7", {"- the Altocumulus was formed from the spreading out of Cumulus"}},
            {"8", {"- the Altocumulus was formed from the spreading out of Cumulus"}},
            {"9", {"- early morning"}},
            {"11", {"- the appearance of the sky was continuously changing"}},
            {"15", {"- dense Cirrus (centre photo) is the remains of a dissolving Cumulonimbus"}},
            {"16", {"- dense mass of Cirrus originates from a Cumulonimbus anvil"}},
            {"17",
             {"- the Cirrus clouds were invading the sky progressively",
              "- elongated patches of Stratocumulus formed by the spreading out of Cumulus"}},
            {"18",
             {"- the cloud system was progress. invading the sky and thickening as a whole",
              "- surface wind 26 knots and pressure was falling rapidly"}},
            {"19", {"- cloudiness increasing"}},
            {"20", {"- the Cirrus and Cirrostratus were invading the sky"}},
            {"25",
             {"- the fairly thin patches of Altocumulus are probably due to the spreading",
              "  out of the upper parts of the convective clouds"}},
            {"28", {"- the Altocumulus have evolved from the Cumulus cloud"}},
            {"31", {"- thunder was heard when the photo was taken"}},
            {"33", {"- the clouds were progressively invading the sky"}},
            {"34", {"- the clouds are the remains of a convective cloud system"}},
            {"39", {"- this cloud system was invading the sky"}},
            {"40", {"- the Cirrostratus is decreasing"}},
            {"41",
             {"- the cloud system was invading the sky",
              "- continous veil does not reach 45 degrees above the horizon"}},
            {"42", {"- the Stratocumulus was not resulting from the spreading out of Cumulus"}},
            {"44",
             {"- the Stratocumulus were formed in the brisk westerly current (12 - 15 m/s)",
              "  blowing over the mountain ridges"}},
            {"45", {"- the Cirrus was not progressively invading the sky"}},
            {"47", {"- the Altocumulus was not increasing"}},
            {"53", {"- the Stratocumulus was not resulting from the spreading out of Cumulus"}},
            {"56", {"- the Stratocumulus was not formed by the spreading out of the Cumulus"}},
            {"57", {"- the Stratocumulus was not formed by the spreading out of the Cumulus"}},
            {"58", {"- the Altocumulus was formed from the spreading out of Cumulus"}},
            {"62", {"- the patches of Altocumulus are continually changing in appearance"}},
            {"66", {"- the clouds were not progressively invading the sky"}},
            {"67",
             {"- the numerous Altocumulus patches are continually changing in appearance",
              "- the Cirrus was not progressively invading the sky"}},
            {"68", {"- the Altocumulus patches are continually changing in appearance"}},
            {"69",
             {"- Stratocumulus was not resulting from the spreading out of Cumulus",
              "- the Altocumulus elements are continually changing in appearance",
              "- the Cirrostratus was progressively invading the sky"}},
            {"70",
             {"- the Stratocumulus was not resulting from the spreading out of Cumulus",
              "- the Altocumulus patches are continually changing in appearance",
              "- the Cirrus was not progressively invading the sky"}},
            {"71", {"- the Cirrus was not progressively invading the sky"}},
            {"75", {"- the clouds were not progressively invading the sky"}},
            {"76",
             {"- the Stratocumulus was not resulting from the spreading out of Cumulus",
              "- the Cirrus was not progressively invading the sky"}},
            {"83", {"- the clouds were progressively invading the sky"}},
            {"84", {"- the clouds were progressively invading the sky"}},
            {"85", {"- the clouds were progressively invading the sky"}},
            {"86",
             {"- the cloud system was invading the sky progressively",
              "- the continuous veil does not reach 45 degrees above the horizon"}},
            {"87", {"- the clouds were progressively invading the sky"}},
            {"90", {"- the clouds are covering the whole sky"}},
            {"92",
             {"- the Stratocumulus was not resulting from the spreading out of Cumulus",
              "- the Altocumulus patches are continually changing in appearance"}},
            {"93", {"- the Altocumulus patches are continually changing in appearance"}},
        },
    };
}

// Where a key text holds its three codes.
constexpr std::array<std::size_t, kCloudLevels> kCodePositions = {3, 10, 17};

int codeIndex(char code) {
    return code == 'x' ? 10 : code - '0';
}

// A group per level: the codes "0" to "9", then "x".
std::vector<AnswerGroup> codeColumns() {
    std::vector<AnswerGroup> groups;
    for (int level = 0; level < kCloudLevels; ++level) {
        groups.push_back({cloudCodes(level, 0, 9, true)});
    }
    return groups;
}

}  // namespace

CloudGameNormalRules::CloudGameNormalRules(GameTexts texts)
    : NumberedPhotoRules(std::move(texts), codeColumns(), cloudNormalPhotos()) {}

const std::string& CloudGameNormalRules::key(std::size_t photo) {
    return kKeys.at(photo);
}

std::array<int, kCloudLevels> CloudGameNormalRules::codes(const std::string& key) {
    std::array<int, kCloudLevels> result{};
    std::transform(kCodePositions.begin(), kCodePositions.end(), result.begin(),
                   [&](std::size_t at) { return codeIndex(key.at(at)); });
    return result;
}

Choice CloudGameNormalRules::rightChoice(const PhotoId& photo) const {
    const std::array<int, kCloudLevels> right = codes(key(static_cast<std::size_t>(number(photo))));
    return {right.begin(), right.end()};
}

}  // namespace nimbara
