#include "platform/pictureview.h"
#include "platform/nativefile.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/testpictures.h"

#include <QFile>
#include <QScreen>

#include <unistd.h>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::encoded;
using test::patterned;

constexpr QRgb kGrey = 0x646464;

// Four flat quarters, so that JPEG keeps the colours near enough to compare.
QImage quarters(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (x >= width / 2 || y >= height / 2) {
                image.setPixel(
                    x, y,
                    (x >= width / 2) == (y >= height / 2) ? qRgb(0, 0, 255) : qRgb(0, 160, 0));
            }
        }
    }
    return image;
}

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 &&
           std::abs(qBlue(a) - qBlue(b)) < 24;
}

class PictureViewTest : public testing::Test {
protected:
    PictureViewTest() { view.setBackgroundColor(QColor::fromRgb(kGrey)); }
    ~PictureViewTest() override { PictureView::setDecodeLimit(128); }

    QByteArray put(const QString& name, const QByteArray& content) {
        dir.writeFile(name, content);
        return QFile::encodeName(dir.absolute(name));
    }
    QImage shown() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QSize screenPixels() const { return view.screen()->size() * view.screen()->devicePixelRatio(); }

    test::AppDirFixture dir;
    PictureView view{nullptr};
};

TEST_F(PictureViewTest, TilesThePictureFromTheTopLeftAtItsOwnSize) {
    const QImage picture = patterned(7, 5);
    ASSERT_TRUE(view.setBackgroundImage(put("tile.bmp", encoded(picture, "BMP"))));
    view.resize(50, 41);
    const QImage seen = shown();
    ASSERT_EQ(seen.size(), QSize(50, 41));
    for (int y = 0; y < seen.height(); ++y) {
        for (int x = 0; x < seen.width(); ++x) {
            ASSERT_EQ(seen.pixel(x, y), picture.pixel(x % 7, y % 5)) << x << "," << y;
        }
    }
    EXPECT_EQ(view.pictureSize(), QSize(7, 5));
}

TEST_F(PictureViewTest, ThePictureIsFoundByItsContentNotItsName) {
    const QImage picture = patterned(3, 3);
    ASSERT_TRUE(view.setBackgroundImage(put("named.bmp", encoded(picture, "PNG"))));
    view.resize(6, 6);
    EXPECT_EQ(shown().pixel(4, 5), picture.pixel(1, 2));
}

TEST_F(PictureViewTest, TransparentPixelsShowTheBackground) {
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(1, 0, qRgba(255, 255, 255, 255));
    ASSERT_TRUE(view.setBackgroundImage(put("glass.png", encoded(picture, "PNG"))));
    view.resize(4, 2);
    const QImage seen = shown();
    EXPECT_EQ(seen.pixel(0, 0), qRgb(100, 100, 100) | 0xff000000);
    EXPECT_EQ(seen.pixel(3, 1), 0xffffffffu);
}

struct RefusedCase {
    const char* name;
    std::function<QByteArray(test::AppDirFixture&)> path;
    friend void PrintTo(const RefusedCase& row, std::ostream* out) { *out << row.name; }
};

class RefusedPicture : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedPicture, LeavesTheBackgroundAlone) {
    test::AppDirFixture dir;
    PictureView view(nullptr);
    view.setBackgroundColor(QColor::fromRgb(kGrey));
    view.resize(20, 10);
    EXPECT_FALSE(view.setBackgroundImage(GetParam().path(dir)));
    EXPECT_EQ(view.pictureSize(), QSize());
    const QImage seen = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(seen.pixel(0, 0), 0xff646464u);
    EXPECT_EQ(seen.pixel(19, 9), 0xff646464u);
}

QByteArray write(test::AppDirFixture& dir, const QString& name, const QByteArray& content) {
    dir.writeFile(name, content);
    return QFile::encodeName(dir.absolute(name));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedPicture,
    testing::Values(
        RefusedCase{"Missing", [](auto& dir) { return QFile::encodeName(dir.absolute("no.png")); }},
        RefusedCase{"Empty", [](auto& dir) { return write(dir, "empty.png", {}); }},
        RefusedCase{"Text", [](auto& dir) { return write(dir, "a.png", "not a picture\n"); }},
        RefusedCase{"TruncatedPng",
                    [](auto& dir) {
                        return write(dir, "cut.png", encoded(patterned(64, 64), "PNG").left(60));
                    }},
        RefusedCase{"Folder",
                    [](auto& dir) {
                        dir.writeFile("pictures.png/inside", "x");
                        return QFile::encodeName(dir.absolute("pictures.png"));
                    }},
        RefusedCase{"ZeroByteInTheName",
                    [](auto& dir) {
                        // Cut at the zero byte the name would be that of a real picture.
                        return write(dir, "real.bmp", encoded(patterned(2, 2), "BMP")) +
                               QByteArray("\0.txt", 5);
                    }},
        RefusedCase{"NoPath", [](auto&) { return QByteArray(); }}),
    [](const testing::TestParamInfo<RefusedCase>& row) { return std::string(row.param.name); });

