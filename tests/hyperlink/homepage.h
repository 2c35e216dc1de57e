#pragma once

#include <QString>

namespace nimbara::test {

// The product's web address that the build compiled in.
inline const QString kHomePage = QStringLiteral(NIMBARA_HOME_URL);

}  // namespace nimbara::test
