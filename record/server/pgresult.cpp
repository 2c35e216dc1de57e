#include "record/server/pgresult.h"

#include <libpq-fe.h>

#include <utility>

namespace nimbara {

PgResult::PgResult(pg_result* result, PgError error)
    : m_result(result), m_error(std::move(error)) {}

PgResult::PgResult(PgResult&& other) noexcept
    : m_result(std::exchange(other.m_result, nullptr)), m_error(std::move(other.m_error)) {}

PgResult& PgResult::operator=(PgResult&& other) noexcept {
    if (this != &other) {
        PQclear(m_result);
        m_result = std::exchange(other.m_result, nullptr);
        m_error = std::move(other.m_error);
    }
    return *this;
}

PgResult::~PgResult() {
    PQclear(m_result);
}

int PgResult::rows() const {
    return m_result ? PQntuples(m_result) : 0;
}

QString PgResult::value(int row, int column) const {
    if (!m_result || row >= rows() || column >= PQnfields(m_result)) {
        return {};
    }
    return QString::fromUtf8(PQgetvalue(m_result, row, column), PQgetlength(m_result, row, column));
}

bool PgResult::isNull(int row, int column) const {
    return !m_result || row >= rows() || column >= PQnfields(m_result) ||
           PQgetisnull(m_result, row, column) != 0;
}

int PgResult::affectedRows() const {
    const char* count = m_result ? PQcmdTuples(m_result) : "";
    return *count ? QByteArray(count).toInt() : 0;
}

}  // namespace nimbara
