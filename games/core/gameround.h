#pragma once

#include "games/core/gamerules.h"
#include "games/core/photodraw.h"

#include <string>
#include <vector>

namespace nimbara {

// The state and rules of one game round: ten photos drawn without repetition, each answered
// once, counted, and rated at the end. It holds no window and shows nothing: the dialog shows
// the boxes and photos from what it returns.
class GameRound {
public:
    static constexpr int kRoundLength = 10;

    // rules, random and draw must outlive the round.
    GameRound(const GameRules& rules, RandomSource& random,
              const PhotoDraw& draw = PhotoDraw::gamesOwn());

    // Draws the next photo that was not shown in this round: reseeds the generator from the
    // clock, draws until an unshown photo comes up, marks it shown, sets the answer flag of its
    // class and counts it as asked. Returns the failed index checks in the order they happened;
    // after each the game's fallback photo was taken.
    std::vector<IndexCheck> drawNextPhoto();

    enum class Verdict { Incomplete, Right, Wrong };
    // Judges the button states (one word per answer button, 1 = checked) against the photo on
    // show. An incomplete answer changes nothing; a right one counts as good.
    Verdict judge(std::span<const std::uint16_t> answerBlock);
    // The answer last judged complete; empty before the first.
    const Choice& judgedAnswer() const { return m_judgedAnswer; }
    // Whether the round is over after an answer: the tenth photo was asked.
    bool roundOver() const { return m_askedCount >= kRoundLength; }

    const PhotoId& photo() const { return m_photo; }
    std::string fileName() const { return m_rules.fileName(m_photo); }
    std::vector<std::string> remarks() const { return m_rules.remarks(m_photo); }
    bool shown(int index) const { return m_shown.at(static_cast<std::size_t>(index)); }
    // One flag per class of the game (GameRules::classes); after a draw only the class of the
    // photo on show is set.
    const std::vector<bool>& answerFlags() const { return m_answerFlags; }
    int goodCount() const { return m_goodCount; }
    int askedCount() const { return m_askedCount; }

    // "good: 3 of 4 (total 10)"
    std::string scoreLine() const;
    // The wrong-answer message for the photo on show.
    std::string wrongAnswerText() const { return m_rules.wrongAnswerText(m_photo); }
    // Right answers in percent of the photos asked, truncated; 0 before any photo.
    int percent() const;
    // "70 % correct classified (novice)"
    std::string finalText() const;
    // "(novice)" below 80, "(intermediate)" from 80 to 99, "(expert)" at 100.
    static std::string rating(int percent);

private:
    const GameRules& m_rules;
    RandomSource& m_random;
    const PhotoDraw& m_draw;
    std::vector<bool> m_shown;
    std::vector<bool> m_answerFlags;
    PhotoId m_photo;
    Choice m_judgedAnswer;
    int m_goodCount = 0;
    int m_askedCount = 0;
};

}  // namespace nimbara
