#pragma once

#include "games/core/gametexts.h"
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

// An answer: the chosen item within each answer group, in the order of the groups.
using Choice = std::vector<int>;

// Result of the index checks after a draw.
enum class IndexCheck { Ok, Unknown, OutOfRange };

// One answer button: how the game names what it stands for when that is the right answer
// ("brash ice", "Cm 4", "Cl x") and what the button reads ("brash").
struct AnswerItem {
    std::string name;
    std::string label;
};

// A group of radio buttons of which one is checked for a complete answer.
struct AnswerGroup {
    std::vector<AnswerItem> items;  // in button order
};

// What makes one game: its photo set, how photos are drawn and named, its answer groups, which
// answer is right for a photo and what the boxes say. GameRound runs a round on it. Everything
// that is the same for all games (reading and judging an answer, naming a choice, the classes) is
// written here once; a game supplies its photos and its answer key.
class GameRules {
public:
    GameRules(GameTexts texts, std::vector<AnswerGroup> groups)
        : m_texts(std::move(texts)), m_groups(std::move(groups)) {}
    virtual ~GameRules() = default;

    const GameTexts& texts() const { return m_texts; }
    // The groups of answer buttons; an answer has one item of each.
    const std::vector<AnswerGroup>& answerGroups() const { return m_groups; }
    // Number of answer buttons, all groups together: the words of the answer block.
    int answerButtonCount() const;

    // Number of photos N that a draw chooses from.
    virtual int photoCount() const = 0;
    // Number of shown flags; at least N.
    virtual int shownFlagCount() const = 0;
    // Number of remark lines under the photo.
    virtual int remarkLineCount() const = 0;
    // Draws a candidate photo with the generator, as the game's photo numbers ask; texts not
    // drawn in range stay kUnknown.
    virtual PhotoId drawCandidate(RandomSource& random) const = 0;
    virtual IndexCheck checkIndices(const PhotoId& photo) const = 0;
    // The photo taken when an index check fails.
    virtual PhotoId fallbackPhoto() const = 0;
    // Index of the photo's shown flag, 0 .. shownFlagCount() - 1.
    virtual int shownIndex(const PhotoId& photo) const = 0;
    virtual std::string fileName(const PhotoId& photo) const = 0;
    // Every photo a draw can come up with, in the order of their shown flags.
    virtual std::vector<PhotoId> allPhotos() const = 0;
    // The remark lines of photo, one text per remark line (empty for a line without text).
    virtual std::vector<std::string> remarks(const PhotoId& photo) const = 0;

    // The one right answer for photo.
    virtual Choice rightChoice(const PhotoId& photo) const = 0;
    // Whether the answer button (in button order) can be used while photo is on show; a game
    // that gives part of the answer away greys the others. All buttons by default.
    virtual bool offersButton(const PhotoId& photo, int button) const;

    // The answer given by the button states (one word per answer button, 1 = checked): in each
    // group the first checked button; nullopt when a group has none.
    std::optional<Choice> chooseAnswer(std::span<const std::uint16_t> block) const;
    bool isRight(const Choice& choice, const PhotoId& photo) const;
    // How the game names choice where it names a right answer: the names of its items, joined
    // by " - " across groups ("brash ice", "Cm 4", "Cl 2 - Cm 6 - Ch 0", "Bf 7").
    std::string choiceName(const Choice& choice) const;
    // choice as its buttons read ("brash"), joined like choiceName.
    std::string choiceLabel(const Choice& choice) const;
    // The name of photo's right answer.
    std::string rightAnswerName(const PhotoId& photo) const {
        return choiceName(rightChoice(photo));
    }
    // The wrong-answer message naming photo's right answer.
    std::string wrongAnswerText(const PhotoId& photo) const;

    // The classes of the game: every right answer that one of its photos has, each once, in the
    // order of the photos.
    std::vector<Choice> classes() const;
    // The index in classes() of photo's class.
    std::size_t classOf(const PhotoId& photo) const;

private:
    // choice with each item given by part, joined by " - " across groups.
    std::string joined(const Choice& choice, std::string AnswerItem::*part) const;

    GameTexts m_texts;
    std::vector<AnswerGroup> m_groups;
};

}  // namespace nimbara
