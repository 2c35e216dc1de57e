#include "tests/server/memorysyncsource.h"

#include <QDateTime>
#include <QUuid>

using nimbara::SyncAnswer;
using nimbara::SyncBatch;
using nimbara::SyncRound;

namespace {

QString newId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString isoNow(int offsetSeconds) {
    return QDateTime::currentDateTimeUtc()
        .addSecs(offsetSeconds)
        .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

bool sameState(const SyncRound& a, const SyncRound& b) {
    return a.outcome == b.outcome && a.endedAt == b.endedAt && a.good == b.good &&
           a.asked == b.asked;
}

}  // namespace

void MemorySyncSource::addRound(const QString& trainee, int answers, bool finished) {
    SyncRound round{newId(), trainee, "clouds-normal", false, isoNow(0), {}, "open", 0, 0, {}, {}};
    addRound(round);
    for (int i = 0; i < answers; ++i) {
        addAnswer({newId(), round.id, isoNow(i + 1), QString("cloud%1.bmp").arg(i % 95),
                   "Cl 2 - Cm 6 - Ch 0", i % 2 ? "Cl 8 - Cm 6 - Ch 0" : "Cl 2 - Cm 6 - Ch 0",
                   i % 2 == 0, 3.25 + i % 7});
    }
    if (finished) {
        finishRound(round.id);
    }
}

void MemorySyncSource::addRound(const SyncRound& round) {
    const std::lock_guard lock(m_mutex);
    m_rounds.push_back(round);
}

void MemorySyncSource::addAnswer(const SyncAnswer& answer) {
    const std::lock_guard lock(m_mutex);
    m_answers.push_back(answer);
}

void MemorySyncSource::finishRound(const QString& id) {
    const std::lock_guard lock(m_mutex);
    for (SyncRound& round : m_rounds) {
        if (round.id != id) {
            continue;
        }
        round.asked = round.good = 0;
        for (const SyncAnswer& answer : m_answers) {
            round.asked += answer.roundId == id;
            round.good += answer.roundId == id && answer.correct;
        }
        round.outcome = "finished";
        round.endedAt = isoNow(round.asked + 1);
        round.percent = round.asked ? 100 * round.good / round.asked : 0;
        round.rating = "(novice)";
    }
}

bool MemorySyncSource::roundPending(const SyncRound& round) const {
    const auto copied = m_copiedRounds.constFind(round.id);
    return copied == m_copiedRounds.constEnd() || !sameState(*copied, round);
}

SyncBatch MemorySyncSource::nextBatch(int maxRows, QString*) {
    int number = 0;
    {
        const std::lock_guard lock(m_mutex);
        number = ++m_batches;
    }
    if (beforeBatch) {
        beforeBatch(number);
    }
    const std::lock_guard lock(m_mutex);
    SyncBatch batch;
    QSet<QString> pendingRounds;
    for (const SyncRound& round : m_rounds) {
        if (roundPending(round)) {
            pendingRounds.insert(round.id);
            if (static_cast<int>(batch.size()) < maxRows) {
                batch.rounds.push_back(round);
            }
        }
    }
    QSet<QString> inBatch;
    for (const SyncRound& round : batch.rounds) {
        inBatch.insert(round.id);
    }
    for (const SyncAnswer& answer : m_answers) {
        if (static_cast<int>(batch.size()) >= maxRows) {
            break;
        }
        const bool roundThere =
            inBatch.contains(answer.roundId) || !pendingRounds.contains(answer.roundId);
        if (roundThere && !m_copiedAnswers.contains(answer.id)) {
            batch.answers.push_back(answer);
        }
    }
    return batch;
}

bool MemorySyncSource::markCopied(const SyncBatch& batch, QString* error) {
    const std::lock_guard lock(m_mutex);
    if (refusedMarks.contains(++m_marks)) {
        *error = QStringLiteral("the record is locked");
        return false;
    }
    for (const SyncRound& round : batch.rounds) {
        m_copiedRounds.insert(round.id, round);
    }
    for (const SyncAnswer& answer : batch.answers) {
        m_copiedAnswers.insert(answer.id);
    }
    return true;
}

int MemorySyncSource::waitingAnswers() {
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_answers.size()) - static_cast<int>(m_copiedAnswers.size());
}

bool MemorySyncSource::allCopied() {
    const std::lock_guard lock(m_mutex);
    for (const SyncRound& round : m_rounds) {
        if (roundPending(round)) {
            return false;
        }
    }
    return static_cast<int>(m_copiedAnswers.size()) == static_cast<int>(m_answers.size());
}

int MemorySyncSource::batchesTaken() {
    const std::lock_guard lock(m_mutex);
    return m_batches;
}

std::vector<SyncRound> MemorySyncSource::rounds() {
    const std::lock_guard lock(m_mutex);
    return m_rounds;
}

std::vector<SyncAnswer> MemorySyncSource::answers() {
    const std::lock_guard lock(m_mutex);
    return m_answers;
}
