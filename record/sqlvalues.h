#pragma once

#include <QVariantList>

class QSqlQuery;

namespace nimbara {

// Binds values to the prepared query's placeholders in order. A null text binds as empty text,
// not as NULL, which would compare with nothing; an invalid QVariant binds as NULL.
void bindValues(QSqlQuery& query, const QVariantList& values);

}  // namespace nimbara
