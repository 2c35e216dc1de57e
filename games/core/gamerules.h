#pragma once

#include "randomsource.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace nimbara {

// Marks a photo-identity text that is not set.
inline const std::string kUnknown = "unknown";

// The identity of a photo: decimal texts ("7"), one in most games, several where a photo is
// named by several numbers. Each text is kUnknown until it is set.
using PhotoId = std::vector<std::string>;

// The answer read from the buttons: the chosen index within each group of radio buttons.
using Choice = std::vector<int>;

// Result of the index checks after a draw.
enum class IndexCheck { Ok, Unknown, OutOfRange };

// The texts of a game that its boxes show.
struct GameTexts {
    std::string title;              // caption of the reminder and wrong-answer boxes
    std::string reminder;           // OK with an incomplete answer
    std::string unknownIndexError;  // first index check, with its caption
    std::string unknownIndexCaption;
    std::string indexRangeError;  // second index check, with its caption
    std::string indexRangeCaption;
    std::string missingPhotoLead;  // followed by the photo path and ")"
    std::string photoFolder;       // relative to the application directory, e.g. "\games\ice\"
};

// The control ids of a game dialog that the game addresses.
struct GameControls {
    int firstAnswerButtonId;
    int answerButtonCount;
    int scoreLineId;
    std::vector<int> remarkLineIds;
};

// What makes one game: its photo set, how photos are drawn and named, how answers are judged and
// what the boxes say. GameRound runs the round; a game supplies only these rules and its data.
class GameRules {
public:
    virtual ~GameRules() = default;

    virtual const GameTexts& texts() const = 0;
    virtual const GameControls& controls() const = 0;
    // Number of photos N that a draw chooses from.
    virtual int photoCount() const = 0;
    // Number of shown flags; at least N.
    virtual int shownFlagCount() const = 0;
    // Number of answer flags, one per answer button.
    virtual int answerCount() const = 0;

    // Draws a candidate photo with the generator; texts not drawn in range stay kUnknown.
    virtual PhotoId drawCandidate(RandomSource& random) const = 0;
    virtual IndexCheck checkIndices(const PhotoId& photo) const = 0;
    // The photo taken when an index check fails.
    virtual PhotoId fallbackPhoto() const = 0;
    // Index of the photo's shown flag, 0 .. photoCount() - 1.
    virtual int shownIndex(const PhotoId& photo) const = 0;
    virtual std::string fileName(const PhotoId& photo) const = 0;
    // Sets the answer flags that are right for photo.
    virtual void markAnswer(const PhotoId& photo, std::vector<bool>& answerFlags) const = 0;

    // The answer given by the button states (one word per answer button, 1 = checked);
    // nullopt when the answer is incomplete.
    virtual std::optional<Choice> chooseAnswer(std::span<const std::uint16_t> block) const = 0;
    virtual bool isRight(const Choice& choice, const std::vector<bool>& answerFlags) const = 0;
    // The wrong-answer message naming the right answer.
    virtual std::string wrongAnswerText(const std::vector<bool>& answerFlags) const = 0;
    // The remark lines of photo, one text per remark line (empty for a line without text).
    virtual std::vector<std::string> remarks(const PhotoId& photo) const = 0;
};

}  // namespace nimbara
