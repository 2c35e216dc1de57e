// The shelf that opens help books: with the linked decoder, with a decoder library loaded at run
// time, with a library that is no decoder, and with none.
#include "help/book/helpshelf.h"
#include "help/book/helpbook.h"
#include "tests/support/testchm.h"

#include <QLibrary>

#include <functional>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

struct ShelfCase {
    const char* name;
    std::function<HelpShelf()> make;
    bool canRead;
};

// The libraries stay loaded for the process, as the help engine's do.
HelpShelf fromLibrary(const QString& name, int version) {
    auto* library = new QLibrary(name, version);
    EXPECT_TRUE(library->load()) << library->errorString().toStdString();
    return HelpShelf::fromLibrary(*library);
}

const ShelfCase kShelfCases[] = {
    {"Linked", [] { return HelpShelf::linked(); }, true},
    {"DecoderLibrary", [] { return fromLibrary("mspack", 0); }, true},
    {"LibraryWithoutTheDecoder", [] { return fromLibrary("z", 1); }, false},
    {"NoDecoder", [] { return HelpShelf(); }, false},
};

class HelpShelfTest : public testing::TestWithParam<ShelfCase> {};

TEST_P(HelpShelfTest, OpensBooksOnlyWithADecoder) {
    const HelpShelf shelf = GetParam().make();
    EXPECT_EQ(shelf.canRead(), GetParam().canRead);
    const QString path = test::fixture("TESTBOOK.CHM");
    QString error;
    const std::unique_ptr<HelpBook> book = shelf.open(path, &error);
    if (GetParam().canRead) {
        ASSERT_TRUE(book) << error.toStdString();
        EXPECT_EQ(book->defaultTopic(), "/start.htm");
        EXPECT_TRUE(book->data(book->defaultTopic()));
    } else {
        EXPECT_FALSE(book);
        EXPECT_EQ(error, QString("The help file %1 cannot be shown. The CHM decoder is not "
                                 "available.")
                             .arg(path));
    }
}

TEST_P(HelpShelfTest, AMissingFileIsRefusedBeforeAnyDecoding) {
    QString error;
    EXPECT_FALSE(GetParam().make().open(test::fixture("NOWHERE.CHM"), &error));
    EXPECT_EQ(error, QString("The help file %1 does not exist.").arg(test::fixture("NOWHERE.CHM")));
}

INSTANTIATE_TEST_SUITE_P(Shelves, HelpShelfTest, testing::ValuesIn(kShelfCases),
                         [](const testing::TestParamInfo<ShelfCase>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
}  // namespace nimbara
