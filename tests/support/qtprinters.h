#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Lets test failures show Qt texts as text instead of bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
