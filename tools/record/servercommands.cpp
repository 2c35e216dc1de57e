#include "tools/record/servercommands.h"

#include "record/recordcsv.h"
#include "record/server/pgconnection.h"
#include "record/server/recordserverconfig.h"
#include "record/server/serverreader.h"
#include "record/wholeanswers.h"
#include "tools/record/exportcommand.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSaveFile>

#include <algorithm>

namespace nimbara {

namespace {

// A table of text: columns padded to their widest cell, numbers aligned right.
class TextTable {
public:
    explicit TextTable(QStringList header, std::vector<bool> rightAligned)
        : m_rightAligned(std::move(rightAligned)) {
        m_rows.push_back(std::move(header));
    }
    void add(QStringList row) { m_rows.push_back(std::move(row)); }

    QString text(const QString& indent) const {
        std::vector<qsizetype> widths(m_rightAligned.size(), 0);
        for (const QStringList& row : m_rows) {
            for (qsizetype i = 0; i < row.size(); ++i) {
                widths[static_cast<size_t>(i)] =
                    std::max(widths[static_cast<size_t>(i)], row[i].size());
            }
        }
        QString out;
        for (const QStringList& row : m_rows) {
            QStringList cells;
            for (qsizetype i = 0; i < row.size(); ++i) {
                const auto width = static_cast<int>(widths[static_cast<size_t>(i)]);
                cells << (m_rightAligned[static_cast<size_t>(i)] ? row[i].rightJustified(width)
                                                                 : row[i].leftJustified(width));
            }
            out += indent + cells.join("  ").trimmed() + "\n";
        }
        return out;
    }

private:
    std::vector<bool> m_rightAligned;
    std::vector<QStringList> m_rows;
};

struct ReportOptions {
    QString game;
    QString since;
    QString uri;
};

std::optional<ReportOptions> parseReport(const QStringList& arguments, QString& problem) {
    ReportOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument != "--game" && argument != "--since" && argument != "--server") {
            problem = "unexpected argument " + argument;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            problem = argument + " needs a value";
            return std::nullopt;
        }
        const QString& value = arguments[++i];
        if (argument == "--game") {
            options.game = value;
        } else if (argument == "--server") {
            options.uri = value;
        } else {
            options.since = ExportCommand::sinceTimestamp(value);
            if (options.since.isEmpty()) {
                problem = "--since takes a date like 2026-12-01, not " + value;
                return std::nullopt;
            }
        }
    }
    return options;
}

QString percentText(double percent) {
    return QString::number(qRound(percent)) + " %";
}

// The group's confusions over every game of the filter, most frequent first.
struct GameConfusion {
    QString game;
    Confusion confusion;
};

std::vector<GameConfusion> groupConfusions(ServerReader& reader, const ServerFilter& filter) {
    std::vector<GameConfusion> all;
    const QStringList games =
        filter.game.isEmpty() ? reader.playedGames({}) : QStringList{filter.game};
    for (const QString& game : games) {
        for (const Confusion& confusion : reader.progress({{}, game, filter.since}).confusions) {
            all.push_back({game, confusion});
        }
    }
    std::stable_sort(all.begin(), all.end(), [](const GameConfusion& a, const GameConfusion& b) {
        return a.confusion.times > b.confusion.times;
    });
    if (all.size() > ServerCommands::kReportedConfusions) {
        all.resize(ServerCommands::kReportedConfusions);
    }
    return all;
}

QString reportText(ServerReader& reader, const ReportOptions& options, const QString& uri) {
    const ServerFilter filter{{}, options.game, options.since};
    QString text = "Learning record on " + uri;
    if (!options.game.isEmpty()) {
        text += ", game " + options.game;
    }
    if (!options.since.isEmpty()) {
        text += ", since " + options.since;
    }
    text += "\n";
    const std::vector<TraineeGameTotals> totals = reader.traineeTotals(filter);
    if (reader.lastError().failed()) {
        return {};
    }
    if (totals.empty()) {
        return text + "\nNo rounds.\n";
    }
    for (auto from = totals.begin(); from != totals.end();) {
        const auto to = std::find_if(from, totals.end(), [&](const TraineeGameTotals& row) {
            return row.trainee != from->trainee;
        });
        TextTable table({"Game", "Rounds", "Answers", "Right", "Mean seconds"},
                        {false, true, true, true, true});
        for (auto row = from; row != to; ++row) {
            table.add({row->game, QString::number(row->rounds), QString::number(row->answers),
                       percentText(row->percentRight()),
                       QString::number(row->meanSeconds(), 'f', 1)});
        }
        text += "\nTrainee " + from->trainee + "\n" + table.text("  ");
        from = to;
    }
    const std::vector<GameConfusion> confusions = groupConfusions(reader, filter);
    if (reader.lastError().failed()) {
        return {};
    }
    text += "\nMost frequent confusions\n";
    if (confusions.empty()) {
        return text + "  none\n";
    }
    TextTable table({"Game", "Right", "Taken for", "Times"}, {false, false, false, true});
    for (const GameConfusion& row : confusions) {
        table.add({row.game, row.confusion.right, row.confusion.given,
                   QString::number(row.confusion.times)});
    }
    return text + table.text("  ");
}

