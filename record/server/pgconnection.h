#pragma once

#include "record/server/pgerror.h"
#include "record/server/pgresult.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct pg_conn;

namespace nimbara {

// The values of a statement's parameters, sent apart from its text: std::nullopt is NULL.
using PgParams = std::vector<std::optional<QByteArray>>;

// One prepared statement with its values, for a pipeline.
struct PgCall {
    const char* statement;  // the name given to prepare()
    PgParams params;
};

// One connection to a PostgreSQL server through libpq, used by one thread at a time. Every
// statement with values is prepared on the server and run with its values sent apart, so no
// value ever becomes statement text. Statements without values are constant texts.
class PgConnection {
public:
    PgConnection() = default;
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;
    ~PgConnection();

    // Connects to uri (a libpq connection URI or key=value string, sslmode and the rest
    // honoured as libpq reads them). While it waits, cancelled (when given) is asked every
    // tenth of a second, and a true answer gives up with Kind::Unreachable. Waits at most the
    // URI's connect_timeout, 10 seconds by default. Closes any earlier connection first.
    PgError open(const QString& uri, const std::function<bool()>& cancelled = {});
    bool isOpen() const;
    void close();

    // Prepares sql under name once per connection; later calls with the same name do nothing.
    PgError prepare(const char* name, const char* sql);
    // Runs the statement prepared under name with params.
    PgResult execPrepared(const char* name, const PgParams& params = {});
    // Runs one constant statement that takes no values.
    PgResult exec(const char* sql);
    // Sends calls in one pipeline and one implicit transaction: all take effect or none does.
    // The replies of a pipeline wait in the socket's buffers until it is read, so keep it to a
    // few thousand calls. Returns the first failure.
    PgError runPipeline(const std::vector<PgCall>& calls);

    // libpq's handle for what this class does not offer (COPY); null when closed.
    pg_conn* handle() const { return m_conn; }

private:
    // One attempt of open(); answered tells whether a server answered before it failed.
    PgError connect(const char* const* keywords, const char* const* values,
                    std::chrono::seconds timeout, const std::function<bool()>& cancelled,
                    bool* answered);
    PgError resultError(const pg_result* result) const;
    PgError connectionError(PgError::Kind kind) const;

    pg_conn* m_conn = nullptr;
    std::set<std::string> m_prepared;
};

}  // namespace nimbara
