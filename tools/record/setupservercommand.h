#pragma once

#include "tools/record/recordcommand.h"

namespace nimbara {

// nimbara-record setup-server [URI]: creates or migrates the record's schema and its two group
// roles on the server at URI (by default the configured one); running it again changes nothing.
int runSetupServer(const QStringList& arguments, QTextStream& out, QTextStream& err);

inline constexpr RecordCommand kSetupServerCommand{"setup-server", "setup-server [URI]",
                                                   &runSetupServer};

}  // namespace nimbara
