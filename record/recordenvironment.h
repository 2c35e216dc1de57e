#pragma once

#include <QDateTime>
#include <QString>

namespace nimbara {

// The user's learning record: $XDG_DATA_HOME/nimbara/record.sqlite (by default
// ~/.local/share/nimbara/record.sqlite; a relative XDG_DATA_HOME is ignored). Never the
// application directory, which may be shared.
QString defaultRecordPath();

// The name the user logged in with; "trainee" when the system names none.
QString loginName();

// A new id for a round or an answer: a UUID, unique across machines, so that records copied
// from several machines merge.
QString recordId();

// A time as the record writes it: ISO 8601 in UTC with milliseconds, "2026-12-07T14:02:03.123Z".
// Such texts sort as the times do.
QString recordTimestamp(const QDateTime& time);

}  // namespace nimbara
