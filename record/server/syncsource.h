#pragma once

#include "record/server/syncbatch.h"

namespace nimbara {

// Where the sync takes the rows it copies: the local record. Called only on the sync's worker
// thread (a SQLite connection of its own belongs there), one call at a time.
class SyncSource {
public:
    virtual ~SyncSource() = default;

    // Up to maxRows rows not yet copied, oldest first: the rounds that are new or changed since
    // they were copied (a round that ended after it was copied open comes again), and the
    // answers not yet copied whose round is in the batch or copied before. Empty when all is
    // copied. On a local failure returns empty and says why in *error.
    virtual SyncBatch nextBatch(int maxRows, QString* error) = 0;

    // Notes that batch reached the server. A round counts as copied in the state the batch
    // held; if it changed since, it comes again. Returns false (and why) when the note could
    // not be written: the rows are sent again later, which the server ignores.
    virtual bool markCopied(const SyncBatch& batch, QString* error) = 0;

    // How many answers wait to be copied, for the status line; -1 when unknown.
    virtual int waitingAnswers() = 0;

    // The worker ends: lets go of what the source holds on the worker's thread (a connection
    // made there must be closed there).
    virtual void release() {}
};

}  // namespace nimbara
