#pragma once

#include <QCursor>

namespace nimbara {

// The program's cursor with id: its picture at 32 x 32 pixels and its hot spot. Throws
// std::out_of_range for an id the program does not have (a fault of the program).
QCursor loadCursor(int id);

}  // namespace nimbara
