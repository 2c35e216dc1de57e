#pragma once

#include "tools/record/recordtool.h"

namespace nimbara {

// nimbara-record setup-server [URI]: creates or migrates the record's schema and its two group
// roles on the server at URI (by default the configured one); running it again changes nothing.
// Exit status 0 done, 1 the server refused or could not be reached, 2 the command line or the
// configuration is wrong.
int runSetupServer(const QStringList& arguments, RecordTool::Streams streams);

}  // namespace nimbara
