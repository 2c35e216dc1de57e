#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>

namespace nimbara {

// Where copying the local record to the server stands, for the progress window's status line
// ("12 answers waiting; last copied 14:02").
struct SyncStatus {
    enum class State {
        Starting,  // not yet connected
        Copying,   // rows are on their way
        UpToDate,  // everything recorded so far is on the server
        Retrying,  // the server is away or refused: tried again after a pause
        Stopped,
    };

    State state = State::Starting;
    int waitingAnswers = -1;  // answers not yet copied; -1 when unknown
    QDateTime lastCopied;     // UTC; invalid before the first copy of this session
    QString problem;          // why the last attempt failed, while Retrying
    QString loginRole;        // the role the server knows the trainee by, once connected
    bool instructor = false;  // the login role is a member of nimbara_instructor
};

}  // namespace nimbara

Q_DECLARE_METATYPE(nimbara::SyncStatus)
