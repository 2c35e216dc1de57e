#pragma once

#include "record/recordgames.h"

#include <QString>

#include <map>
#include <vector>

namespace nimbara {

// The games as the learning record and the progress window need them, read from the games'
// own rules: each game's id and title, how its answers split into classes (one per answer
// group), its classes, and where its photos lie in the application directory.
class GameRecordCatalogue final : public RecordGames {
public:
    struct Game {
        QString id;
        QString title;  // the title of its boxes; with the id where two games share one
    };

    GameRecordCatalogue();
    ~GameRecordCatalogue() override;

    const std::vector<Game>& games() const { return m_games; }
    // The title of game; the id itself for an unknown game.
    QString title(const QString& game) const;

    QStringList answerParts(const QString& game, const QString& answer) const override;
    QStringList classes(const QString& game) const override;

    // The path of a photo of game in applicationDirectory; empty for an unknown game.
    QString photoPath(const QString& applicationDirectory, const QString& game,
                      const QString& photo) const;

private:
    std::vector<Game> m_games;
    std::map<QString, QStringList> m_classes;
};

}  // namespace nimbara
