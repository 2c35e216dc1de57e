#pragma once

#include "record/server/pgerror.h"

#include <QString>

struct pg_result;

namespace nimbara {

// The result of one statement, owning libpq's result (freed with it). A result that holds no
// libpq result (the statement could not be sent) reports the error it was made with.
class PgResult {
public:
    PgResult() = default;
    // Takes ownership of result (may be null); error describes a failure to send.
    PgResult(pg_result* result, PgError error);
    PgResult(PgResult&& other) noexcept;
    PgResult& operator=(PgResult&& other) noexcept;
    PgResult(const PgResult&) = delete;
    PgResult& operator=(const PgResult&) = delete;
    ~PgResult();

    // The failure, with kind None when the statement ran.
    const PgError& error() const { return m_error; }
    bool ok() const { return !m_error.failed(); }
    int rows() const;
    // The value as text (UTF-8 decoded); an empty string for NULL.
    QString value(int row, int column) const;
    bool isNull(int row, int column) const;
    // Rows the statement changed (INSERT, UPDATE, DELETE); 0 otherwise.
    int affectedRows() const;

private:
    pg_result* m_result = nullptr;
    PgError m_error;
};

}  // namespace nimbara
