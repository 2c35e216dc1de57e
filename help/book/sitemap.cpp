#include "help/book/sitemap.h"

#include "help/book/helptext.h"

#include <utility>

namespace nimbara {

namespace {

using Param = std::pair<QString, QString>;  // name in lower case, decoded value

// An <LI> item of a sitemap: its parameters in the order written, and the items below it.
struct Item {
    QList<Param> params;
    QList<Item> children;
};

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == '-' || c == '_' || c == ':';
}

struct Tag {
    bool closing = false;
    QString name;  // lower case
    QStringView attributes;
};

// Walks the tags of a text; comments and declarations are skipped.
class TagScanner {
public:
    explicit TagScanner(QStringView text) : m_text(text) {}

    bool next(Tag& tag) {
        while (true) {
            m_at = m_text.indexOf('<', m_at);
            if (m_at < 0) {
                return false;
            }
            if (m_text.mid(m_at).startsWith(u"<!--")) {
                const qsizetype end = m_text.indexOf(u"-->", m_at + 4);
                m_at = end < 0 ? m_text.size() : end + 3;
                continue;
            }
            qsizetype at = m_at + 1;
            tag.closing = at < m_text.size() && m_text[at] == '/';
            if (tag.closing) {
                ++at;
            }
            const qsizetype nameStart = at;
            while (at < m_text.size() && isNameChar(m_text[at])) {
                ++at;
            }
            tag.name = m_text.mid(nameStart, at - nameStart).toString().toLower();
            const qsizetype end = closeOf(at);
            tag.attributes = m_text.mid(at, end - at);
            m_at = end < m_text.size() ? end + 1 : end;
            if (!tag.name.isEmpty()) {
                return true;
            }
        }
    }

private:
    // The '>' that ends the tag whose attributes begin at `at`, quotes respected.
    qsizetype closeOf(qsizetype at) const {
        QChar quote;
        for (; at < m_text.size(); ++at) {
            const QChar c = m_text[at];
            if (!quote.isNull()) {
                if (c == quote) {
                    quote = QChar();
                }
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return at;
            }
        }
        return m_text.size();
    }

    QStringView m_text;
    qsizetype m_at = 0;
};

// The attributes of a tag, names in lower case, values decoded.
QList<Param> attributesOf(QStringView text) {
    QList<Param> result;
    qsizetype at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && text[at].isSpace()) {
            ++at;
        }
    };
    while (at < text.size()) {
        skipBlanks();
        const qsizetype nameStart = at;
        while (at < text.size() && isNameChar(text[at])) {
            ++at;
        }
        if (at == nameStart) {
            ++at;  // stray character such as '/'
            continue;
        }
        const QString name = text.mid(nameStart, at - nameStart).toString().toLower();
        skipBlanks();
        if (at >= text.size() || text[at] != '=') {
            result.append({name, QString()});
            continue;
        }
        ++at;
        skipBlanks();
        qsizetype valueStart = at;
        qsizetype valueEnd = at;
        if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
            const QChar quote = text[at];
            valueStart = at + 1;
            valueEnd = text.indexOf(quote, valueStart);
            if (valueEnd < 0) {
                valueEnd = text.size();
            }
            at = valueEnd + 1;
        } else {
            while (at < text.size() && !text[at].isSpace()) {
                ++at;
            }
            valueEnd = at;
        }
        result.append({name, decodeHtmlEntities(text.mid(valueStart, valueEnd - valueStart))});
    }
    return result;
}

QString valueOf(const QList<Param>& attributes, const QString& name) {
    for (const Param& attribute : attributes) {
        if (attribute.first == name) {
            return attribute.second;
        }
    }
    return {};
}

QList<Item> parseItems(const QByteArray& sitemap) {
    const QString text = QString::fromUtf8(sitemap);
    QList<Item> root;
    // The open lists, innermost last. A list opened right after an item holds its children;
    // only the innermost list grows, so the pointers to the outer ones stay valid.
    QList<QList<Item>*> lists;
    Item current;
    bool inObject = false;
    TagScanner scanner(text);
    for (Tag tag; scanner.next(tag);) {
        QList<Item>* innermost = lists.isEmpty() ? &root : lists.last();
        if (tag.name == "ul" && !tag.closing) {
            const bool nested = !lists.isEmpty() && !innermost->isEmpty();
            lists.append(nested ? &innermost->last().children : innermost);
        } else if (tag.name == "ul") {
            if (!lists.isEmpty()) {
                lists.removeLast();
            }
        } else if (tag.name == "object" && !tag.closing) {
            current = Item();
            inObject = true;
        } else if (tag.name == "object" && inObject) {
            inObject = false;
            if (!current.params.isEmpty()) {
                innermost->append(std::move(current));
            }
        } else if (tag.name == "param" && inObject && !tag.closing) {
            const QList<Param> attributes = attributesOf(tag.attributes);
            const QString name = valueOf(attributes, "name").toLower();
            if (!name.isEmpty()) {
                current.params.append({name, valueOf(attributes, "value")});
            }
        }
    }
    return root;
}

QString firstParam(const Item& item, const QString& name) {
    return valueOf(item.params, name);
}

QList<ContentsEntry> contentsOf(const QList<Item>& items) {
    QList<ContentsEntry> result;
    for (const Item& item : items) {
        ContentsEntry entry{firstParam(item, "name"), firstParam(item, "local"),
                            contentsOf(item.children)};
        if (!entry.name.isEmpty() || !entry.local.isEmpty() || !entry.children.isEmpty()) {
            result.append(std::move(entry));
        }
    }
    return result;
}

IndexEntry indexEntryOf(const Item& item) {
    IndexEntry entry;
    bool keywordRead = false;
    QString title;  // the last "Name" after the keyword
    for (const auto& [name, value] : item.params) {
        if (name == "name" && !keywordRead) {
            entry.keyword = value;
            keywordRead = true;
        } else if (name == "name") {
            title = value;
        } else if (name == "local" && !value.isEmpty()) {
            entry.topics.append({title, value});
            title.clear();
        } else if (name == "see also" && entry.seeAlso.isEmpty()) {
            entry.seeAlso = value;
        }
    }
    return entry;
}

QList<IndexEntry> indexOf(const QList<Item>& items) {
    QList<IndexEntry> result;
    for (const Item& item : items) {
        IndexEntry entry = indexEntryOf(item);
        entry.children = indexOf(item.children);
        if (!entry.keyword.isEmpty()) {
            result.append(std::move(entry));
        }
    }
    return result;
}

}  // namespace

QList<ContentsEntry> parseSitemap(const QByteArray& sitemap) {
    return contentsOf(parseItems(sitemap));
}

QList<IndexEntry> parseIndex(const QByteArray& sitemap) {
    return indexOf(parseItems(sitemap));
}

}  // namespace nimbara
