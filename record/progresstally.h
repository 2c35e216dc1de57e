#pragma once

#include "record/recordfigures.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

namespace nimbara {

class RecordGames;

// The answers of one group of rows that share a right and a given answer and a photo.
struct AnswerCount {
    QString right;
    QString given;
    QString photo;
    int count = 0;
    int correct = 0;
    double seconds = 0;
};

// Adds up answer groups per class, per confusion and per photo, for the progress window's
// figures: the local record and the organisation's server count them alike.
class ProgressTally {
public:
    ProgressTally(const RecordGames& games, const QString& game) : m_games(games), m_game(game) {}

    void add(const AnswerCount& group);
    // Fills progress's classes (lowest percent right first), confusions (most frequent first)
    // and missed photos (most often missed first).
    void finish(GameProgress& progress);

private:
    // A copy: the cache may grow and move its entries.
    QStringList parts(const QString& answer);
    ClassFigures& figures(const QString& name);

    const RecordGames& m_games;
    QString m_game;
    QHash<QString, QStringList> m_parts;
    QHash<QString, ClassFigures> m_classes;
    std::map<std::pair<QString, QString>, int> m_confusions;
    QHash<QString, MissedPhoto> m_photos;
};

// Appends a finished round's score to rounds (oldest first) with its moving average over it
// and the rounds before it, RecordQueries::kMovingAverageRounds at most.
void appendRoundPoint(std::vector<RoundPoint>& rounds, RoundPoint point);

}  // namespace nimbara
