#pragma once

#include "games/core/gamerules.h"

namespace nimbara {

// The rules of the easy cloud game: each photo shows one cloud type of one level. A photo is
// named by three numbers, its level ("1" low, "2" middle, "3" high), its type ("1" to "9") and
// which of four photos of that type it is. The 27 buttons Cl 1 .. Ch 9 form one group; the right
// one is the button of the photo's level and type, and only the buttons of that level are offered.
class CloudGameEasyRules final : public GameRules {
public:
    static constexpr int kTypes = 9;
    static constexpr int kVariants = 4;

    explicit CloudGameEasyRules(GameTexts texts);

    int photoCount() const override;
    int shownFlagCount() const override { return photoCount(); }
    int remarkLineCount() const override { return 2; }
    // Level, type and variant from three successive values.
    PhotoId drawCandidate(RandomSource& random) const override;
    IndexCheck checkIndices(const PhotoId& photo) const override;
    PhotoId fallbackPhoto() const override { return {"1", "1", "1"}; }
    int shownIndex(const PhotoId& photo) const override;
    // "cm4_2.bmp" for the second photo of middle-cloud type 4.
    std::string fileName(const PhotoId& photo) const override;
    std::vector<PhotoId> allPhotos() const override;
    // The lines of the first remark rule that photo matches.
    std::vector<std::string> remarks(const PhotoId& photo) const override;

    // The button of the photo's level and type, 0 (Cl 1) to 26 (Ch 9).
    Choice rightChoice(const PhotoId& photo) const override;
    // The buttons of the photo's level.
    bool offersButton(const PhotoId& photo, int button) const override;

    // The level of photo, 1 to 3; 0 when it is not a known level.
    static int level(const PhotoId& photo);
};

}  // namespace nimbara
