#include "record/recordqueries.h"

#include "record/progresstally.h"
#include "record/recordenvironment.h"
#include "record/recordgames.h"
#include "record/sqlvalues.h"

#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <map>

namespace nimbara {

namespace {

// Rounds of a game started in the period; an open round other than the one in play was cut off.
// Each round counts its answers as they are kept, so the totals need no answer.
const char* const kTotals =
    "SELECT COUNT(*), TOTAL(outcome = 'finished'),"
    " TOTAL(outcome = 'abandoned' OR (outcome = 'open' AND id <> ?)), TOTAL(practice),"
    " TOTAL(asked), TOTAL(good) FROM rounds WHERE game = ? AND started_at >= ?";
const char* const kRounds =
    "SELECT started_at, percent, practice FROM rounds"
    " WHERE game = ? AND started_at >= ? AND outcome = 'finished' ORDER BY started_at";
// One row per distinct answer to a photo: few rows even for a long record.
const char* const kAnswers =
    "SELECT a.right_answer, a.given_answer, a.photo, COUNT(*), TOTAL(a.correct),"
    " TOTAL(a.seconds) FROM rounds r JOIN answers a ON a.round_id = r.id"
    " WHERE r.game = ? AND r.started_at >= ?"
    " GROUP BY a.right_answer, a.given_answer, a.photo";
const char* const kPlayedGames =
    "SELECT game FROM rounds GROUP BY game ORDER BY MAX(started_at) DESC";
const char* const kExport =
    "SELECT a.answered_at, r.trainee, r.game, r.id, r.practice, a.photo, a.right_answer,"
    " a.given_answer, a.correct, a.seconds FROM answers a JOIN rounds r ON r.id = a.round_id"
    " WHERE a.answered_at >= ? AND (r.game = ? OR ? = '') ORDER BY a.answered_at";

}  // namespace

QStringList ProgressTally::parts(const QString& answer) {
    auto found = m_parts.find(answer);
    if (found == m_parts.end()) {
        QStringList split = m_games.answerParts(m_game, answer);
        found = m_parts.insert(answer, split.isEmpty() ? QStringList{answer} : split);
    }
    return *found;
}

ClassFigures& ProgressTally::figures(const QString& name) {
    ClassFigures& figures = m_classes[name];
    figures.name = name;
    return figures;
}

void ProgressTally::add(const AnswerCount& group) {
    MissedPhoto& photo = m_photos[group.photo];
    photo.photo = group.photo;
    photo.shown += group.count;
    photo.missed += group.count - group.correct;

    const QStringList right = parts(group.right);
    const QStringList given = parts(group.given);
    if (right.size() < 2 || right.size() != given.size()) {
        // One class: judged as the game judged the whole answer.
        const QString& name = right.size() == 1 ? right.front() : group.right;
        ClassFigures& one = figures(name);
        one.answers += group.count;
        one.correct += group.correct;
        one.seconds += group.seconds;
        if (group.correct < group.count) {
            m_confusions[{name, group.given}] += group.count - group.correct;
        }
        return;
    }
    for (qsizetype part = 0; part < right.size(); ++part) {
        ClassFigures& each = figures(right[part]);
        each.answers += group.count;
        each.seconds += group.seconds;
        if (right[part] == given[part]) {
            each.correct += group.count;
        } else {
            m_confusions[{right[part], given[part]}] += group.count;
        }
    }
}

void ProgressTally::finish(GameProgress& progress) {
    for (const ClassFigures& figures : m_classes) {
        progress.classes.push_back(figures);
    }
    std::sort(progress.classes.begin(), progress.classes.end(),
              [](const ClassFigures& a, const ClassFigures& b) {
                  return std::make_pair(a.percentRight(), a.name) <
                         std::make_pair(b.percentRight(), b.name);
              });
    for (const auto& [pair, times] : m_confusions) {
        progress.confusions.push_back({pair.first, pair.second, times});
    }
    std::stable_sort(progress.confusions.begin(), progress.confusions.end(),
                     [](const Confusion& a, const Confusion& b) { return a.times > b.times; });
    for (const MissedPhoto& photo : m_photos) {
        if (photo.missed > 0) {
            progress.missedPhotos.push_back(photo);
        }
    }
    std::sort(progress.missedPhotos.begin(), progress.missedPhotos.end(),
              [](const MissedPhoto& a, const MissedPhoto& b) {
                  return std::make_tuple(-a.missed, a.shown, a.photo) <
                         std::make_tuple(-b.missed, b.shown, b.photo);
              });
}

void appendRoundPoint(std::vector<RoundPoint>& rounds, RoundPoint point) {
    double windowSum = point.percent;
    const std::size_t before =
        std::min<std::size_t>(rounds.size(), RecordQueries::kMovingAverageRounds - 1);
    for (std::size_t i = rounds.size() - before; i < rounds.size(); ++i) {
        windowSum += rounds[i].percent;
    }
    point.movingAverage = windowSum / static_cast<double>(before + 1);
    rounds.push_back(point);
}

RecordQueries::RecordQueries(QSqlDatabase db, const RecordGames& games)
    : m_db(std::move(db)), m_games(games) {}

QString RecordQueries::since(RecordPeriod period, const QDateTime& now) {
    switch (period) {
        case RecordPeriod::Week:
            return recordTimestamp(now.addDays(-7));
        case RecordPeriod::Month:
            return recordTimestamp(now.addDays(-30));
        case RecordPeriod::All:
            break;
    }
    return {};
}

namespace {

// A forward-only query prepared with text and bound to values; false (error set) on failure.
bool run(QSqlQuery& query, const char* text, const QVariantList& values, QSqlError& error) {
    query.setForwardOnly(true);
    if (!query.prepare(text)) {
        error = query.lastError();
        return false;
    }
    bindValues(query, values);
    if (!query.exec()) {
        error = query.lastError();
        return false;
    }
    return true;
}

}  // namespace

void RecordQueries::readTotals(const RecordFilter& filter, RoundTotals& totals) {
    QSqlQuery query(m_db);
    if (run(query, kTotals, {filter.roundInPlay, filter.game, filter.since}, m_error) &&
        query.next()) {
        totals.rounds = query.value(0).toInt();
        totals.finished = query.value(1).toInt();
        totals.abandoned = query.value(2).toInt();
        totals.practice = query.value(3).toInt();
        totals.answers = query.value(4).toInt();
        totals.correct = query.value(5).toInt();
    }
}

void RecordQueries::readRounds(const RecordFilter& filter, std::vector<RoundPoint>& rounds) {
    QSqlQuery query(m_db);
    if (!run(query, kRounds, {filter.game, filter.since}, m_error)) {
        return;
    }
    while (query.next()) {
        appendRoundPoint(rounds, {query.value(0).toString(), query.value(1).toInt(), 0,
                                  query.value(2).toBool()});
    }
}

void RecordQueries::addAnswerFigures(const RecordFilter& filter, GameProgress& progress) {
    QSqlQuery query(m_db);
    if (!run(query, kAnswers, {filter.game, filter.since}, m_error)) {
        return;
    }
    ProgressTally tally(m_games, filter.game);
    while (query.next()) {
        tally.add({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                   query.value(3).toInt(), query.value(4).toInt(), query.value(5).toDouble()});
    }
    tally.finish(progress);
}

std::vector<std::pair<QString, int>> RecordQueries::progressStatements() {
    return {{kTotals, 3}, {kRounds, 2}, {kAnswers, 2}};
}

GameProgress RecordQueries::progress(const RecordFilter& filter) {
    GameProgress progress = roundFigures(filter);
    addAnswerFigures(filter, progress);
    return progress;
}

GameProgress RecordQueries::roundFigures(const RecordFilter& filter) {
    m_error = QSqlError();
    GameProgress progress;
    readTotals(filter, progress.totals);
    readRounds(filter, progress.rounds);
    return progress;
}

std::vector<ClassWeight> RecordQueries::practiceWeights(const QString& game) {
    const GameProgress all = progress({game, {}, {}});
    std::vector<ClassWeight> weights;
    for (const QString& name : m_games.classes(game)) {
        const auto found = std::find_if(all.classes.begin(), all.classes.end(),
                                        [&](const ClassFigures& c) { return c.name == name; });
        const double right = found == all.classes.end() ? 0 : found->percentRight() / 100.0;
        weights.push_back({name, kHeaviestWeight - (kHeaviestWeight - kLightestWeight) * right});
    }
    return weights;
}

QStringList RecordQueries::playedGames() {
    m_error = QSqlError();
    QSqlQuery query(m_db);
    QStringList games;
    if (run(query, kPlayedGames, {}, m_error)) {
        while (query.next()) {
            games << query.value(0).toString();
        }
    }
    return games;
}

bool RecordQueries::exportRows(const QString& since, const QString& game,
                               const std::function<bool(const ExportRow&)>& row) {
    m_error = QSqlError();
    QSqlQuery query(m_db);
    if (!run(query, kExport, {since, game, game}, m_error)) {
        return false;
    }
    while (query.next()) {
        const ExportRow answer{query.value(0).toString(), query.value(1).toString(),
                               query.value(2).toString(), query.value(3).toString(),
                               query.value(4).toBool(),   query.value(5).toString(),
                               query.value(6).toString(), query.value(7).toString(),
                               query.value(8).toBool(),   query.value(9).toDouble()};
        if (!row(answer)) {
            break;
        }
    }
    if (query.lastError().type() != QSqlError::NoError) {
        m_error = query.lastError();
        return false;
    }
    return true;
}

}  // namespace nimbara
