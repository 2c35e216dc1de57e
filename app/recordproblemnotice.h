#pragma once

#include "record/recordproblem.h"

namespace nimbara {

// Tells the trainee of the learning record's problems: the first problem of the program's run
// gets one box through the message-box service (it names the file and what happened); the
// record's later problems in the same run pass silently, so that a game is never interrupted
// twice.
class RecordProblemNotice {
public:
    static inline const QString kCaption = "Nimbara learning record";

    void report(const RecordProblem& problem);
    bool shown() const { return m_shown; }

private:
    bool m_shown = false;
};

}  // namespace nimbara
