#include "help/book/helptext.h"

#include <QHash>
#include <QMutex>
#include <QTextDocumentFragment>

#include <array>

namespace nimbara {

namespace {

// Tags that sit inside a word's run of text; every other tag separates words.
bool isInlineTag(QStringView name) {
    static constexpr std::array<QStringView, 16> kInline = {
        u"a",     u"abbr", u"b",      u"big", u"code", u"em", u"font", u"i",
        u"small", u"span", u"strong", u"sub", u"sup",  u"tt", u"u",    u"var"};
    for (QStringView tag : kInline) {
        if (name.compare(tag, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// The character a named reference stands for; the common ones directly, any other through the
// document importer of Qt, which knows the whole HTML table. Null when it names none. Search
// indexes are built on a thread of their own while the window reads contents files: the table of
// the others is shared under a lock.
QString namedCharacter(const QString& name) {
    static const QHash<QString, QString> kCommon = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\u00a0"}};
    if (const auto found = kCommon.find(name); found != kCommon.end()) {
        return *found;
    }
    static QMutex lock;
    const QMutexLocker locked(&lock);
    static QHash<QString, QString> others;
    auto found = others.find(name);
    // Pages may make up names without end, each costing the importer a document: names are
    // looked up for as many as HTML has and some more, and then no longer.
    constexpr qsizetype kMostNames = 4096;
    if (found == others.end() && others.size() < kMostNames) {
        const QString reference = '&' + name + ';';
        const QString decoded = QTextDocumentFragment::fromHtml(reference).toPlainText();
        found = others.insert(name, decoded == reference ? QString() : decoded);
    }
    return found == others.end() ? QString() : *found;
}

QString numericCharacter(QStringView digits, bool hex) {
    bool ok = false;
    const uint code = digits.toUInt(&ok, hex ? 16 : 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {};
    }
    const auto character = static_cast<char32_t>(code);
    return QString::fromUcs4(&character, 1);
}

struct TagInfo {
    QStringView name;
    bool closing = false;
    qsizetype end = 0;  // just after the '>'
};

TagInfo readTag(QStringView source, qsizetype lt) {
    TagInfo tag;
    qsizetype at = lt + 1;
    tag.closing = at < source.size() && source[at] == '/';
    if (tag.closing) {
        ++at;
    }
    const qsizetype nameStart = at;
    while (at < source.size() && source[at].isLetterOrNumber()) {
        ++at;
    }
    tag.name = source.mid(nameStart, at - nameStart);
    QChar quote;
    for (; at < source.size(); ++at) {
        const QChar c = source[at];
        if (!quote.isNull()) {
            quote = c == quote ? QChar() : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            break;
        }
    }
    tag.end = at < source.size() ? at + 1 : at;
    return tag;
}

// Appends text with its blanks collapsed to single spaces.
class CollapsingText {
public:
    void append(QStringView run) {
        const QString decoded = run.contains('&') ? decodeHtmlEntities(run) : QString();
        const QStringView text = decoded.isNull() ? run : QStringView(decoded);
        qsizetype at = 0;
        while (at < text.size()) {
            if (text[at].isSpace()) {
                m_pendingBlank = !m_text.isEmpty();
                ++at;
                continue;
            }
            const qsizetype start = at;
            while (at < text.size() && !text[at].isSpace()) {
                ++at;
            }
            if (m_pendingBlank) {
                m_text += ' ';
                m_pendingBlank = false;
            }
            m_text += text.mid(start, at - start);
        }
    }
    void separate() { m_pendingBlank = !m_text.isEmpty(); }
    void reserve(qsizetype size) { m_text.reserve(size); }
    QString take() { return std::move(m_text); }

private:
    QString m_text;
    bool m_pendingBlank = false;
};

}  // namespace

QString decodeHtmlEntities(QStringView text) {
    QString result;
    result.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype amp = text.indexOf('&', at);
        if (amp < 0) {
            result += text.mid(at);
            break;
        }
        result += text.mid(at, amp - at);
        // A name is at most 32 characters long: the ';' is looked for no further, so that a text
        // of many '&' is read once, not once for each.
        constexpr qsizetype kLongestName = 32;
        const qsizetype nameLength = text.mid(amp + 1, kLongestName + 1).indexOf(';');
        const qsizetype semicolon = amp + 1 + nameLength;
        QString character;
        if (nameLength > 0) {
            const QStringView name = text.mid(amp + 1, nameLength);
            if (name.startsWith('#') && name.size() > 2 && (name[1] == 'x' || name[1] == 'X')) {
                character = numericCharacter(name.mid(2), true);
            } else if (name.startsWith('#')) {
                character = numericCharacter(name.mid(1), false);
            } else {
                character = namedCharacter(name.toString());
            }
        }
        if (character.isEmpty()) {
            result += '&';
            at = amp + 1;
        } else {
            result += character;
            at = semicolon + 1;
        }
    }
    return result;
}

PageText pageText(const QByteArray& html) {
    const QString source = QString::fromUtf8(html);
    CollapsingText body;
    body.reserve(source.size());
    CollapsingText title;
    bool inTitle = false;
    qsizetype at = 0;
    while (at < source.size()) {
        const qsizetype lt = source.indexOf('<', at);
        const QStringView run = QStringView(source).mid(at, (lt < 0 ? source.size() : lt) - at);
        (inTitle ? title : body).append(run);
        if (lt < 0) {
            break;
        }
        if (QStringView(source).mid(lt).startsWith(u"<!--")) {
            const qsizetype end = source.indexOf("-->", lt + 4);
            at = end < 0 ? source.size() : end + 3;
            continue;
        }
        const TagInfo tag = readTag(source, lt);
        at = tag.end;
        const bool script = tag.name.compare(u"script", Qt::CaseInsensitive) == 0;
        const bool style = tag.name.compare(u"style", Qt::CaseInsensitive) == 0;
        if ((script || style) && !tag.closing) {
            const qsizetype end =
                source.indexOf(script ? u"</script" : u"</style", at, Qt::CaseInsensitive);
            at = end < 0 ? source.size() : readTag(source, end).end;
        } else if (tag.name.compare(u"title", Qt::CaseInsensitive) == 0) {
            inTitle = !tag.closing;
        } else if (!tag.name.isEmpty() && !isInlineTag(tag.name)) {
            body.separate();
        }
    }
    return {title.take(), body.take()};
}

namespace {

QChar keyCharacter(QChar c) {
    if (c.unicode() < 0x80) {
        return c >= 'A' && c <= 'Z' ? QChar(c.unicode() + ('a' - 'A')) : c;
    }
    while (c.decompositionTag() == QChar::Canonical) {
        // The base letter of an accented one: its decomposition begins with it.
        c = c.decomposition().at(0);
    }
    return c.toLower();
}

}  // namespace

QString searchKey(QStringView word) {
    QString key;
    key.reserve(word.size());
    for (QChar c : word) {
        if (!c.isMark()) {
            key += keyCharacter(c);
        }
    }
    return key;
}

QString searchKeyText(QStringView text) {
    QString keys(text.size(), Qt::Uninitialized);
    QChar* out = keys.data();
    for (QChar c : text) {
        *out++ = keyCharacter(c);
    }
    return keys;
}

}  // namespace nimbara
