#pragma once

#include "platform/dialogtemplate.h"

namespace nimbara {

// The dialog template with id. Throws std::out_of_range for an id the program does not have:
// a missing resource is a fault of the program, reported like any escaped exception.
const DialogTemplate& dialogTemplate(int id);

}  // namespace nimbara
