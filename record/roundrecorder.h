#pragma once

#include "record/recordproblem.h"
#include "record/roundlistener.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace nimbara {

class RecordStore;

// Keeps what the game flow tells in the learning record: a round row when a round starts, each
// answer (with the round's counts) in its own transaction before the flow goes on, the end or
// abandonment of the round. The store is opened at the first round.
//
// Recording never stops a game: each failure goes to the problem sink and the round plays on.
// A round whose start could not be written is written with its next answer; after the record
// was found damaged and started anew, the round is written again into the new file.
class RoundRecorder final : public RoundListener {
public:
    using ProblemSink = std::function<void(const RecordProblem&)>;
    using Clock = std::function<QDateTime()>;

    // store must outlive the recorder. clock gives the times written (the current time by
    // default).
    RoundRecorder(RecordStore& store, ProblemSink problems, Clock clock = {});
    // A round still open is abandoned, as when the program quits during a game.
    ~RoundRecorder() override;
    RoundRecorder(const RoundRecorder&) = delete;
    RoundRecorder& operator=(const RoundRecorder&) = delete;

    void roundStarted(const std::string& game, bool practice) override;
    void answerJudged(const JudgedAnswer& answer) override;
    void roundFinished(int percent, const std::string& rating) override;
    void roundAbandoned() override;

    // The id of the round in play; empty between rounds.
    const QString& roundInPlay() const { return m_round.id; }

private:
    // Writes the round's start row unless it is written; false when that failed.
    bool ensureRoundWritten();
    void endRound(bool finished, int percent, const std::string& rating);
    // Passes problem on; a damaged record means the round must be written again.
    void report(const RecordProblem& problem);
    QString now() const;

    RecordStore& m_store;
    ProblemSink m_problems;
    Clock m_clock;
    struct {
        QString id;
        QString game;
        bool practice = false;
        QString startedAt;
        bool written = false;
    } m_round;
};

}  // namespace nimbara
