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
    int photoCount;         // N
    int highestPhotoIndex;  // the second index check fires above it; N - 1 or more
    std::string filePrefix;
    int remarkLineCount;
    std::vector<RemarkRow> remarks;  // photos without a row have empty lines
};

// What every game with numbered photos shares: the photo number is the next value modulo N, the
// index checks fall back to photo "0", the file name is prefix + number + ".bmp", and the remark
// lines are looked up by the photo number. A game adds its answer key and how it is judged.
class NumberedPhotoRules : public GameRules {
public:
    NumberedPhotoRules(GameTexts texts, NumberedPhotoSet photos)
        : m_texts(std::move(texts)), m_photos(std::move(photos)) {}

    const GameTexts& texts() const override { return m_texts; }
    int photoCount() const override { return m_photos.photoCount; }
    int shownFlagCount() const override { return m_photos.highestPhotoIndex + 1; }
    int remarkLineCount() const override { return m_photos.remarkLineCount; }
    PhotoId drawCandidate(RandomSource& random) const override;
    IndexCheck checkIndices(const PhotoId& photo) const override;
    PhotoId fallbackPhoto() const override { return {"0"}; }
    int shownIndex(const PhotoId& photo) const override;
    std::string fileName(const PhotoId& photo) const override;
    std::vector<PhotoId> allPhotos() const override;
    // Photo k is marked by answer flag k.
    void markAnswer(const PhotoId& photo, std::vector<bool>& answerFlags) const override;
    std::vector<std::string> remarks(const PhotoId& photo) const override;

private:
    GameTexts m_texts;
    NumberedPhotoSet m_photos;
};

// The value of a decimal text, or -1 for kUnknown and texts that are not a number.
long decimalValue(const std::string& text);

}  // namespace nimbara
