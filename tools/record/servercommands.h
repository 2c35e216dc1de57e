#pragma once

#include "tools/record/recordtool.h"

#include <QString>

namespace nimbara {

class PgConnection;

// The subcommands that read the organisation's record on its server, as the login role that
// connects: a trainee reads its own rows, an instructor everyone's (the database decides).
class ServerCommands {
public:
    // nimbara-record report [--game ID] [--since DATE] [--server URI]: a table per trainee
    // (per game: rounds, answers, percent right, mean seconds) and the group's most frequent
    // confusions, as plain text.
    static int report(const QStringList& arguments, RecordTool::Streams streams);

    // The answers on the server as CSV, the columns of the local export, one row per answer of
    // every trainee the role may read, trainee being the login role that copied it. since and
    // game as ExportCommand reads them; uri empty for the configured server.
    static int exportCsv(const QString& uri, const QString& since, const QString& game,
                         const QString& file, RecordTool::Streams streams);

    // The most confusions the report lists.
    static constexpr int kReportedConfusions = 10;

    // Whether a command-line argument is a server's address rather than a file name.
    static bool looksLikeUri(const QString& argument);

    // Connects to uri (checked), or to the configured server when uri is empty; on failure
    // tells why on err and returns the exit status, else kDone.
    static int connect(const QString& uri, PgConnection& connection, QString& used,
                       RecordTool::Streams streams);
};

}  // namespace nimbara
