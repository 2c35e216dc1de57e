#include "record/server/pgconnection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <chrono>
#include <memory>

namespace nimbara {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultConnectSeconds = 10;
constexpr int kPollMilliseconds = 100;

// libpq's messages end in a line feed and may span lines; a message box or a log wants one line.
QString oneLine(const char* message) {
    return QString::fromUtf8(message).simplified();
}

// The connect_timeout the URI names, else the default: the non-blocking connect does not
// enforce it, so the wait below does.
std::chrono::seconds connectTimeout(const QByteArray& uri) {
    char* error = nullptr;
    std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(
        PQconninfoParse(uri.constData(), &error), &PQconninfoFree);
    PQfreemem(error);
    for (PQconninfoOption* option = options.get(); option && option->keyword; ++option) {
        if (qstrcmp(option->keyword, "connect_timeout") == 0 && option->val) {
            const int seconds = QByteArray(option->val).toInt();
            if (seconds > 0) {
                return std::chrono::seconds(std::max(seconds, 2));
            }
        }
    }
    return std::chrono::seconds(kDefaultConnectSeconds);
}

// Waits up to a tenth of a second for the socket to become ready in the way libpq asked.
void waitForSocket(PGconn* conn, PostgresPollingStatusType status) {
    pollfd socket{PQsocket(conn), 0, 0};
    socket.events = status == PGRES_POLLING_READING ? POLLIN : POLLOUT;
    if (socket.fd >= 0) {
        ::poll(&socket, 1, kPollMilliseconds);
    }
}

// True once the server at the other end has answered: the failure after that is a refusal,
// before it the server was not reached.
bool serverAnswered(ConnStatusType status) {
    switch (status) {
        case CONNECTION_AWAITING_RESPONSE:
        case CONNECTION_AUTH_OK:
        case CONNECTION_SETENV:
        case CONNECTION_SSL_STARTUP:
        case CONNECTION_CHECK_WRITABLE:
        case CONNECTION_CONSUME:
        case CONNECTION_GSS_STARTUP:
        case CONNECTION_CHECK_TARGET:
        case CONNECTION_CHECK_STANDBY:
            return true;
        default:
            return false;
    }
}

// A statement's values in the arrays libpq takes; valid while params lives.
struct ParamArrays {
    explicit ParamArrays(const PgParams& params) {
        for (const std::optional<QByteArray>& param : params) {
            values.push_back(param ? param->constData() : nullptr);
            lengths.push_back(param ? static_cast<int>(param->size()) : 0);
        }
    }
    int count() const { return static_cast<int>(values.size()); }

    std::vector<const char*> values;
    std::vector<int> lengths;
};

}  // namespace

PgConnection::~PgConnection() {
    close();
}

void PgConnection::close() {
    PQfinish(m_conn);
    m_conn = nullptr;
    m_prepared.clear();
}

bool PgConnection::isOpen() const {
    return m_conn && PQstatus(m_conn) == CONNECTION_OK;
}

PgError PgConnection::open(const QString& uri, const std::function<bool()>& cancelled) {
    const QByteArray address = uri.toUtf8();
    // Settings before dbname are defaults the URI may override; UTF-8 is what this side sends.
    const char* const keywords[] = {"fallback_application_name",
                                    "keepalives_idle",
                                    "keepalives_interval",
                                    "keepalives_count",
                                    "dbname",
                                    "client_encoding",
                                    nullptr};
    const char* const values[] = {"nimbara", "30", "10", "3", address.constData(), "UTF8", nullptr};
    const std::chrono::seconds timeout = connectTimeout(address);
    // A server that is starting, stopping or recovering refuses logins for a moment: it is away,
    // not refusing. A ping, which does not log in, says so; a refusal from a server that takes
    // connections is believed when it comes twice.
    PgError error;
    for (int attempt = 0; attempt < 2; ++attempt) {
        bool answered = false;
        error = connect(keywords, values, timeout, cancelled, &answered);
        if (!error.failed() || !answered) {
            return error;
        }
        if (PQpingParams(keywords, values, 1) == PQPING_REJECT) {
            return error;
        }
        error.kind = PgError::Kind::LoginRefused;
    }
    return error;
}

