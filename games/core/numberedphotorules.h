#pragma once

#include "games/core/gamerules.h"

namespace nimbara {

// One photo's remark lines in a game whose photos carry one number.
struct RemarkRow {
    std::string photo;
    std::vector<std::string> lines;
};

// A photo set whose photos are numbered "0" .. N-1 and named prefix + number + ".bmp".
struct NumberedPhotoSet {
    int photoCount = 0;         // N
    int highestPhotoIndex = 0;  // the second index check fires above it; N - 1 or more
    std::string filePrefix;
    int remarkLineCount = 0;
    std::vector<RemarkRow> remarks;  // photos without a row have empty lines
};

// What every game with numbered photos shares: the photo number is the next value modulo N, the
// index checks fall back to photo "0", the file name is prefix + number + ".bmp", and the remark
// lines are looked up by the photo number. A game adds its answer key.
class NumberedPhotoRules : public GameRules {
public:
    NumberedPhotoRules(GameTexts texts, std::vector<AnswerGroup> groups, NumberedPhotoSet photos)
        : GameRules(std::move(texts), std::move(groups)), m_photos(std::move(photos)) {}

    int photoCount() const override { return m_photos.photoCount; }
    int shownFlagCount() const override { return m_photos.highestPhotoIndex + 1; }
    int remarkLineCount() const override { return m_photos.remarkLineCount; }
    PhotoId drawCandidate(RandomSource& random) const override;
    IndexCheck checkIndices(const PhotoId& photo) const override;
    PhotoId fallbackPhoto() const override { return {"0"}; }
    int shownIndex(const PhotoId& photo) const override { return number(photo); }
    std::string fileName(const PhotoId& photo) const override;
    std::vector<PhotoId> allPhotos() const override;
    std::vector<std::string> remarks(const PhotoId& photo) const override;

protected:
    // The number of photo; -1 when it is not a number.
    static int number(const PhotoId& photo);

private:
    NumberedPhotoSet m_photos;
};

// The value of a decimal text, or -1 for kUnknown and texts that are not a number.
long decimalValue(const std::string& text);

}  // namespace nimbara
