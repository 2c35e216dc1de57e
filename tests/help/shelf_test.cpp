// The reference shelf as built: every book opens at its own main page with its own title, every
// link, picture and index entry of every book leads somewhere that exists, the pages declare
// British English in plain ASCII, and the previous/next links form unbroken chains.
#include "help/book/helpbook.h"
#include "help/viewer/helpviewer.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/testchm.h"

#include <mspack.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace nimbara {
namespace {

using test::kDecoder;

QStringList shelfBooks() {
    QStringList books{"CL", "CM", "CH"};
    for (const char* level : {"CL", "CM", "CH"}) {
        for (int type = 1; type <= 9; ++type) {
            books << QString("%1_%2").arg(level).arg(type);
        }
    }
    return books << "ICE"
                 << "WIND"
                 << "CLASSIFY";
}

QString bookPath(const QString& name) {
    return QDir(test::stagedApplicationDirectory()).absoluteFilePath("HELP/" + name + ".CHM");
}

// The books a walk has opened, by path.
class Shelf {
public:
    const HelpBook* book(const QString& path) {
        auto found = m_books.find(path);
        if (found == m_books.end()) {
            QString error;
            found = m_books.emplace(path, HelpBook::loadFile(path, kDecoder, &error)).first;
        }
        return found->second.get();
    }

private:
    std::map<QString, std::unique_ptr<HelpBook>> m_books;
};

// Anchor names a page defines.
std::set<QString> anchorsOf(const QString& html) {
    static const QRegularExpression pattern(R"re(<a\s[^>]*name\s*=\s*"([^"]+)")re",
                                            QRegularExpression::CaseInsensitiveOption);
    std::set<QString> names;
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        names.insert(it.next().captured(1));
    }
    return names;
}

struct Reference {
    QString attribute;
    QString target;
};

std::vector<Reference> referencesOf(const QString& html) {
    static const QRegularExpression pattern(R"re(\b(href|src)\s*=\s*"([^"]*)")re",
                                            QRegularExpression::CaseInsensitiveOption);
    std::vector<Reference> references;
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        references.push_back({match.captured(1).toLower(), match.captured(2)});
    }
    return references;
}

// The content at a resolved place, with a test failure when its book or page is missing or the
// page lacks the place's anchor; nullopt when there is no content.
std::optional<QByteArray> contentAt(Shelf& shelf, const HelpLocation& place) {
    const HelpBook* book = shelf.book(place.book);
    if (book == nullptr) {
        ADD_FAILURE() << "no book " << place.book.toStdString();
        return std::nullopt;
    }
    std::optional<QByteArray> content = book->data(place.page);
    if (!content) {
        ADD_FAILURE() << "no page " << place.page.toStdString();
    } else if (!place.fragment.isEmpty() &&
               !anchorsOf(QString::fromUtf8(*content)).count(place.fragment)) {
        ADD_FAILURE() << "no anchor " << place.fragment.toStdString();
    }
    return content;
}

// Text of the first element named tag, markup and character references resolved.
QString elementText(const QString& html, const QString& tag) {
    const QRegularExpression pattern(QString("<%1>(.*?)</%1>").arg(tag),
                                     QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(html);
    return match.hasMatch() ? QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText()
                            : QString();
}

// Offset of the first byte outside 7-bit ASCII, or -1.
qsizetype firstNonAscii(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) > 0x7F) {
            return i;
        }
    }
    return -1;
}

