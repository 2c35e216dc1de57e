// nimbara-record: the learning record from the command line. Each subcommand lives in a file of
// its own and is listed in kCommands.
#include "tools/record/recordcommand.h"
#include "tools/record/setupservercommand.h"

#include <QCoreApplication>

#include <array>
#include <cstdio>

namespace {

constexpr std::array kCommands = {nimbara::kSetupServerCommand};

int usage(QTextStream& err) {
    err << "usage:";
    for (const nimbara::RecordCommand& command : kCommands) {
        err << "\n  nimbara-record " << command.usage;
    }
    err << "\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        return usage(err);
    }
    const QString name = arguments.takeFirst();
    for (const nimbara::RecordCommand& command : kCommands) {
        if (name == QLatin1String(command.name)) {
            return command.run(arguments, out, err);
        }
    }
    return usage(err);
}
