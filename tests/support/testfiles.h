#pragma once

#include <QByteArray>
#include <QString>

namespace nimbara::test {

// The bytes of the file at path; empty when it cannot be read.
QByteArray readFileBytes(const QString& path);
// Writes bytes to the file at path, creating its folders; false when it cannot.
bool writeFileBytes(const QString& path, const QByteArray& bytes);

}  // namespace nimbara::test
