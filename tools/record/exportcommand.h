#pragma once

#include "tools/record/recordtool.h"

#include <QString>

#include <optional>

namespace nimbara {

// nimbara-record export [--server [URI]] [--since DATE] [--game ID] [FILE]: the answers of the
// user's learning record as CSV (the columns of RecordCsv), to FILE or, without it, to standard
// output. DATE is a day ("2026-12-01", from its midnight in UTC) or a time in ISO 8601 (UTC unless
// it gives its offset). The record is only read; a user without a record gets the header line
// alone. With --server the answers come from the organisation's server at URI (by default the
// configured one) instead: every trainee's the login role may read (see ServerCommands).
class ExportCommand {
public:
    struct Options {
        QString since;  // a record timestamp, empty for all
        QString game;   // empty for all
        QString file;   // empty for standard output
        bool server = false;
        QString serverUri;  // empty: the configured server
    };

    static int run(const QStringList& arguments, RecordTool::Streams streams);
    // The options of arguments; nullopt with problem set when they are wrong.
    static std::optional<Options> parse(const QStringList& arguments, QString& problem);
    // The record timestamp a DATE argument means; empty when it is no date.
    static QString sinceTimestamp(const QString& date);
};

}  // namespace nimbara
