#include "tools/record/setupservercommand.h"

#include "record/server/pgconnection.h"
#include "record/server/recordserverconfig.h"
#include "record/server/serverschema.h"

namespace nimbara {

int runSetupServer(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.size() > 1) {
        err << "usage: nimbara-record " << kSetupServerCommand.usage << "\n";
        return 2;
    }
    RecordServerConfig::Lookup server;
    if (arguments.isEmpty()) {
        server = RecordServerConfig::find(QProcessEnvironment::systemEnvironment());
        if (server.error.isEmpty() && !server.named()) {
            err << "nimbara-record: no record server is named; give its URI.\n";
            return 2;
        }
    } else {
        server.uri = arguments.first();
        server.error = RecordServerConfig::checkUri(server.uri, QStringLiteral("the command line"));
    }
    if (!server.error.isEmpty()) {
        err << "nimbara-record: " << server.error << "\n";
        return 2;
    }
    PgConnection connection;
    if (const PgError error = connection.open(server.uri); error.failed()) {
        err << "nimbara-record: cannot connect to " << server.uri << ": " << error.text << "\n";
        return 1;
    }
    const ServerSchema::Outcome outcome = ServerSchema::setUp(connection);
    if (outcome.error.failed()) {
        err << "nimbara-record: cannot set up the record on " << server.uri << ": "
            << outcome.error.text << "\n";
        return 1;
    }
    out << "The record on " << server.uri << " is at schema version " << outcome.toVersion;
    out << (outcome.fromVersion == outcome.toVersion
                ? QStringLiteral("; nothing to change")
                : QStringLiteral(" (was %1)").arg(outcome.fromVersion));
    if (!outcome.rolesCreated.isEmpty()) {
        out << "; created the roles " << outcome.rolesCreated.join(QStringLiteral(", "));
    }
    out << ".\n";
    return 0;
}

}  // namespace nimbara
