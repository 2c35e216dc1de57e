#pragma once

#include "gamerules.h"

#include <array>

namespace nimbara {

// One photo's remark lines in a game whose photos carry one number.
struct RemarkRow {
    const char* photo;
    std::vector<const char*> lines;
};

// The data of a game with one group of answer buttons whose photo k shows class k.
struct SingleGroupGameData {
    GameTexts texts;
    GameControls controls;
    int photoCount;         // N: photos "0" .. N-1 (may be below the number of buttons)
    int highestPhotoIndex;  // the second index check fires above it; N - 1 or more
    const char* filePrefix;
    std::string wrongAnswerLead;             // before the class's feedback name
    std::vector<const char*> feedbackNames;  // one per answer button
    std::vector<RemarkRow> remarks;          // photos without a row have empty lines
    std::string fallbackPhoto = "0";
};

// Rules of the games with one group of answer buttons and an identity answer key: the photo
// number is the next value modulo N, photo k is answered by button k, and a wrong answer names
// the feedback name of the photo's class.
class SingleGroupRules final : public GameRules {
public:
    // data must outlive the rules (game tables live for the run).
    explicit SingleGroupRules(const SingleGroupGameData& data) : m_data(data) {}

    const GameTexts& texts() const override { return m_data.texts; }
    const GameControls& controls() const override { return m_data.controls; }
    int photoCount() const override { return m_data.photoCount; }
    int shownFlagCount() const override { return m_data.highestPhotoIndex + 1; }
    int answerCount() const override { return m_data.controls.answerButtonCount; }
    PhotoId drawCandidate(RandomSource& random) const override;
    IndexCheck checkIndices(const PhotoId& photo) const override;
    PhotoId fallbackPhoto() const override { return {m_data.fallbackPhoto}; }
    int shownIndex(const PhotoId& photo) const override;
    std::string fileName(const PhotoId& photo) const override;
    void markAnswer(const PhotoId& photo, std::vector<bool>& answerFlags) const override;
    std::optional<Choice> chooseAnswer(std::span<const std::uint16_t> block) const override;
    bool isRight(const Choice& choice, const std::vector<bool>& answerFlags) const override;
    std::string wrongAnswerText(const std::vector<bool>& answerFlags) const override;
    std::vector<std::string> remarks(const PhotoId& photo) const override;

private:
    const SingleGroupGameData& m_data;
};

}  // namespace nimbara