bool writeServerCsv(ServerReader& reader, const QString& since, const QString& game, QIODevice& out,
                    QString& error) {
    return RecordCsv::write(
        [&](const std::function<bool(const ExportRow&)>& row, QString& readError) {
            if (reader.exportRows({{}, game, since}, row)) {
                return true;
            }
            readError = reader.lastError().text;
            return false;
        },
        out, error);
}

}  // namespace

bool ServerCommands::looksLikeUri(const QString& argument) {
    return argument.startsWith("postgresql://") || argument.startsWith("postgres://") ||
           argument.contains('=');
}

int ServerCommands::connect(const QString& uri, PgConnection& connection, QString& used,
                            RecordTool::Streams streams) {
    RecordServerConfig::Lookup server;
    if (uri.isEmpty()) {
        server = RecordServerConfig::find(QProcessEnvironment::systemEnvironment());
        if (server.error.isEmpty() && !server.named()) {
            RecordTool::complain(streams.err, "no record server is named; give its URI");
            return RecordTool::kUsage;
        }
    } else {
        server.uri = uri;
        server.error = RecordServerConfig::checkUri(uri, "the command line");
    }
    if (!server.error.isEmpty()) {
        RecordTool::complain(streams.err, server.error);
        return RecordTool::kUsage;
    }
    used = server.uri;
    if (const PgError error = connection.open(server.uri); error.failed()) {
        RecordTool::complain(streams.err, "cannot connect to " + server.uri + ": " + error.text);
        return RecordTool::kFailed;
    }
    return RecordTool::kDone;
}

int ServerCommands::report(const QStringList& arguments, RecordTool::Streams streams) {
    QString problem;
    const std::optional<ReportOptions> options = parseReport(arguments, problem);
    if (!options) {
        RecordTool::complain(streams.err, problem);
        streams.err.write(RecordTool::usage().toUtf8());
        return RecordTool::kUsage;
    }
    PgConnection connection;
    QString uri;
    if (const int status = connect(options->uri, connection, uri, streams);
        status != RecordTool::kDone) {
        return status;
    }
    const WholeAnswers games;
    ServerReader reader(connection, games);
    const QString text = reportText(reader, *options, uri);
    if (reader.lastError().failed()) {
        RecordTool::complain(streams.err,
                             "cannot read the record on " + uri + ": " + reader.lastError().text);
        return RecordTool::kFailed;
    }
    const QByteArray bytes = text.toUtf8();
    if (streams.out.write(bytes) != bytes.size()) {
        RecordTool::complain(streams.err, "cannot write the report: " + streams.out.errorString());
        return RecordTool::kFailed;
    }
    return RecordTool::kDone;
}

int ServerCommands::exportCsv(const QString& uri, const QString& since, const QString& game,
                              const QString& file, RecordTool::Streams streams) {
    if (!file.isEmpty() && QFileInfo(file).isSymLink()) {
        RecordTool::complain(streams.err, file + " is a symbolic link; nothing written");
        return RecordTool::kFailed;
    }
    PgConnection connection;
    QString used;
    if (const int status = connect(uri, connection, used, streams); status != RecordTool::kDone) {
        return status;
    }
    const WholeAnswers games;
    ServerReader reader(connection, games);
    QString error;
    if (file.isEmpty()) {
        if (writeServerCsv(reader, since, game, streams.out, error)) {
            return RecordTool::kDone;
        }
        RecordTool::complain(streams.err, "cannot export from " + used + ": " + error);
        return RecordTool::kFailed;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = out.errorString();
    } else if (writeServerCsv(reader, since, game, out, error) && out.commit()) {
        return RecordTool::kDone;
    } else if (error.isEmpty()) {
        error = out.errorString();
    }
    out.cancelWriting();
    RecordTool::complain(streams.err, "cannot export from " + used + " to " + file + ": " + error);
    return RecordTool::kFailed;
}

}  // namespace nimbara
