#pragma once

#include "record/server/pgerror.h"
#include "record/server/syncbatch.h"

namespace nimbara {

class PgConnection;

// Copies batches of the local record to the server as the connected login role, the trainee.
// Copying is idempotent: an answer or round already there is left as it is, except that a round
// copied while open takes the end state it later reached. So a batch sent twice (after a lost
// reply) and one trainee's record copied from two machines both leave every row once.
class ServerUploader {
public:
    // connection must stay open while this is used.
    explicit ServerUploader(PgConnection& connection);

    // Sends batch, rounds before answers, in one pipeline and one transaction: on failure
    // nothing of it stays on the server.
    PgError upload(const SyncBatch& batch);

private:
    PgError prepare();

    PgConnection& m_connection;
};

}  // namespace nimbara
