#pragma once

#include <QString>

#include <optional>

namespace nimbara {

// The program's string table: menu hints and a few captions, by id, exactly as stored (trailing
// blanks included). nullopt for an id without a string.
std::optional<QString> loadString(int id);

}  // namespace nimbara
