// The reference shelf as built: every book opens at its own main page with its own title, and
// every link and picture of every page leads somewhere that exists.
#include "appdirfixture.h"
#include "helpbook.h"
#include "helpviewer.h"

#include <mspack.h>

#include <QDir>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace nimbara {
namespace {

const ChmDecoderEntry kDecoder{mspack_create_chm_decompressor, mspack_destroy_chm_decompressor};

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
            const HelpBook* targetBook = shelf.book(target->book);
            ASSERT_NE(targetBook, nullptr);
            const std::optional<QByteArray> content = targetBook->data(target->page);
            ASSERT_TRUE(content);
            if (reference.attribute == "src") {
                EXPECT_FALSE(QImage::fromData(*content).isNull());
            }
            if (!target->fragment.isEmpty()) {
                EXPECT_TRUE(anchorsOf(QString::fromUtf8(*content)).count(target->fragment));
            }
        }
    }
}

TEST_P(ShelfBookTest, ContentsEntriesLeadToPages) {
    Shelf shelf;
    const QString path = bookPath(GetParam());
    const HelpBook* book = shelf.book(path);
    ASSERT_NE(book, nullptr);
    std::function<void(const QList<ContentsEntry>&)> walk =
        [&](const QList<ContentsEntry>& entries) {
            for (const ContentsEntry& entry : entries) {
                const auto target = resolveHelpLink(HelpLocation{path, "/", {}}, QUrl(entry.local));
                ASSERT_TRUE(target) << entry.name.toStdString();
                EXPECT_TRUE(shelf.book(target->book)->data(target->page))
                    << entry.local.toStdString();
                walk(entry.children);
            }
        };
    walk(book->contents());
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

}  // namespace
}  // namespace nimbara