TEST_F(PictureViewTest, ANameThatIsNotUtf8Opens) {
    const QByteArray path = QFile::encodeName(dir.path()) + "/caf\xe9-\xff.bmp";
    {
        FILE* raw = std::fopen(path.constData(), "wb");
        ASSERT_NE(raw, nullptr);
        const QByteArray content = encoded(patterned(4, 4), "BMP");
        std::fwrite(content.constData(), 1, static_cast<std::size_t>(content.size()), raw);
        std::fclose(raw);
    }
    EXPECT_FALSE(QFile::exists(QFile::decodeName(path))) << "text names cannot reach it";
    EXPECT_TRUE(view.setBackgroundImage(path));
    EXPECT_EQ(view.pictureSize(), QSize(4, 4));
    ::unlink(path.constData());  // the temporary folder cannot list it to remove it
}

struct TooLargeCase {
    const char* name;
    const char* format;
    friend void PrintTo(const TooLargeCase& row, std::ostream* out) { *out << row.name; }
};

class TooLargeForTheBound : public testing::TestWithParam<TooLargeCase> {};

TEST_P(TooLargeForTheBound, IsRefusedWhenItCannotBeDecodedInPart) {
    test::AppDirFixture dir;
    PictureView view(nullptr);
    // 1200 x 1000 decodes to more than four megabytes; under one it would pass.
    const QImage picture = quarters(1200, 1000);
    dir.writeFile("big", encoded(picture, GetParam().format));
    PictureView::setDecodeLimit(4);
    EXPECT_FALSE(view.setBackgroundImage(QFile::encodeName(dir.absolute("big"))));
    PictureView::setDecodeLimit(16);
    EXPECT_TRUE(view.setBackgroundImage(QFile::encodeName(dir.absolute("big"))));
    PictureView::setDecodeLimit(128);
}

INSTANTIATE_TEST_SUITE_P(Formats, TooLargeForTheBound,
                         testing::Values(TooLargeCase{"Png", "PNG"}, TooLargeCase{"Bmp", "BMP"}),
                         [](const testing::TestParamInfo<TooLargeCase>& row) {
                             return std::string(row.param.name);
                         });

