#include "games/core/gameround.h"

#include <algorithm>

namespace nimbara {

GameRound::GameRound(const GameRules& rules, RandomSource& random, const PhotoDraw& draw)
    : m_rules(rules),
      m_random(random),
      m_draw(draw),
      m_shown(static_cast<std::size_t>(rules.shownFlagCount()), false),
      m_answerFlags(rules.classes().size(), false),
      m_photo(rules.fallbackPhoto().size(), kUnknown) {}

std::vector<IndexCheck> GameRound::drawNextPhoto() {
    std::vector<IndexCheck> failedChecks;
    m_random.seedFromClock();
    // With ten draws from at least ten photos an unshown one always comes up.
    do {
        std::fill(m_answerFlags.begin(), m_answerFlags.end(), false);
        m_photo = m_draw.candidate(m_rules, m_random);
        const IndexCheck check = m_rules.checkIndices(m_photo);
        if (check != IndexCheck::Ok) {
            failedChecks.push_back(check);
            m_photo = m_rules.fallbackPhoto();
        }
    } while (shown(m_rules.shownIndex(m_photo)));
    m_shown.at(static_cast<std::size_t>(m_rules.shownIndex(m_photo))) = true;
    m_answerFlags.at(m_rules.classOf(m_photo)) = true;
    ++m_askedCount;
    return failedChecks;
}

GameRound::Verdict GameRound::judge(std::span<const std::uint16_t> answerBlock) {
    const std::optional<Choice> choice = m_rules.chooseAnswer(answerBlock);
    if (!choice) {
        return Verdict::Incomplete;
    }
    m_judgedAnswer = *choice;
    if (m_rules.isRight(*choice, m_photo)) {
        ++m_goodCount;
        return Verdict::Right;
    }
    return Verdict::Wrong;
}

std::string GameRound::scoreLine() const {
    return "good: " + std::to_string(m_goodCount) + " of " + std::to_string(m_askedCount) +
           " (total 10)";
}

int GameRound::percent() const {
    return m_askedCount == 0 ? 0 : m_goodCount * 100 / m_askedCount;
}

std::string GameRound::finalText() const {
    return std::to_string(percent()) + " % correct classified " + rating(percent());
}

std::string GameRound::rating(int percent) {
    if (percent < 80) {
        return "(novice)";
    }
    return percent < 100 ? "(intermediate)" : "(expert)";
}

}  // namespace nimbara
