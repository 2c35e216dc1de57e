#include "record/roundrecorder.h"

#include "record/recordenvironment.h"
#include "record/recordstore.h"

namespace nimbara {

RoundRecorder::RoundRecorder(RecordStore& store, ProblemSink problems, Clock clock)
    : m_store(store), m_problems(std::move(problems)), m_clock(std::move(clock)) {}

RoundRecorder::~RoundRecorder() {
    roundAbandoned();
}

QString RoundRecorder::now() const {
    return recordTimestamp(m_clock ? m_clock() : QDateTime::currentDateTimeUtc());
}

void RoundRecorder::report(const RecordProblem& problem) {
    if (problem.kind == RecordProblem::Kind::Damaged) {
        m_round.written = false;  // the round's row stayed in the damaged file
    }
    if (m_problems) {
        m_problems(problem);
    }
}

void RoundRecorder::roundStarted(const std::string& game, bool practice) {
    roundAbandoned();
    m_round.id = recordId();
    m_round.game = QString::fromStdString(game);
    m_round.practice = practice;
    m_round.startedAt = now();
    m_round.written = false;
    ensureRoundWritten();
}

bool RoundRecorder::ensureRoundWritten() {
    for (int attempt = 0; !m_round.written && attempt < 2; ++attempt) {
        // Opened first, so that a damaged file is reported before the trainee's name is read.
        std::optional<RecordProblem> problem = m_store.open();
        if (!problem) {
            problem = m_store.startRound(
                {m_round.id, m_store.trainee(), m_round.game, m_round.practice, m_round.startedAt});
        }
        if (!problem) {
            m_round.written = true;
            break;
        }
        report(*problem);
        // A record started anew after damage takes the round at once.
        if (problem->kind != RecordProblem::Kind::Damaged) {
            return false;
        }
    }
    return m_round.written;
}

void RoundRecorder::answerJudged(const JudgedAnswer& answer) {
    if (m_round.id.isEmpty()) {
        return;
    }
    const AnswerRecord record{recordId(),
                              m_round.id,
                              now(),
                              QString::fromStdString(answer.photo),
                              QString::fromStdString(answer.rightAnswer),
                              QString::fromStdString(answer.givenAnswer),
                              answer.correct,
                              answer.seconds};
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!ensureRoundWritten()) {
            return;
        }
        const std::optional<RecordProblem> problem = m_store.recordAnswer(record);
        if (!problem) {
            return;
        }
        report(*problem);
        if (problem->kind != RecordProblem::Kind::Damaged) {
            return;
        }
    }
}

void RoundRecorder::endRound(bool finished, int percent, const std::string& rating) {
    if (m_round.id.isEmpty()) {
        return;
    }
    if (m_round.written) {
        const RoundEnd end{m_round.id, now(), finished, percent, QString::fromStdString(rating)};
        if (const std::optional<RecordProblem> problem = m_store.endRound(end)) {
            report(*problem);
        }
    }
    m_round = {};
}

void RoundRecorder::roundFinished(int percent, const std::string& rating) {
    endRound(true, percent, rating);
}

void RoundRecorder::roundAbandoned() {
    endRound(false, 0, {});
}

}  // namespace nimbara
