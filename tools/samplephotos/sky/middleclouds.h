// The middle cloud forms, one row each: the layers, patches, turrets and tufts each form adds to a
// sky, with the sizes, heights, colours and spread that make its look.
#pragma once

#include "tools/samplephotos/sky/skybuilder.h"

#include <span>

namespace nimbara {

const CloudLook<MiddleCloud>& middleCloudLook(MiddleCloud form);
// Every row, in the order of the forms.
std::span<const CloudLook<MiddleCloud>> middleCloudLooks();

}  // namespace nimbara