PgError PgConnection::connect(const char* const* keywords, const char* const* values,
                              std::chrono::seconds timeout, const std::function<bool()>& cancelled,
                              bool* answered) {
    close();
    m_conn = PQconnectStartParams(keywords, values, 1);
    if (!m_conn) {
        return {PgError::Kind::Unreachable, {}, QStringLiteral("out of memory")};
    }
    const Clock::time_point deadline = Clock::now() + timeout;
    PostgresPollingStatusType status =
        PQstatus(m_conn) == CONNECTION_BAD ? PGRES_POLLING_FAILED : PGRES_POLLING_WRITING;
    while (status != PGRES_POLLING_OK) {
        if (status == PGRES_POLLING_FAILED) {
            const PgError error = connectionError(PgError::Kind::Unreachable);
            close();
            return error;
        }
        if ((cancelled && cancelled()) || Clock::now() >= deadline) {
            close();
            *answered = false;
            return {PgError::Kind::Unreachable,
                    {},
                    QStringLiteral("no answer before the connection's deadline")};
        }
        waitForSocket(m_conn, status);
        status = PQconnectPoll(m_conn);
        *answered = *answered || serverAnswered(PQstatus(m_conn));
    }
    // The server's notices (a shutdown's warning) are no business of the program's output.
    PQsetNoticeProcessor(
        m_conn, [](void*, const char*) {}, nullptr);
    return {};
}

PgError PgConnection::connectionError(PgError::Kind kind) const {
    if (!m_conn) {
        return {PgError::Kind::Lost, {}, QStringLiteral("not connected")};
    }
    return {kind, {}, oneLine(PQerrorMessage(m_conn))};
}

PgError PgConnection::resultError(const pg_result* result) const {
    switch (PQresultStatus(result)) {
        case PGRES_COMMAND_OK:
        case PGRES_TUPLES_OK:
        case PGRES_PIPELINE_SYNC:
            return {};
        default:
            break;
    }
    if (!result || PQstatus(m_conn) == CONNECTION_BAD) {
        return connectionError(PgError::Kind::Lost);
    }
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    const char* message = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    return {PgError::Kind::Statement, QString::fromLatin1(state ? state : ""),
            message ? oneLine(message) : oneLine(PQresultErrorMessage(result))};
}

PgError PgConnection::prepare(const char* name, const char* sql) {
    if (m_prepared.count(name)) {
        return {};
    }
    if (!m_conn) {
        return connectionError(PgError::Kind::Lost);
    }
    std::unique_ptr<PGresult, decltype(&PQclear)> raw(PQprepare(m_conn, name, sql, 0, nullptr),
                                                      &PQclear);
    const PgError error = resultError(raw.get());
    if (!error.failed()) {
        m_prepared.insert(name);
    }
    return error;
}

PgResult PgConnection::execPrepared(const char* name, const PgParams& params) {
    if (!m_conn) {
        return {nullptr, connectionError(PgError::Kind::Lost)};
    }
    const ParamArrays arrays(params);
    PGresult* result = PQexecPrepared(m_conn, name, arrays.count(), arrays.values.data(),
                                      arrays.lengths.data(), nullptr, 0);
    PgError error = resultError(result);
    return {result, std::move(error)};
}

PgResult PgConnection::exec(const char* sql) {
    if (!m_conn) {
        return {nullptr, connectionError(PgError::Kind::Lost)};
    }
    PGresult* result = PQexecParams(m_conn, sql, 0, nullptr, nullptr, nullptr, nullptr, 0);
    PgError error = resultError(result);
    return {result, std::move(error)};
}

PgError PgConnection::runPipeline(const std::vector<PgCall>& calls) {
    if (!m_conn || PQenterPipelineMode(m_conn) != 1) {
        return connectionError(PgError::Kind::Lost);
    }
    for (const PgCall& call : calls) {
        const ParamArrays arrays(call.params);
        if (PQsendQueryPrepared(m_conn, call.statement, arrays.count(), arrays.values.data(),
                                arrays.lengths.data(), nullptr, 0) != 1) {
            const PgError error = connectionError(PgError::Kind::Lost);
            close();
            return error;
        }
    }
    if (PQpipelineSync(m_conn) != 1) {
        const PgError error = connectionError(PgError::Kind::Lost);
        close();
        return error;
    }
    // Every call answers with its result and a null; the sync closes the pipeline. After a
    // failure the server skips to the sync, and the calls before it are rolled back.
    PgError first;
    for (;;) {
        std::unique_ptr<PGresult, decltype(&PQclear)> result(PQgetResult(m_conn), &PQclear);
        if (!result) {
            if (PQstatus(m_conn) == CONNECTION_BAD) {
                first = connectionError(PgError::Kind::Lost);
                break;
            }
            continue;
        }
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_PIPELINE_SYNC) {
            break;
        }
        if (status != PGRES_PIPELINE_ABORTED && !first.failed()) {
            first = resultError(result.get());
        }
    }
    if (first.kind == PgError::Kind::Lost || PQexitPipelineMode(m_conn) != 1) {
        const PgError error = first.failed() ? first : connectionError(PgError::Kind::Lost);
        close();
        return error;
    }
    return first;
}

}  // namespace nimbara
