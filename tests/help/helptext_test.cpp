// The text the full-text search reads from a help page, and the words it compares.
#include "help/book/helptext.h"
#include "help/book/searchquery.h"

#include <gtest/gtest.h>

namespace nimbara {
namespace {

struct EntityRow {
    const char* name;
    const char* html;
    const char* text;  // UTF-8
};

class EntityTest : public testing::TestWithParam<EntityRow> {};

TEST_P(EntityTest, IsDecoded) {
    EXPECT_EQ(decodeHtmlEntities(QString::fromUtf8(GetParam().html)),
              QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    References, EntityTest,
    testing::Values(EntityRow{"Basic", "a &amp; b &lt;c&gt; &quot;d&quot;", "a & b <c> \"d\""},
                    EntityRow{"Decimal", "n&#233;v&#233;", "n\u00e9v\u00e9"},
                    EntityRow{"Hexadecimal", "&#x2013; and &#X2014;", "\u2013 and \u2014"},
                    EntityRow{"NamedAccent", "n&eacute;v&eacute;", "n\u00e9v\u00e9"},
                    EntityRow{"NamedSymbols", "10&deg; &times; 2 &ndash; &frac12;",
                              "10\u00b0 \u00d7 2 \u2013 \u00bd"},
                    EntityRow{"UnknownKeptAsWritten", "&bogus; &amp", "&bogus; &amp"},
                    EntityRow{"OutOfRangeKept", "&#1114112; &#0;", "&#1114112; &#0;"},
                    EntityRow{"LoneAmpersand", "salt & pepper", "salt & pepper"}),
    [](const testing::TestParamInfo<EntityRow>& row) { return std::string(row.param.name); });

TEST(PageText, TitleAndBodyWithoutMarkupScriptsOrStyles) {
    const PageText page = pageText(
        "<html><head><title> Sea &amp; ice\n  stages </title>"
        "<style>h1 { color: red; }</style><script>var frazil = 1;</script></head>"
        "<body><h1>New ice</h1><p>Frazil,<b>grease</b> ice&nbsp;and "
        "<a href=\"x.htm\">shuga</a>.</p><!-- a comment with nilas -->"
        "<table><tr><td>nilas</td><td>pancake</td></tr></table>"
        "<p title=\"a > b\">end</p></body></html>");
    EXPECT_EQ(page.title, "Sea & ice stages");
    EXPECT_EQ(page.text, "New ice Frazil,grease ice and shuga. nilas pancake end");
}

TEST(PageText, APageWithoutTitleHasAnEmptyOne) {
    EXPECT_EQ(pageText("<p>just text</p>").title, "");
    EXPECT_EQ(pageText("<p>just text</p>").text, "just text");
}

struct KeyRow {
    const char* name;
    const char* word;  // UTF-8
    const char* key;
};

class SearchKeyTest : public testing::TestWithParam<KeyRow> {};

TEST_P(SearchKeyTest, ComparesWithoutCaseAndAccents) {
    EXPECT_EQ(searchKey(QString::fromUtf8(GetParam().word)), QString::fromUtf8(GetParam().key));
}

INSTANTIATE_TEST_SUITE_P(Words, SearchKeyTest,
                         testing::Values(KeyRow{"Capitals", "Cumulonimbus", "cumulonimbus"},
                                         KeyRow{"PrecomposedAccents", "N\u00c9V\u00c9", "neve"},
                                         KeyRow{"CombiningAccents", "Ne\u0301ve\u0301", "neve"},
                                         KeyRow{"Digits", "CL7", "cl7"},
                                         KeyRow{"NoBaseLetter", "\u00e6ther", "\u00e6ther"}),
                         [](const testing::TestParamInfo<KeyRow>& row) {
                             return std::string(row.param.name);
                         });

TEST(Words, AreRunsOfLettersAndDigits) {
    const QString text = QString::fromUtf8("first-year ice: 30\u201370 cm, n\u00e9v\u00e9's");
    QStringList words;
    forEachWord(text, [&](qsizetype start, qsizetype length) { words << text.mid(start, length); });
    EXPECT_EQ(words, QStringList({"first", "year", "ice", "30", "70", "cm",
                                  QString::fromUtf8("n\u00e9v\u00e9"), "s"}));
}

TEST(Words, TheKeyTextKeepsEveryWordInItsPlace) {
    const QString text = QString::fromUtf8("Grey-White \u00c9t\u00e9");
    const QString keys = searchKeyText(text);
    EXPECT_EQ(keys, QString::fromUtf8("grey-white ete"));
    EXPECT_EQ(keys.size(), text.size());
}

TEST(SearchQuery, ReadsWordsPrefixesAndDropsRepeats) {
    const SearchQuery query =
        SearchQuery::parse(QString::fromUtf8("Frazil  mam* N\u00e9v\u00e9, frazil; +*"));
    ASSERT_EQ(query.terms().size(), 3);
    EXPECT_EQ(query.terms()[0].key, "frazil");
    EXPECT_FALSE(query.terms()[0].prefix);
    EXPECT_EQ(query.terms()[1].key, "mam");
    EXPECT_TRUE(query.terms()[1].prefix);
    EXPECT_EQ(query.terms()[2].key, "neve");
    EXPECT_TRUE(query.matches("mamma"));
    EXPECT_TRUE(query.matches("frazil"));
    EXPECT_FALSE(query.matches("frazils")) << "a word without '*' matches only itself";
    EXPECT_FALSE(query.matches("ma"));
}

TEST(SearchQuery, OnlySeparatorsMakeAnEmptyQuery) {
    EXPECT_TRUE(SearchQuery::parse(QString(" - , * ")).isEmpty());
}

}  // namespace
}  // namespace nimbara
