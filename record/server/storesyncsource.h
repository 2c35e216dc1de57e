#pragma once

#include "record/server/syncsource.h"

#include <QSqlDatabase>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace nimbara {

// The user's learning record (the SQLite file a RecordStore writes) as the sync's source. It
// opens a connection of its own on the worker's thread when first asked, beside the program's
// own: the record's write-ahead log lets it read while a game writes, and the busy timeout lets
// its marks wait for a game's transaction. A record that does not exist yet has nothing to
// copy; the source never creates it.
//
// What was copied is noted in the record itself (rounds.copied_outcome, answers.copied), so a
// copy cut off by the end of the program goes on where it stopped at the next start.
class StoreSyncSource final : public SyncSource {
public:
    explicit StoreSyncSource(QString path,
                             std::chrono::milliseconds busyTimeout = std::chrono::seconds(5));
    ~StoreSyncSource() override;
    StoreSyncSource(const StoreSyncSource&) = delete;
    StoreSyncSource& operator=(const StoreSyncSource&) = delete;

    SyncBatch nextBatch(int maxRows, QString* error) override;
    bool markCopied(const SyncBatch& batch, QString* error) override;
    int waitingAnswers() override;
    void release() override;

private:
    struct FileIdentity;
    struct Statements;

    // Opens the connection where needed; false with error set when it cannot. A record file
    // that is not there yet gives false with no error.
    bool ready(QString* error);
    SyncBatch readBatch(int maxRows, QString* error);
    QString failure(const QString& what) const;

    // Counting what waits reads the whole index of it: on a long record, once a second at most
    // while batches go out.
    static constexpr std::chrono::seconds kCountAgainAfter{1};
    struct Count {
        int waiting = 0;
        std::chrono::steady_clock::time_point at;
    };

    QString m_path;
    std::chrono::milliseconds m_busyTimeout;
    std::optional<Count> m_counted;
    QString m_connection;
    std::unique_ptr<Statements> m_statements;
};

}  // namespace nimbara
