#include "app/gamerecordcatalogue.h"

#include "games/core/gamecatalogue.h"
#include "platform/datapath.h"

#include <algorithm>

namespace nimbara {

namespace {

const QString kGroupSeparator =
    QString::fromUtf8(GameRules::kGroupSeparator.data(), GameRules::kGroupSeparator.size());

// The classes of an answer named as game names it: one per answer group. A name that does not
// split into as many parts as there are groups stays whole.
QStringList partsOf(const GameRules& rules, const QString& answer) {
    const auto groups = static_cast<qsizetype>(rules.answerGroups().size());
    if (groups > 1) {
        const QStringList parts = answer.split(kGroupSeparator);
        if (parts.size() == groups) {
            return parts;
        }
    }
    return {answer};
}

// The classes of rules' photos, group by group: in a game of one group its classes in the order
// of its photos, in a game of several each group's classes sorted by name.
QStringList classesOf(const GameRules& rules) {
    const std::vector<AnswerGroup>& groups = rules.answerGroups();
    std::vector<QStringList> perGroup(groups.size());
    for (const Choice& choice : rules.classes()) {
        for (std::size_t group = 0; group < choice.size(); ++group) {
            const QString name = QString::fromStdString(
                groups[group].items.at(static_cast<std::size_t>(choice[group])).name);
            if (!perGroup[group].contains(name)) {
                perGroup[group] << name;
            }
        }
    }
    QStringList all;
    for (QStringList& names : perGroup) {
        if (groups.size() > 1) {
            names.sort();
        }
        all << names;
    }
    return all;
}

}  // namespace

GameRecordCatalogue::GameRecordCatalogue() {
    for (const GameDefinition& game : gameCatalogue()) {
        const QString id = QString::fromStdString(game.importId);
        m_games.push_back({id, QString::fromStdString(game.rules->texts().title)});
        m_classes[id] = classesOf(*game.rules);
    }
    for (Game& game : m_games) {
        const auto sameTitle =
            std::count_if(m_games.begin(), m_games.end(),
                          [&](const Game& other) { return other.title == game.title; });
        if (sameTitle > 1) {
            game.title += " (" + game.id + ")";
        }
    }
}

GameRecordCatalogue::~GameRecordCatalogue() = default;

QString GameRecordCatalogue::title(const QString& game) const {
    const auto found = std::find_if(m_games.begin(), m_games.end(),
                                    [&](const Game& each) { return each.id == game; });
    return found == m_games.end() ? game : found->title;
}

QStringList GameRecordCatalogue::answerParts(const QString& game, const QString& answer) const {
    const GameDefinition* found = findGame(game.toStdString());
    return found ? partsOf(*found->rules, answer) : QStringList{answer};
}

QStringList GameRecordCatalogue::classes(const QString& game) const {
    const auto found = m_classes.find(game);
    return found == m_classes.end() ? QStringList{} : found->second;
}

QString GameRecordCatalogue::photoPath(const QString& applicationDirectory, const QString& game,
                                       const QString& photo) const {
    const GameDefinition* found = findGame(game.toStdString());
    if (found == nullptr) {
        return {};
    }
    return dataPath(applicationDirectory, QString::fromStdString(found->photoFolder) + photo);
}

}  // namespace nimbara
