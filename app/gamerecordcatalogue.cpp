#include "app/gamerecordcatalogue.h"

#include "games/core/cloudnormalrules.h"
#include "games/core/gamecatalogue.h"
#include "platform/datapath.h"

#include <algorithm>

namespace nimbara {

namespace {

// The separator of the groups in a whole-sky key, "Cl 2 - Cm 6 - Ch 0".
const QString kGroupSeparator = " - ";

// Whether rules answer with several groups at once, each naming a class of its own.
bool answersInGroups(const GameRules& rules) {
    return dynamic_cast<const CloudNormalRules*>(&rules) != nullptr;
}

QStringList partsOf(const GameRules& rules, const QString& answer) {
    if (answersInGroups(rules)) {
        const QStringList parts = answer.split(kGroupSeparator);
        if (parts.size() == CloudNormalRules::kColumns) {
            return parts;
        }
    }
    return {answer};
}

// The classes of rules' photos, group by group, each group in order of its names.
QStringList classesOf(const GameRules& rules) {
    std::vector<QStringList> groups;
    for (const PhotoId& photo : rules.allPhotos()) {
        const QStringList parts = partsOf(rules, QString::fromStdString(rules.answerNameOf(photo)));
        groups.resize(std::max(groups.size(), static_cast<std::size_t>(parts.size())));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            QStringList& group = groups[static_cast<std::size_t>(i)];
            if (!group.contains(parts[i])) {
                group << parts[i];
            }
        }
    }
    QStringList all;
    for (QStringList& group : groups) {
        if (groups.size() > 1) {
            group.sort();
        }
        all << group;
    }
    return all;
}

}  // namespace

GameRecordCatalogue::GameRecordCatalogue() {
    for (const CatalogueGame& game : gameCatalogue()) {
        const QString id = QString::fromStdString(game.id);
        std::unique_ptr<GameRules> made = game.makeRules();
        m_games.push_back({id, QString::fromStdString(made->texts().title)});
        m_classes[id] = classesOf(*made);
        m_rules[id] = std::move(made);
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

const GameRules* GameRecordCatalogue::rules(const QString& game) const {
    const auto found = m_rules.find(game);
    return found == m_rules.end() ? nullptr : found->second.get();
}

QString GameRecordCatalogue::title(const QString& game) const {
    const auto found = std::find_if(m_games.begin(), m_games.end(),
                                    [&](const Game& each) { return each.id == game; });
    return found == m_games.end() ? game : found->title;
}

QStringList GameRecordCatalogue::answerParts(const QString& game, const QString& answer) const {
    const GameRules* found = rules(game);
    return found ? partsOf(*found, answer) : QStringList{answer};
}

QStringList GameRecordCatalogue::classes(const QString& game) const {
    const auto found = m_classes.find(game);
    return found == m_classes.end() ? QStringList{} : found->second;
}

QString GameRecordCatalogue::photoPath(const QString& applicationDirectory, const QString& game,
                                       const QString& photo) const {
    const GameRules* found = rules(game);
    if (found == nullptr) {
        return {};
    }
    return dataPath(applicationDirectory,
                    QString::fromStdString(found->texts().photoFolder) + photo);
}

}  // namespace nimbara
