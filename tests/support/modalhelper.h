#pragma once

#include <functional>

class QWidget;

namespace nimbara::test {

// Acts on the next modal window (a dialog run with exec()) once it is open: action receives the
// window and must close it. Polls until one appears; after ten seconds without one the test
// fails and the helper gives up.
void whenModalOpens(std::function<void(QWidget*)> action);

// Acts on the next popup menu once it is open, with the same deadline; action must close it.
void whenPopupOpens(std::function<void(QWidget*)> action);

}  // namespace nimbara::test
