// The high cloud forms, one row each: the filaments, veils and grains each form adds to a sky,
// with the sizes, heights, colours and spread that make its look.
#pragma once

#include "tools/samplephotos/sky/skybuilder.h"

#include <span>

namespace nimbara {

const CloudLook<HighCloud>& highCloudLook(HighCloud form);
// Every row, in the order of the forms.
std::span<const CloudLook<HighCloud>> highCloudLooks();

}  // namespace nimbara
