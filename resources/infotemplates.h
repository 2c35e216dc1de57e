#pragma once

#include "platform/dialogtemplate.h"

namespace nimbara {

// Template 8988: the About box with its version text, credit lines, icon 10 and the hyperlink
// edit 10117.
DialogTemplate aboutDialogTemplate();

// Template 10105: the General page of the link's properties sheet: icon 10107, the link's name
// (10108), the address label (10109) and the URL (10110).
DialogTemplate linkPageTemplate();

}  // namespace nimbara
