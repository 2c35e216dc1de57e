#pragma once

#include <QByteArray>
#include <QString>

namespace nimbara {

// Bytes read as UTF-8 text, strictly: bytes that are not UTF-8 (a file saved in Windows-1252,
// say) are found and named by their line instead of turning into replacement characters.
struct Utf8Text {
    QString text;  // the whole text; only to be used when badLine is 0
    int badLine =
        0;  // the first line, counting from 1, holding bytes that are not UTF-8; 0 if none

    static Utf8Text decode(const QByteArray& bytes);
};

}  // namespace nimbara
