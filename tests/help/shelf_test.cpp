// The reference shelf as built: every book opens at its own main page with its own title, every
// link, picture and index entry of every book leads somewhere that exists, every page can be found
// from the contents and the index, the pages declare British English in plain ASCII, the
// previous/next links form unbroken chains, corrected statements stay corrected, and the worked
// examples of the cloud group are the normal game's own skies.
#include "games/core/gamecatalogue.h"
#include "help/book/helpbook.h"
#include "help/viewer/helpviewer.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/testchm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace nimbara {
namespace {

using test::kShelf;

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
            found = m_books.emplace(path, kShelf.open(path, &error)).first;
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

// The text a reader sees on a page: markup dropped, references resolved, white space simplified.
QString readableText(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
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
    const auto book = kShelf.open(bookPath(GetParam()), &error);
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

// The pages that the entries of a contents or index file lead to, as lower-case names without
// fragment.
std::set<QString> pagesLedTo(const QList<ContentsEntry>& entries) {
    std::set<QString> pages;
    for (const ContentsEntry& entry : entries) {
        pages.insert(entry.local.section('#', 0, 0).toLower());
        const std::set<QString> below = pagesLedTo(entry.children);
        pages.insert(below.begin(), below.end());
    }
    return pages;
}

// A page that neither the contents nor the index leads to is found only by chance.
TEST_P(ShelfBookTest, EveryPageIsInTheContentsAndTheIndex) {
    QString error;
    const auto book = kShelf.open(bookPath(GetParam()), &error);
    ASSERT_TRUE(book) << error.toStdString();
    const std::optional<QByteArray> index = book->data("/index.hhk");
    ASSERT_TRUE(index);
    const std::set<QString> inContents = pagesLedTo(book->contents());
    const std::set<QString> inIndex = pagesLedTo(parseSitemap(*index));
    for (const QString& page : book->pages()) {
        if (!page.endsWith(".htm")) {
            continue;
        }
        const QString name = page.mid(1).toLower();
        EXPECT_TRUE(inContents.count(name)) << name.toStdString() << " is not in the contents";
        EXPECT_TRUE(inIndex.count(name)) << name.toStdString() << " is not in the index";
    }
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
    const auto book = kShelf.open(bookPath(GetParam()), &error);
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

// The plotting symbols a page shows, in their order; the book's main page unless page is given.
QStringList symbolsOn(Shelf& shelf, const QString& name, const QString& page = {}) {
    static const QRegularExpression symbol(R"re(src="(sym_[a-z]+_\d)\.png")re");
    const HelpBook* book = shelf.book(bookPath(name));
    QStringList found;
    const std::optional<QByteArray> html =
        book ? book->data(page.isEmpty() ? book->defaultTopic() : page) : std::nullopt;
    if (html) {
        for (auto it = symbol.globalMatch(QString::fromUtf8(*html)); it.hasNext();) {
            found << it.next().captured(1);
        }
    }
    return found;
}

// Each code-figure book shows its own plotting symbol, and each level book the nine of its level.
TEST(Shelf, CodeFigureBooksShowTheirOwnPlottingSymbol) {
    Shelf shelf;
    for (const char* level : {"CL", "CM", "CH"}) {
        QStringList all;
        for (int type = 1; type <= 9; ++type) {
            const QString own = QString("sym_%1_%2").arg(QString(level).toLower()).arg(type);
            all << own;
            EXPECT_EQ(symbolsOn(shelf, QString("%1_%2").arg(level).arg(type)), QStringList{own});
        }
        EXPECT_EQ(symbolsOn(shelf, level), all);
    }
}

// The station-model sheet shows each of the 27 cloud symbols once.
TEST(Shelf, StationModelSheetShowsAllTwentySevenSymbols) {
    Shelf shelf;
    QStringList all;
    for (const char* level : {"cl", "cm", "ch"}) {
        for (int type = 1; type <= 9; ++type) {
            all << QString("sym_%1_%2").arg(level).arg(type);
        }
    }
    QStringList shown = symbolsOn(shelf, "CLASSIFY", "/symbols.htm");
    shown.sort();
    all.sort();
    EXPECT_EQ(shown, all);
}

// A statement once corrected, or a wording once put right: its text as the reader sees it.
struct ShelfWording {
    const char* name;
    const char* book;
    const char* file;  // a page of the compiled book, or a drawing of the book's sources
    const char* text;
    bool present;
};

// The text of a page, or the labels of a drawing joined by spaces.
QString shelfText(const ShelfWording& row) {
    const QString file = row.file;
    if (file.endsWith(".svg")) {
        QFile svg(
            QDir(NIMBARA_TEST_SOURCE).filePath(QString("../data/help/%1/%2").arg(row.book, file)));
        if (!svg.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "cannot read " << svg.fileName().toStdString();
            return {};
        }
        static const QRegularExpression label(R"re(<text[^>]*>([^<]*)</text>)re");
        QStringList labels;
        for (auto it = label.globalMatch(QString::fromUtf8(svg.readAll())); it.hasNext();) {
            labels << it.next().captured(1);
        }
        return labels.join(' ');
    }
    QString error;
    const auto book = kShelf.open(bookPath(row.book), &error);
    const std::optional<QByteArray> html = book ? book->data("/" + file) : std::nullopt;
    if (!html) {
        ADD_FAILURE() << "no page " << file.toStdString() << " " << error.toStdString();
        return {};
    }
    return readableText(QString::fromUtf8(*html));
}

void PrintTo(const ShelfWording& row, std::ostream* out) {
    *out << row.name;
}

class ShelfWordingTest : public testing::TestWithParam<ShelfWording> {};

TEST_P(ShelfWordingTest, StaysCorrected) {
    const ShelfWording& row = GetParam();
    const QString text = shelfText(row);
    EXPECT_EQ(text.contains(row.text), row.present)
        << row.book << "/" << row.file << (row.present ? " lacks " : " says again ") << row.text;
}

const ShelfWording kShelfWordings[] = {
    {"CmFourSymbolRisesFromTheHollow", "CM_4", "cm_4.htm",
     "a hollow whose left end rises into a long slanting stroke", true},
    {"CmFourSymbolNotCrossed", "CM_4", "cm_4.htm", "crossed by a slanting stroke", false},
    {"CmFiveSymbolRisesFromTheHollows", "CM_5", "cm_5.htm",
     "two hollows whose left end rises into a long slanting stroke", true},
    {"CmFiveSymbolNotCrossed", "CM_5", "cm_5.htm", "crossed by a slanting stroke", false},
    {"AltocumulusMayBePartlyFibrous", "CM_6", "cm_6.htm", "Altocumulus is never fibrous", false},
    {"CirrocumulusIsAlmostAllIce", "CH_9", "ch_9.htm", "often contains supercooled", false},
    {"ShipsDoNotSendTheSeaState", "WIND", "seacode.htm", "report beside the wind", false},
    {"WindIsTheTenMinuteMean", "WIND", "land.htm", "the steady wind between them", false},
    {"TracesAreNotOnlySo", "ICE", "eggcode.htm", "only the trace of thicker ice", false},
    {"FirstYearPondsAreNotEven", "ICE", "melting.htm", "widely and evenly", false},
    {"StratusNebulosusInAnyWeather", "CL", "cl_steps.svg", "Stratus of fine weather", false},
    {"NimbostratusOverviewBase", "CM", "cm.htm", "Its base is usually in the low level", false},
    {"NimbostratusGenusBase", "CM", "genera.htm", "the base usually lies in the low level", false},
    {"NimbostratusFigureBase", "CM_2", "cm_2.htm", "Although its base is usually low", false},
    {"BadWeatherIsAroundPrecipitation", "CL", "observing.htm",
     "during precipitation and a short time before and after it", true},
    {"CastellanusMayKeepCmEight", "CL_2", "cl_2.htm", "not Cl 5 and not Cm 8", false},
    {"GamesKeepTheirWording", "CLASSIFY", "classify.htm", "keep their historical wording", true},
};

INSTANTIATE_TEST_SUITE_P(Corrections, ShelfWordingTest, testing::ValuesIn(kShelfWordings),
                         [](const testing::TestParamInfo<ShelfWording>& row) {
                             return std::string(row.param.name);
                         });

// A photo of the normal cloud game: its key and its remark lines as one text.
struct NormalSky {
    std::string key;
    QString remarks;
};

std::vector<NormalSky> normalSkies() {
    const GameRules& rules = *findGame("clouds-normal")->rules;
    std::vector<NormalSky> skies;
    for (const PhotoId& photo : rules.allPhotos()) {
        QStringList lines;
        for (const std::string& line : rules.remarks(photo)) {
            lines << QString::fromStdString(line).trimmed().remove(QRegularExpression("^- "));
        }
        skies.push_back({rules.rightAnswerName(photo), lines.join(' ')});
    }
    return skies;
}

// The worked examples of the cloud group are skies of the normal game: each heading is a key the
// game gives, the remarks quoted under it are that photo's, and each group written out agrees with
// the key and with the page's own rules for Nh and the solidus.
TEST(Shelf, CloudGroupExamplesAreSkiesOfTheNormalGame) {
    QString error;
    const auto book = kShelf.open(bookPath("CLASSIFY"), &error);
    ASSERT_TRUE(book) << error.toStdString();
    const std::optional<QByteArray> page = book->data("/cloudgroup.htm");
    ASSERT_TRUE(page);
    static const QRegularExpression example(
        R"re(<h3><a name="[^"]*"></a>(Cl \d - Cm [\dx] - Ch [\dx])</h3>(.*?)(?=<h3>|<p class="note">))re",
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression quote(R"re("([^"]+)")re");
    static const QRegularExpression group(R"re(\b8[0-9][0-9/]{3}(?![0-9/]))re");
    const std::vector<NormalSky> skies = normalSkies();
    std::set<std::string> keys;
    int groups = 0;
    for (auto it = example.globalMatch(QString::fromUtf8(*page)); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const std::string key = match.captured(1).toStdString();
        const QString text = readableText(match.captured(2));
        SCOPED_TRACE(key);
        keys.insert(key);
        QStringList quoted;
        for (auto q = quote.globalMatch(text); q.hasNext();) {
            quoted << q.next().captured(1);
        }
        EXPECT_TRUE(std::any_of(skies.begin(), skies.end(),
                                [&](const NormalSky& sky) {
                                    return sky.key == key &&
                                           std::all_of(quoted.begin(), quoted.end(),
                                                       [&](const QString& q) {
                                                           return sky.remarks.contains(q);
                                                       });
                                }))
            << "no photo with this key and the remarks " << quoted.join(" | ").toStdString();
        const QString codes =
            QString::fromStdString(key).remove(QRegularExpression("[^0-9x]")).replace('x', '/');
        for (auto g = group.globalMatch(text); g.hasNext(); ++groups) {
            const QString written = g.next().captured(0);
            SCOPED_TRACE(written.toStdString());
            EXPECT_EQ(written.mid(2), codes) << "CL, CM and CH of the key";
            const QChar nh = written[1];
            if (codes[0] == '0' && codes[1] == '0') {
                EXPECT_EQ(nh, '0') << "neither low nor middle cloud";
            } else {
                EXPECT_NE(nh, '0') << "Nh counts the lowest level with cloud";
            }
            if (codes[1] == '/') {
                EXPECT_EQ(codes[2], '/') << "what hides the middle level hides the high one";
                EXPECT_EQ(nh, '8') << "a closed low layer covers the sky";
            }
        }
    }
    EXPECT_GE(keys.size(), 12u) << "a dozen skies";
    EXPECT_GE(groups, 10);
    EXPECT_TRUE(keys.count("Cl 6 - Cm x - Ch x")) << "the closed Stratus layer";
}

}  // namespace
}  // namespace nimbara
