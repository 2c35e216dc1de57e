#pragma once

#include "record/server/syncsource.h"

#include <QSet>

#include <functional>
#include <mutex>

// A local record held in memory, for the sync's tests: rounds and answers with what was copied,
// safe to read from the test while the worker copies. Hooks let a test act in the middle of a
// sync (stop the server, fail a mark).
class MemorySyncSource : public nimbara::SyncSource {
public:
    // A round of trainee with answers answers (every other one right), open or finished.
    void addRound(const QString& trainee, int answers, bool finished);
    void addRound(const nimbara::SyncRound& round);
    void addAnswer(const nimbara::SyncAnswer& answer);
    // Ends the round with id as finished, with its score.
    void finishRound(const QString& id);

    nimbara::SyncBatch nextBatch(int maxRows, QString* error) override;
    bool markCopied(const nimbara::SyncBatch& batch, QString* error) override;
    int waitingAnswers() override;

    bool allCopied();
    int batchesTaken();
    std::vector<nimbara::SyncRound> rounds();
    std::vector<nimbara::SyncAnswer> answers();

    // Called with the number of the batch about to be taken (1, 2, ...), on the worker thread.
    std::function<void(int)> beforeBatch;
    // The marks to refuse, by number of the call (1, 2, ...).
    QSet<int> refusedMarks;

private:
    bool roundPending(const nimbara::SyncRound& round) const;

    std::mutex m_mutex;
    std::vector<nimbara::SyncRound> m_rounds;
    std::vector<nimbara::SyncAnswer> m_answers;
    QHash<QString, nimbara::SyncRound> m_copiedRounds;  // the state each round was copied in
    QSet<QString> m_copiedAnswers;
    int m_batches = 0;
    int m_marks = 0;
};
