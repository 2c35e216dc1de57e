// Links in help pages that name a book: only regular help files beside the open book are read,
// within the book size limit; a link to a device, a named pipe, a file outside the folder or a
// file that is no help file is refused at once and the page shows without it.
#include "help/book/helpshelf.h"
#include "help/viewer/helpbrowser.h"
#include "help/viewer/helpviewer.h"
#include "tests/support/hostilefiles.h"
#include "tests/support/testchm.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::kShelf;

QByteArray pngOf(QColor colour) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// A picture as the page keeps it once laid out (a pixmap), or as the book gave it (bytes).
QImage pictureOf(const QVariant& resource) {
    if (resource.typeId() == QMetaType::QPixmap) {
        return resource.value<QPixmap>().toImage();
    }
    if (resource.typeId() == QMetaType::QImage) {
        return resource.value<QImage>();
    }
    return QImage::fromData(resource.toByteArray());
}

QByteArray page(const QString& title, const QString& body) {
    return QString("<html><head><title>%1</title></head><body>%2</body></html>")
        .arg(title, body)
        .toUtf8();
}

// The pictures the first page of the main book asks for without a click.
const char* const kMainPage =
    "<p>Main page</p>"
    "<img src=\"ms-its:/dev/zero::/x.png\">"
    "<img src=\"its:PIPE.CHM::/x.png\">"
    "<img src=\"mk:@MSITStore:ZERO.CHM::/x.png\">"
    "<img src=\"ms-its:NEXT.CHM::/green.png\">";

// The books are compiled once; every test gets its own folder with copies of them, links and a
// pipe:
//   HELP/MAIN.CHM, HELP/PLAIN.CHM, HELP/NEXT.CHM  books
//   HELP/ALIAS.CHM -> NEXT.CHM             a link that stays in the folder
//   HELP/ZERO.CHM -> /dev/zero, HELP/PIPE.CHM (a named pipe), HELP/LINKPIPE.CHM -> PIPE.CHM
//   AWAY.CHM, HELP/AWAY.CHM -> ../AWAY.CHM  a book outside the folder, and a link to it
//   HELP/sub/DEEP.CHM                      a book in a folder below
//   HELP/NOTES.TXT (a book), HELP/TEXT.chm -> NOTES.TXT
//   HELP/BIG.CHM                           larger than a help file may be
class HelpLinksTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        books = new QTemporaryDir;
        ASSERT_TRUE(test::compileHelpBook(books->filePath("MAIN.CHM"),
                                          "Title=Main book\nDefault topic=start.htm",
                                          {{"start.htm", page("Start", kMainPage)}}));
        ASSERT_TRUE(test::compileHelpBook(books->filePath("PLAIN.CHM"),
                                          "Title=Plain book\nDefault topic=plain.htm",
                                          {{"plain.htm", page("Plain", "<p>Plain page</p>")}}));
        ASSERT_TRUE(test::compileHelpBook(
            books->filePath("NEXT.CHM"), "Title=Next book\nDefault topic=next.htm",
            {{"next.htm", page("Next", "<p>Next book</p>")}, {"green.png", pngOf(Qt::green)}}));
    }
    static void TearDownTestSuite() {
        delete books;
        books = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(books != nullptr && books->isValid() && folders);
        copy("MAIN.CHM", "HELP/MAIN.CHM");
        copy("PLAIN.CHM", "HELP/PLAIN.CHM");
        copy("NEXT.CHM", "HELP/NEXT.CHM");
        copy("NEXT.CHM", "AWAY.CHM");
        copy("NEXT.CHM", "HELP/sub/DEEP.CHM");
        copy("NEXT.CHM", "HELP/NOTES.TXT");
        link("NEXT.CHM", "HELP/ALIAS.CHM");
        link("/dev/zero", "HELP/ZERO.CHM");
        link("PIPE.CHM", "HELP/LINKPIPE.CHM");
        link("../AWAY.CHM", "HELP/AWAY.CHM");
        link("NOTES.TXT", "HELP/TEXT.chm");
        QFile big(help("BIG.CHM"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(HelpShelf::kMaxFileSize + 1));
    }
    void TearDown() override { HelpViewer::closeAll(); }

    QString help(const QString& name) const { return root.filePath("HELP/" + name); }
    void copy(const QString& book, const QString& to) const {
        ASSERT_TRUE(QFile::copy(books->filePath(book), root.filePath(to)));
    }
    void link(const QString& target, const QString& at) const {
        ASSERT_TRUE(QFile::link(target, root.filePath(at)));
    }
    HelpViewer* open(const QString& book) { return HelpViewer::open(help(book), kShelf); }
    static QString text(HelpViewer* viewer) { return viewer->browser()->toPlainText(); }

    static QTemporaryDir* books;
    QTemporaryDir root;
    bool folders = QDir(root.path()).mkpath("HELP/sub");
    test::UnwrittenPipe pipe{root.filePath("HELP/PIPE.CHM")};
    // Reading a device to its end would take it all.
    test::MemoryCeiling ceiling{768};
};

QTemporaryDir* HelpLinksTest::books = nullptr;

TEST_F(HelpLinksTest, PicturesOfAPageComeOnlyFromBooksBesideIt) {
    ASSERT_TRUE(pipe.isValid());
    HelpViewer* viewer = open("MAIN.CHM");
    QTextDocument* document = viewer->browser()->document();
    document->size();  // lays the page out, which loads its pictures
    EXPECT_EQ(text(viewer), "Main page\uFFFC\uFFFC\uFFFC\uFFFC");
    EXPECT_EQ(viewer->windowTitle(), "Main book");
    const QImage green = pictureOf(
        document->resource(QTextDocument::ImageResource, QUrl("ms-its:NEXT.CHM::/green.png")));
    ASSERT_FALSE(green.isNull()) << "a book beside this one";
    EXPECT_EQ(green.pixelColor(4, 4), QColor(Qt::green));
    for (const char* refused :
         {"ms-its:/dev/zero::/x.png", "its:PIPE.CHM::/x.png", "mk:@MSITStore:ZERO.CHM::/x.png"}) {
        EXPECT_FALSE(document->resource(QTextDocument::ImageResource, QUrl(refused)).isValid())
            << refused;
    }
    EXPECT_FALSE(pipe.releasedAReader()) << "the pipe was waited on";
}

