#pragma once

#include <QString>

namespace nimbara {

// A round as it starts. Times are record timestamps (recordTimestamp()).
struct RoundStart {
    QString id;  // a UUID
    QString trainee;
    QString game;
    bool practice = false;
    QString startedAt;
};

// One judged answer of a round.
struct AnswerRecord {
    QString id;  // a UUID
    QString roundId;
    QString answeredAt;
    QString photo;
    QString rightAnswer;
    QString givenAnswer;
    bool correct = false;
    double seconds = 0;
};

// How a round ended.
struct RoundEnd {
    QString id;
    QString endedAt;
    bool finished = false;  // false: abandoned
    int percent = 0;        // finished rounds only
    QString rating;         // finished rounds only
};

}  // namespace nimbara
