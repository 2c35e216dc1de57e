// The low cloud forms, one row each: the heaps, layers, rain and lightning each form adds to a sky,
// with the sizes, heights, colours and spread that make its look.
#pragma once

#include "tools/samplephotos/sky/skybuilder.h"

#include <span>

namespace nimbara {

const CloudLook<LowCloud>& lowCloudLook(LowCloud form);
// Every row, in the order of the forms.
std::span<const CloudLook<LowCloud>> lowCloudLooks();

// Towers of cumulus congestus with smaller cumulus about them; other forms build on them too.
void addTowers(SkyBuilder& sky);

}  // namespace nimbara