struct LinkCase {
    const char* name;
    const char* link;
    // The page shown, with %1 for the folder that holds HELP/; "Next book" when the link opens.
    const char* shown;
};

class FollowingLinks : public HelpLinksTest, public testing::WithParamInterface<LinkCase> {};

TEST_P(FollowingLinks, OpensOnlyHelpFilesBesideTheBook) {
    ASSERT_TRUE(pipe.isValid());
    HelpViewer* viewer = open("PLAIN.CHM");
    const auto withFolder = [this](const QString& text) {
        return text.contains("%1") ? text.arg(root.path()) : text;
    };
    emit viewer->browser()->anchorClicked(QUrl(withFolder(GetParam().link)));
    EXPECT_EQ(text(viewer), withFolder(GetParam().shown));
    EXPECT_FALSE(pipe.releasedAReader()) << "the pipe was waited on";
}

constexpr char kOpened[] = "Next book";

INSTANTIATE_TEST_SUITE_P(
    Links, FollowingLinks,
    testing::Values(
        LinkCase{"ByName", "ms-its:NEXT.CHM::/next.htm", kOpened},
        LinkCase{"ShortScheme", "its:NEXT.CHM::/next.htm", kOpened},
        LinkCase{"StoreScheme", "mk:@MSITStore:NEXT.CHM::/next.htm", kOpened},
        LinkCase{"ByFullPath", "ms-its:%1/HELP/NEXT.CHM::/next.htm", kOpened},
        LinkCase{"ThroughALinkInTheFolder", "ms-its:ALIAS.CHM::/next.htm", kOpened},
        LinkCase{"Device", "ms-its:/dev/zero::/x.htm",
                 "Help file not available\nThe link leads to /dev/zero, which is not a help "
                 "file beside this one."},
        LinkCase{"LinkToADevice", "ms-its:ZERO.CHM::/x.htm",
                 "Help file not available\nThe link leads to %1/HELP/ZERO.CHM, which is not a help "
                 "file beside this one."},
        LinkCase{"NamedPipe", "ms-its:PIPE.CHM::/x.htm",
                 "Help file not available\nThe help file %1/HELP/PIPE.CHM cannot be read: not a "
                 "regular file"},
        LinkCase{
            "LinkToANamedPipe", "its:LINKPIPE.CHM::/x.htm",
            "Help file not available\nThe help file %1/HELP/LINKPIPE.CHM cannot be read: not a "
            "regular file"},
        LinkCase{"LinkOutOfTheFolder", "ms-its:AWAY.CHM::/next.htm",
                 "Help file not available\nThe link leads to %1/HELP/AWAY.CHM, which is not a help "
                 "file beside this one."},
        LinkCase{"PathOutOfTheFolder", "ms-its:../AWAY.CHM::/next.htm",
                 "Help file not available\nThe link leads to %1/AWAY.CHM, which is not a help "
                 "file beside this one."},
        LinkCase{"RelativeLinkOutOfTheBook", "../../AWAY.CHM::/next.htm",
                 "Help file not available\nThe link leads to %1/AWAY.CHM, which is not a help "
                 "file beside this one."},
        LinkCase{"FolderBelow", "ms-its:sub/DEEP.CHM::/next.htm",
                 "Help file not available\nThe link leads to %1/HELP/sub/DEEP.CHM, which is not a "
                 "help file beside this one."},
        LinkCase{
            "NotNamedAsAHelpFile", "ms-its:NOTES.TXT::/next.htm",
            "Help file not available\nThe link leads to %1/HELP/NOTES.TXT, which is not a help "
            "file beside this one."},
        LinkCase{"LinkToAFileNotNamedAsAHelpFile", "ms-its:TEXT.chm::/next.htm",
                 "Help file not available\nThe link leads to %1/HELP/TEXT.chm, which is not a help "
                 "file beside this one."},
        LinkCase{"LargerThanAHelpFile", "ms-its:BIG.CHM::/x.htm",
                 "Help file not available\nThe help file %1/HELP/BIG.CHM is too large to be a help "
                 "file."},
        LinkCase{"Missing", "ms-its:GONE.CHM::/x.htm",
                 "Help file not available\nThe help file %1/HELP/GONE.CHM does not exist."}),
    [](const testing::TestParamInfo<LinkCase>& row) { return std::string(row.param.name); });

TEST_F(HelpLinksTest, AWindowOpenedOnAPipeOrADeviceSaysSoAtOnce) {
    ASSERT_TRUE(pipe.isValid());
    HelpViewer* onPipe = HelpViewer::open(help("PIPE.CHM"), kShelf);
    EXPECT_EQ(text(onPipe), "Help file not available\nThe help file " + help("PIPE.CHM") +
                                " cannot be read: not a regular file");
    HelpViewer* onDevice = HelpViewer::open(help("ZERO.CHM"), kShelf);
    EXPECT_EQ(text(onDevice), "Help file not available\nThe help file " + help("ZERO.CHM") +
                                  " cannot be read: not a regular file");
    EXPECT_FALSE(pipe.releasedAReader()) << "the pipe was waited on";
}

}  // namespace
}  // namespace nimbara
