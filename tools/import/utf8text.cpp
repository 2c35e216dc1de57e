#include "tools/import/utf8text.h"

#include <QList>
#include <QStringDecoder>

namespace nimbara {

Utf8Text Utf8Text::decode(const QByteArray& bytes) {
    Utf8Text result;
    QStringDecoder whole(QStringDecoder::Utf8);
    result.text = whole.decode(bytes);
    if (!whole.hasError()) {
        return result;
    }
    // A line feed never occurs inside a UTF-8 sequence, so each line decodes on its own.
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype line = 0; line < lines.size(); ++line) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString decoded = decoder.decode(lines[line]);  // decoding happens here
        if (decoder.hasError()) {
            result.badLine = static_cast<int>(line + 1);
            break;
        }
    }
    return result;
}

}  // namespace nimbara
