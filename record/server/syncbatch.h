#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace nimbara {

// A round as the local record holds it, for copying to the server. Times are ISO 8601 UTC text
// ("2026-12-07T14:02:03.123Z"); the server stores them as timestamps.
struct SyncRound {
    QString id;           // UUID
    QString displayName;  // the trainee as the local record names them
    QString game;         // import id
    bool practice = false;
    QString startedAt;
    QString endedAt;  // empty while the round is open
    QString outcome;  // "open", "finished" or "abandoned"
    int good = 0;
    int asked = 0;
    std::optional<int> percent;
    QString rating;  // empty when the round has none
};

// One judged answer as the local record holds it.
struct SyncAnswer {
    QString id;  // UUID
    QString roundId;
    QString answeredAt;
    QString photo;
    QString rightAnswer;
    QString givenAnswer;
    bool correct = false;
    double seconds = 0;
};

// Rows to copy in one transaction. Every answer's round is in rounds or was copied before.
struct SyncBatch {
    std::vector<SyncRound> rounds;
    std::vector<SyncAnswer> answers;

    bool empty() const { return rounds.empty() && answers.empty(); }
    size_t size() const { return rounds.size() + answers.size(); }
};

}  // namespace nimbara
