#pragma once

#include <QString>

#include <vector>

namespace nimbara {

// The rounds and answers of one game in one period.
struct RoundTotals {
    int rounds = 0;     // every round started in the period
    int finished = 0;   // played to the last answer
    int abandoned = 0;  // cancelled, closed, or cut off by a crash
    int practice = 0;   // practice rounds among them
    int answers = 0;
    int correct = 0;
    // Right answers in percent of the answers; 0 without answers.
    double percentRight() const { return answers > 0 ? 100.0 * correct / answers : 0; }
};

// A finished round's score over time.
struct RoundPoint {
    QString startedAt;  // record timestamp
    int percent = 0;
    double movingAverage = 0;  // of this round and the ones before it, kMovingAverageRounds at most
    bool practice = false;
};

// How one class (one answer group's value: "Cl 8", "brash ice") was answered.
struct ClassFigures {
    QString name;
    int answers = 0;
    int correct = 0;
    double seconds = 0;  // in total, from photo shown to OK
    double percentRight() const { return answers > 0 ? 100.0 * correct / answers : 0; }
    double meanSeconds() const { return answers > 0 ? seconds / answers : 0; }
};

// A class taken for another: "Cl 8 taken for Cl 4: 5 times".
struct Confusion {
    QString right;
    QString given;
    int times = 0;
};

// A photo and how often it was answered wrongly.
struct MissedPhoto {
    QString photo;
    int missed = 0;
    int shown = 0;
};

// The practice weight of a class: the lower its percent right, the heavier; never zero.
struct ClassWeight {
    QString name;
    double weight = 0;
};

// Everything the progress window shows of one game and period.
struct GameProgress {
    RoundTotals totals;
    std::vector<RoundPoint> rounds;         // finished rounds, oldest first
    std::vector<ClassFigures> classes;      // lowest percent right first
    std::vector<Confusion> confusions;      // most frequent first
    std::vector<MissedPhoto> missedPhotos;  // most often missed first, missed at least once
};

}  // namespace nimbara
