#include "games/core/gamerules.h"

#include <algorithm>

namespace nimbara {

int GameRules::answerButtonCount() const {
    std::size_t buttons = 0;
    for (const AnswerGroup& group : m_groups) {
        buttons += group.items.size();
    }
    return static_cast<int>(buttons);
}

bool GameRules::offersButton(const PhotoId&, int) const {
    return true;
}

std::optional<Choice> GameRules::chooseAnswer(std::span<const std::uint16_t> block) const {
    Choice choice;
    std::size_t first = 0;
    for (const AnswerGroup& group : m_groups) {
        const std::size_t start = std::min(first, block.size());
        const auto buttons =
            block.subspan(start, std::min(group.items.size(), block.size() - start));
        const auto checked = std::find(buttons.begin(), buttons.end(), 1);
        if (checked == buttons.end()) {
            return std::nullopt;
        }
        choice.push_back(static_cast<int>(checked - buttons.begin()));
        first += group.items.size();
    }
    return choice;
}

bool GameRules::isRight(const Choice& choice, const PhotoId& photo) const {
    return choice == rightChoice(photo);
}

std::string GameRules::joined(const Choice& choice, std::string AnswerItem::*part) const {
    std::string text;
    for (std::size_t group = 0; group < choice.size(); ++group) {
        const AnswerItem& item =
            m_groups.at(group).items.at(static_cast<std::size_t>(choice[group]));
        text += (group == 0 ? "" : " - ") + item.*part;
    }
    return text;
}

std::string GameRules::choiceName(const Choice& choice) const {
    return joined(choice, &AnswerItem::name);
}

std::string GameRules::choiceLabel(const Choice& choice) const {
    return joined(choice, &AnswerItem::label);
}

std::string GameRules::wrongAnswerText(const PhotoId& photo) const {
    return m_texts.wrongAnswerLead + rightAnswerName(photo);
}

std::vector<Choice> GameRules::classes() const {
    std::vector<Choice> found;
    for (const PhotoId& photo : allPhotos()) {
        Choice right = rightChoice(photo);
        if (std::find(found.begin(), found.end(), right) == found.end()) {
            found.push_back(std::move(right));
        }
    }
    return found;
}

std::size_t GameRules::classOf(const PhotoId& photo) const {
    const std::vector<Choice> all = classes();
    return static_cast<std::size_t>(std::find(all.begin(), all.end(), rightChoice(photo)) -
                                    all.begin());
}

}  // namespace nimbara
