#pragma once

#include "games/core/randomsource.h"

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
    std::string wrongAnswerLead;   // followed by the name of the right answer
};

// What makes one game: its photo set, how photos are drawn and named, how answers are judged and
// what the boxes say. GameRound runs the round; a game supplies only these rules and its data.
class GameRules {
public:
    virtual ~GameRules() = default;

    virtual const GameTexts& texts() const = 0;
    // Number of photos N that a draw chooses from.
    virtual int photoCount() const = 0;
    // Number of shown flags; at least N.
    virtual int shownFlagCount() const = 0;
    // Number of answer flags, which mark the right answer for the photo on show.
    virtual int answerFlagCount() const = 0;
    // Number of answer buttons: the words of the answer block that chooseAnswer reads.
    virtual int answerButtonCount() const = 0;
    // Number of remark lines under the photo.
    virtual int remarkLineCount() const = 0;

    // Draws a candidate photo with the generator; texts not drawn in range stay kUnknown.
    virtual PhotoId drawCandidate(RandomSource& random) const = 0;
    virtual IndexCheck checkIndices(const PhotoId& photo) const = 0;
    // The photo taken when an index check fails.
    virtual PhotoId fallbackPhoto() const = 0;
    // Index of the photo's shown flag, 0 .. shownFlagCount() - 1.
    virtual int shownIndex(const PhotoId& photo) const = 0;
    virtual std::string fileName(const PhotoId& photo) const = 0;
    // Every photo a draw can come up with, in the order of their shown flags.
    virtual std::vector<PhotoId> allPhotos() const = 0;
    // Sets the answer flags that are right for photo.
    virtual void markAnswer(const PhotoId& photo, std::vector<bool>& answerFlags) const = 0;

    // The answer given by the button states (one word per answer button, 1 = checked);
    // nullopt when the answer is incomplete.
    virtual std::optional<Choice> chooseAnswer(std::span<const std::uint16_t> block) const = 0;
    virtual bool isRight(const Choice& choice, const std::vector<bool>& answerFlags) const = 0;
    // How the game names the right answer that answerFlags mark ("brash ice", "Cm 4").
    virtual std::string answerName(const std::vector<bool>& answerFlags) const = 0;
    // The remark lines of photo, one text per remark line (empty for a line without text).
    virtual std::vector<std::string> remarks(const PhotoId& photo) const = 0;

    // The wrong-answer message naming the right answer.
    std::string wrongAnswerText(const std::vector<bool>& answerFlags) const;
    // The name of photo's right answer.
    std::string answerNameOf(const PhotoId& photo) const;
};

// The index of the first checked button (word 1) of block; nullopt when none is checked.
std::optional<int> firstCheckedButton(std::span<const std::uint16_t> block);
// For games with one group of buttons: the first checked of the first buttonCount buttons.
std::optional<Choice> chooseOneButton(std::span<const std::uint16_t> block, int buttonCount);
// For games with one group of buttons: whether the chosen button's answer flag is set.
bool chosenFlagSet(const Choice& choice, const std::vector<bool>& answerFlags);
// The index of the first set flag; the flag count when none is set.
std::size_t firstSetFlag(const std::vector<bool>& flags);

}  // namespace nimbara
