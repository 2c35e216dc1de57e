#pragma once

#include "record/recordfigures.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <functional>

namespace nimbara {

class RecordGames;

// The periods the progress window offers.
enum class RecordPeriod { Week, Month, All };

// Which rounds a query looks at: one game, the rounds started at since or later (a record
// timestamp; empty for all), and the round being played now (an open round that is not this one
// was cut off and counts as abandoned).
struct RecordFilter {
    QString game;
    QString since;
    QString roundInPlay;
};

// One answer as the export writes it, in the columns' order.
struct ExportRow {
    QString answeredAt;
    QString trainee;
    QString game;
    QString round;
    bool practice = false;
    QString photo;
    QString rightAnswer;
    QString givenAnswer;
    bool correct = false;
    double seconds = 0;
};

// Reads the record for the progress window, the practice draw and the export. Classes count per
// answer group: games split their answers through games, so an answer "Cl 8 - Cm 4 - Ch 0" to a
// sky "Cl 4 - Cm 4 - Ch 0" is Cl 4 wrong (taken for Cl 8), Cm 4 and Ch 0 right. Every query is
// prepared and reads through the record's indexes. A failed query leaves lastError() set and
// gives what it read so far.
class RecordQueries {
public:
    static constexpr int kMovingAverageRounds = 5;
    static constexpr double kLightestWeight = 1;
    static constexpr double kHeaviestWeight = 10;

    // db must stay open while the queries are used; games must outlive them.
    RecordQueries(QSqlDatabase db, const RecordGames& games);

    // The record timestamp at which period starts, counted back from now; empty for All.
    static QString since(RecordPeriod period, const QDateTime& now);

    // Everything: roundFigures() and answerFigures() together.
    GameProgress progress(const RecordFilter& filter);
    // The totals and the rounds' scores, from the rounds alone: quick on any record.
    GameProgress roundFigures(const RecordFilter& filter);
    // Fills progress's classes, confusions and missed photos from every answer of the filter's
    // rounds: the long part on a long record.
    void addAnswerFigures(const RecordFilter& filter, GameProgress& progress);
    // The weight of each class of game in a practice draw, in the game's order of classes,
    // from every answer recorded: kHeaviestWeight at 0 % right and for a class never answered,
    // falling linearly to kLightestWeight at 100 %.
    std::vector<ClassWeight> practiceWeights(const QString& game);
    // The games with recorded rounds, the most recently played first.
    QStringList playedGames();
    // Calls row for every answer at since or later (empty: all) of game (empty: all games),
    // oldest first; stops when row returns false. Returns false when the query failed.
    bool exportRows(const QString& since, const QString& game,
                    const std::function<bool(const ExportRow&)>& row);

    const QSqlError& lastError() const { return m_error; }

    // The statements progress() runs, with how many values each binds (the game, then the
    // start of the period; the first also the round in play first): for inspecting their plans.
    static std::vector<std::pair<QString, int>> progressStatements();

private:
    void readTotals(const RecordFilter& filter, RoundTotals& totals);
    void readRounds(const RecordFilter& filter, std::vector<RoundPoint>& rounds);

    QSqlDatabase m_db;
    const RecordGames& m_games;
    QSqlError m_error;
};

}  // namespace nimbara
