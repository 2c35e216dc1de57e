#include "record/sqlvalues.h"

#include <QSqlQuery>

namespace nimbara {

void bindValues(QSqlQuery& query, const QVariantList& values) {
    for (qsizetype i = 0; i < values.size(); ++i) {
        const bool nullText =
            values[i].typeId() == QMetaType::QString && values[i].toString().isNull();
        query.bindValue(static_cast<int>(i), nullText ? QVariant(QString("")) : values[i]);
    }
}

}  // namespace nimbara
