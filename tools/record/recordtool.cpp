#include "tools/record/recordtool.h"

#include "tools/record/exportcommand.h"
#include "tools/record/servercommands.h"
#include "tools/record/setupservercommand.h"

#include <QIODevice>

#include <algorithm>

namespace nimbara {

const std::vector<RecordTool::Subcommand>& RecordTool::subcommands() {
    static const std::vector<Subcommand> all = {
        {"export", "[--since DATE] [--game ID] [FILE]",
         "writes the answers of your learning record as CSV to FILE or standard output",
         ExportCommand::run},
        {"setup-server", "[URI]",
         "creates or migrates the record's schema and roles on the server at URI (by default the "
         "configured one)",
         runSetupServer},
        {"export", "--server [URI] [--since DATE] [--game ID] [FILE]",
         "writes as CSV the answers on the record server at URI (by default the configured "
         "one) of every trainee your login may read",
         ExportCommand::run},
        {"report", "[--game ID] [--since DATE] [--server URI]",
         "prints from the record server a table per trainee and the group's most frequent "
         "confusions",
         ServerCommands::report},
    };
    return all;
}

QString RecordTool::usage() {
    QString text = "usage:\n";
    for (const Subcommand& command : subcommands()) {
        text += "  nimbara-record " + command.name + " " + command.usage + "\n      " +
                command.purpose + "\n";
    }
    return text;
}

void RecordTool::complain(QIODevice& err, const QString& message) {
    err.write(("nimbara-record: " + message + "\n").toUtf8());
}

int RecordTool::run(const QStringList& arguments, Streams streams) {
    const std::vector<Subcommand>& all = subcommands();
    const auto found = arguments.isEmpty()
                           ? all.end()
                           : std::find_if(all.begin(), all.end(), [&](const Subcommand& command) {
                                 return command.name == arguments[0];
                             });
    if (found == all.end()) {
        if (!arguments.isEmpty() && arguments[0] != "--help") {
            complain(streams.err, "unknown subcommand " + arguments[0]);
        }
        streams.err.write(usage().toUtf8());
        return kUsage;
    }
    return found->run(arguments.mid(1), streams);
}

}  // namespace nimbara