// A PNG that claims 40000 x 40000 pixels (6.4 gigabytes decoded) in a few bytes.
QByteArray giantPng() {
    auto bigEndian = [](quint32 value) {
        QByteArray bytes(4, '\0');
        for (int i = 0; i < 4; ++i) {
            bytes[i] = static_cast<char>((value >> (24 - 8 * i)) & 0xff);
        }
        return bytes;
    };
    auto chunk = [&](const QByteArray& typeAndData) {
        quint32 crc = 0xffffffffu;
        for (const char byte : typeAndData) {
            crc ^= static_cast<quint8>(byte);
            for (int bit = 0; bit < 8; ++bit) {
                crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
            }
        }
        return bigEndian(static_cast<quint32>(typeAndData.size() - 4)) + typeAndData +
               bigEndian(~crc);
    };
    return QByteArray("\x89PNG\r\n\x1a\n", 8) +
           chunk("IHDR" + bigEndian(40000) + bigEndian(40000) +
                 QByteArray("\x08\x06\x00\x00\x00", 5)) +
           chunk("IDAT" + QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + chunk("IEND");
}

TEST_F(PictureViewTest, AGiantPictureIsRefusedAtItsHeaderUnderTheUsualBound) {
    EXPECT_FALSE(view.setBackgroundImage(put("giant.png", giantPng())));
}

TEST_F(PictureViewTest, AJpegLargerThanTheBoundIsDecodedOnlyWhereItCanBeSeen) {
    const QImage picture = quarters(2400, 1800);
    const QByteArray path = put("large.jpg", encoded(picture, "JPEG"));
    PictureView::setDecodeLimit(4);  // the whole picture needs about 17 megabytes
    view.resize(300, 200);
    ASSERT_TRUE(view.setBackgroundImage(path));
    EXPECT_EQ(view.pictureSize(), QSize(2400, 1800));
    const QImage part = view.decodedPart();
    EXPECT_EQ(part.size(), screenPixels().boundedTo(QSize(2400, 1800)))
        << "as much as the screen can show";
    EXPECT_TRUE(near(part.pixel(0, 0), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(part.pixel(part.width() - 1, part.height() - 1), qRgb(255, 0, 0)));
    const QImage seen = shown();
    EXPECT_TRUE(near(seen.pixel(299, 199), qRgb(255, 0, 0)));
}

TEST_F(PictureViewTest, APartlyDecodedStripStillRepeatsAtThePicturesOwnHeight) {
    // 3000 x 100: wider than any screen here, so only its left part is decoded; the tiles below
    // it still come every 100 pixels.
    QImage picture(3000, 100, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 3000; ++x) {
            picture.setPixel(x, y, qRgb(255, 255, 0));
        }
    }
    PictureView::setDecodeLimit(1);  // the whole strip would need 1.2 megabytes
    ASSERT_TRUE(view.setBackgroundImage(put("strip.jpg", encoded(picture, "JPEG"))));
    ASSERT_LT(view.decodedPart().width(), 3000);
    view.resize(400, 400);
    const QImage seen = shown();
    for (const int y : {10, 110, 210, 310}) {
        EXPECT_TRUE(near(seen.pixel(200, y), qRgb(255, 255, 0))) << y;
        EXPECT_TRUE(near(seen.pixel(200, y + 60), qRgb(0, 0, 255))) << y + 60;
    }
}

TEST_F(PictureViewTest, GrowingBeyondTheDecodedPartReadsMoreOfThePicture) {
    PictureView::setDecodeLimit(8);
    ASSERT_TRUE(view.setBackgroundImage(put("wide.jpg", encoded(quarters(3000, 2000), "JPEG"))));
    const QSize before = view.decodedPart().size();
    const QSize larger = before + QSize(200, 100);
    view.resize(larger);
    const QImage seen = shown();
    EXPECT_EQ(view.decodedPart().size(), larger);
    EXPECT_TRUE(near(seen.pixel(larger.width() - 1, larger.height() - 1), qRgb(255, 0, 0)))
        << "still the top-left quarter of the picture";
}

TEST_F(PictureViewTest, WhereThePictureCannotBeReadAgainItsUnreadPartStaysGrey) {
    PictureView::setDecodeLimit(8);
    const QByteArray path = put("gone.jpg", encoded(quarters(3000, 2000), "JPEG"));
    ASSERT_TRUE(view.setBackgroundImage(path));
    const QSize part = view.decodedPart().size();
    ASSERT_TRUE(QFile::remove(QFile::decodeName(path)));
    view.resize(part + QSize(200, 100));
    const QImage seen = shown();
    EXPECT_EQ(view.decodedPart().size(), part);
    EXPECT_TRUE(near(seen.pixel(part.width() - 1, part.height() - 1), qRgb(255, 0, 0)));
    EXPECT_EQ(seen.pixel(part.width() + 100, part.height() + 50), 0xff646464u)
        << "not the part again: the picture goes on there, unread";
}

TEST_F(PictureViewTest, AProgressiveJpegNeedingMoreWorkingMemoryThanTheBoundIsRefused) {
    // A progressive JPEG is held whole inside the decoder before any part comes out: 2500 x 2500
    // needs about 19 megabytes there, more than the bound that the part shown fits in.
    const QByteArray path = put("progressive.jpg", encoded(quarters(2500, 2500), "JPEG", true));
    const QSize screen = screenPixels();
    const int partMegabytes = screen.width() * screen.height() * 4 / (1 << 20) + 1;
    ASSERT_LT(partMegabytes, 16) << "a screen this large needs a larger picture here";
    PictureView::setDecodeLimit(partMegabytes);
    EXPECT_FALSE(view.setBackgroundImage(path));
    PictureView::setDecodeLimit(64);
    EXPECT_TRUE(view.setBackgroundImage(path));
    PictureView::setDecodeLimit(partMegabytes);
    ASSERT_TRUE(view.setBackgroundImage(put("baseline.jpg", encoded(quarters(2500, 2500), "JPEG"))))
        << "the same picture stored plainly is decoded in part within the bound";
}

TEST(NativeFile, OpensFilesButNotFolders) {
    test::AppDirFixture dir;
    dir.writeFile("folder/file.txt", "content");
    QFile file;
    ASSERT_TRUE(openForReading(file, QFile::encodeName(dir.absolute("folder/file.txt"))));
    EXPECT_EQ(file.readAll(), "content");
    QFile folder;
    EXPECT_FALSE(openForReading(folder, QFile::encodeName(dir.absolute("folder"))));
    EXPECT_FALSE(folder.isOpen());
}

}  // namespace
}  // namespace nimbara