// Targets of the links of a page marked rel="prev" or rel="next", as written.
QStringList relLinks(const QString& html, const QString& rel) {
    const QRegularExpression pattern(QString(R"re(<a\s+rel="%1"\s+href="([^"]*)")re").arg(rel));
    QStringList targets;
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        targets << it.next().captured(1);
    }
    targets.removeDuplicates();
    return targets;
}

// A page of the shelf: book path and page path inside it.
struct ShelfPage {
    QString book;
    QString page;
    bool operator==(const ShelfPage& other) const {
        return book == other.book && page.compare(other.page, Qt::CaseInsensitive) == 0;
    }
};

std::optional<ShelfPage> followRel(const ShelfPage& from, const QString& html, const QString& rel) {
    const QStringList targets = relLinks(html, rel);
    if (targets.size() != 1) {
        return std::nullopt;
    }
    const auto target = resolveHelpLink(HelpLocation{from.book, from.page, {}}, QUrl(targets[0]));
    if (!target) {
        return std::nullopt;
    }
    return ShelfPage{target->book, target->page};
}

class ShelfBookTest : public testing::TestWithParam<QString> {};

TEST_P(ShelfBookTest, OpensAtItsMainPageWithATitle) {
    QString error;
    const auto book = HelpBook::loadFile(bookPath(GetParam()), kDecoder, &error);
    ASSERT_TRUE(book) << error.toStdString();
    EXPECT_EQ(book->defaultTopic(), "/" + GetParam().toLower() + ".htm");
    EXPECT_FALSE(book->title().isEmpty());
    EXPECT_FALSE(book->contents().isEmpty());
    const std::optional<QByteArray> page = book->data(book->defaultTopic());
    ASSERT_TRUE(page);
    EXPECT_GT(page->size(), 1000) << "a main page worth reading";
}

TEST_P(ShelfBookTest, EveryLinkAndPictureResolves) {
    Shelf shelf;
    const QString path = bookPath(GetParam());
    const HelpBook* book = shelf.book(path);
    ASSERT_NE(book, nullptr);
    for (const QString& page : book->pages()) {
        const QString html = QString::fromUtf8(*book->data(page));
        for (const Reference& reference : referencesOf(html)) {
            if (reference.target.endsWith(".css")) {
                continue;
            }
            SCOPED_TRACE((page + " -> " + reference.target).toStdString());
            const std::optional<HelpLocation> target =
                resolveHelpLink(HelpLocation{path, page, {}}, QUrl(reference.target));
            ASSERT_TRUE(target) << "links leave no help file";
            const std::optional<QByteArray> content = contentAt(shelf, *target);
            if (content && reference.attribute == "src") {
                EXPECT_FALSE(QImage::fromData(*content).isNull());
            }
        }
    }
}

// A contents entry leads to a page of the shelf and is named like the heading it opens: the
// page's main heading, or the section heading that carries the anchor.
TEST_P(ShelfBookTest, ContentsEntriesLeadToTheHeadingsTheyName) {
    Shelf shelf;
    const QString path = bookPath(GetParam());
    const HelpBook* book = shelf.book(path);
    ASSERT_NE(book, nullptr);
    std::function<void(const QList<ContentsEntry>&)> walk =
        [&](const QList<ContentsEntry>& entries) {
            for (const ContentsEntry& entry : entries) {
                SCOPED_TRACE(entry.local.toStdString());
                const auto target = resolveHelpLink(HelpLocation{path, "/", {}}, QUrl(entry.local));
                ASSERT_TRUE(target);
                const std::optional<QByteArray> page = contentAt(shelf, *target);
                ASSERT_TRUE(page);
                const QString html = QString::fromUtf8(*page);
                QString heading = elementText(html, "h1");
                if (!target->fragment.isEmpty()) {
                    const QRegularExpression section(
                        QString(R"re(<a name="%1"></a>(.*?)</h[23]>)re")
                            .arg(QRegularExpression::escape(target->fragment)),
                        QRegularExpression::DotMatchesEverythingOption);
                    const QRegularExpressionMatch match = section.match(html);
                    ASSERT_TRUE(match.hasMatch()) << "the anchor starts a section heading";
                    heading = QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText();
                }
                EXPECT_EQ(entry.name, heading.simplified());
                walk(entry.children);
            }
        };
    walk(book->contents());
}

TEST_P(ShelfBookTest, PagesDeclareBritishEnglishInPlainAscii) {
    Shelf shelf;
    const HelpBook* book = shelf.book(bookPath(GetParam()));
    ASSERT_NE(book, nullptr);
    const QByteArray start =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html lang=\"en-GB\">";
    for (const QString& page : book->pages()) {
        SCOPED_TRACE(page.toStdString());
        const QByteArray html = *book->data(page);
        EXPECT_EQ(html.left(start.size()), start);
        EXPECT_EQ(firstNonAscii(html), -1) << "characters outside ASCII are written as entities";
    }
    for (const char* sitemap : {"/toc.hhc", "/index.hhk"}) {
        const std::optional<QByteArray> data = book->data(sitemap);
        ASSERT_TRUE(data) << sitemap;
        EXPECT_EQ(firstNonAscii(*data), -1) << sitemap;
    }
}

TEST_P(ShelfBookTest, CompiledForBritishEnglish) {
    QFile file(bookPath(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(0x18);
    ASSERT_EQ(header.size(), 0x18);
    // The language of the archive, a little-endian LCID after the header's timestamp.
    const auto byte = [&](int i) {
        return static_cast<unsigned>(static_cast<unsigned char>(header[i]));
    };
    const unsigned lcid = byte(0x14) | byte(0x15) << 8 | byte(0x16) << 16 | byte(0x17) << 24;
    EXPECT_EQ(lcid, 0x0809u) << "English (United Kingdom)";
}

TEST_P(ShelfBookTest, TitleNamesNimbaraAndTheMainPage) {
    QString error;
    const auto book = HelpBook::loadFile(bookPath(GetParam()), kDecoder, &error);
    ASSERT_TRUE(book) << error.toStdString();
    const QString html = QString::fromUtf8(*book->data(book->defaultTopic()));
    const QString pageTitle = elementText(html, "title");
    ASSERT_FALSE(pageTitle.isEmpty());
    EXPECT_TRUE(pageTitle[0].isUpper()) << pageTitle.toStdString();
    EXPECT_EQ(elementText(html, "h1"), pageTitle);
    EXPECT_EQ(book->title(), "Nimbara - " + pageTitle);
}

TEST_P(ShelfBookTest, IndexEntriesLeadToSectionsThatExist) {
    Shelf shelf;
    const QString path = bookPath(GetParam());
    const HelpBook* book = shelf.book(path);
    ASSERT_NE(book, nullptr);
    const std::optional<QByteArray> index = book->data("/index.hhk");
    ASSERT_TRUE(index) << "every book has an index";
    const QList<ContentsEntry> entries = parseSitemap(*index);
    ASSERT_FALSE(entries.isEmpty());
    std::set<QString> keywords;
    for (const ContentsEntry& entry : entries) {
        SCOPED_TRACE((entry.name + " -> " + entry.local).toStdString());
        EXPECT_TRUE(entry.children.isEmpty());
        EXPECT_TRUE(keywords.insert(entry.name.toLower()).second) << "keyword listed twice";
        const auto target = resolveHelpLink(HelpLocation{path, "/", {}}, QUrl(entry.local));
        ASSERT_TRUE(target);
        EXPECT_EQ(target->book, path) << "an index leads into its own book";
        contentAt(shelf, *target);
    }
}

TEST_P(ShelfBookTest, PreviousAndNextLinksAnswerEachOther) {
    Shelf shelf;
    const QString path = bookPath(GetParam());
    const HelpBook* book = shelf.book(path);
    ASSERT_NE(book, nullptr);
    for (const QString& page : book->pages()) {
        const QString html = QString::fromUtf8(*book->data(page));
        const ShelfPage here{path, page};
        for (const auto& [rel, back] :
             {std::pair<QString, QString>{"next", "prev"}, {"prev", "next"}}) {
            if (relLinks(html, rel).isEmpty()) {
                continue;
            }
            SCOPED_TRACE((page + " " + rel).toStdString());
            const std::optional<ShelfPage> there = followRel(here, html, rel);
            ASSERT_TRUE(there) << "one target that resolves";
            const HelpBook* targetBook = shelf.book(there->book);
            ASSERT_NE(targetBook, nullptr);
            const std::optional<QByteArray> target = targetBook->data(there->page);
            ASSERT_TRUE(target);
            const std::optional<ShelfPage> returned =
                followRel(*there, QString::fromUtf8(*target), back);
            ASSERT_TRUE(returned) << "the target links back";
            EXPECT_TRUE(*returned == here)
                << returned->book.toStdString() << " " << returned->page.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Books, ShelfBookTest, testing::ValuesIn(shelfBooks()),
                         [](const testing::TestParamInfo<QString>& row) {
                             return row.param.toStdString();
                         });

TEST(Shelf, EveryBookHasATitleOfItsOwn) {
    Shelf shelf;
    std::set<QString> titles;
    int pages = 0;
    int pictures = 0;
    for (const QString& name : shelfBooks()) {
        const HelpBook* book = shelf.book(bookPath(name));
        ASSERT_NE(book, nullptr) << name.toStdString();
        titles.insert(book->title());
        pages += static_cast<int>(book->pages().size());
        for (const QString& page : book->pages()) {
            for (const Reference& reference : referencesOf(QString::fromUtf8(*book->data(page)))) {
                pictures += reference.attribute == "src" ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(titles.size(), 33u);
    RecordProperty("pages", pages);
    RecordProperty("pictures", pictures);
    std::printf("The shelf holds %d pages with %d pictures.\n", pages, pictures);
}

// Following the next links from the low clouds' main page visits every cloud book once, level
// by level, and ends at the last high-cloud figure.
TEST(Shelf, CloudBooksFormOneChainFromLowToHigh) {
    Shelf shelf;
    QStringList expected;
    for (const char* level : {"CL", "CM", "CH"}) {
        expected << level;
        for (int type = 1; type <= 9; ++type) {
            expected << QString("%1_%2").arg(level).arg(type);
        }
    }
    QStringList visited;
    std::optional<ShelfPage> at = ShelfPage{bookPath("CL"), "/cl.htm"};
    while (at && visited.size() <= expected.size()) {
        visited << QFileInfo(at->book).completeBaseName();
        const HelpBook* book = shelf.book(at->book);
        ASSERT_NE(book, nullptr) << at->book.toStdString();
        ASSERT_EQ(at->page, book->defaultTopic()) << "the chain runs through the main pages";
        at = followRel(*at, QString::fromUtf8(*book->data(at->page)), "next");
    }
    EXPECT_EQ(visited, expected);
}

// Each code-figure book shows its own plotting symbol, and each level book the nine of its level.
TEST(Shelf, CodeFigureBooksShowTheirOwnPlottingSymbol) {
    Shelf shelf;
    static const QRegularExpression symbol(R"re(src="(sym_[a-z]+_\d)\.png")re");
    const auto symbolsOn = [&](const QString& name) {
        const HelpBook* book = shelf.book(bookPath(name));
        QStringList found;
        if (book) {
            const QString html = QString::fromUtf8(*book->data(book->defaultTopic()));
            for (auto it = symbol.globalMatch(html); it.hasNext();) {
                found << it.next().captured(1);
            }
        }
        return found;
    };
    for (const char* level : {"CL", "CM", "CH"}) {
        QStringList all;
        for (int type = 1; type <= 9; ++type) {
            const QString own = QString("sym_%1_%2").arg(QString(level).toLower()).arg(type);
            all << own;
            EXPECT_EQ(symbolsOn(QString("%1_%2").arg(level).arg(type)), QStringList{own});
        }
        EXPECT_EQ(symbolsOn(level), all);
    }
}

}  // namespace
}  // namespace nimbara
