#include "platform/windowsbitmap.h"
#include "tests/support/hostilefiles.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

QByteArray smallBitmap() {
    QImage image(40, 25, QImage::Format_RGB888);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A file header followed by a core header (12 bytes) of a 24-bit picture, pixels at 26.
QByteArray coreHeaderBitmap(quint16 width, quint16 height) {
    QByteArray bytes(26, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    qToLittleEndian<quint32>(26, bytes.data() + 10);
    qToLittleEndian<quint32>(12, bytes.data() + 14);
    qToLittleEndian<quint16>(width, bytes.data() + 18);
    qToLittleEndian<quint16>(height, bytes.data() + 20);
    qToLittleEndian<quint16>(1, bytes.data() + 22);
    qToLittleEndian<quint16>(24, bytes.data() + 24);
    return bytes;
}

// An info header whose size fields are changed to width x height at bitsPerPixel.
QByteArray withSize(QByteArray bytes, qint32 width, qint32 height, quint16 bitsPerPixel) {
    qToLittleEndian<qint32>(width, bytes.data() + 18);
    qToLittleEndian<qint32>(height, bytes.data() + 22);
    qToLittleEndian<quint16>(bitsPerPixel, bytes.data() + 28);
    return bytes;
}

TEST(WindowsBitmapTest, AWholeBitmapDecodes) {
    EXPECT_EQ(decodeWindowsBitmap(smallBitmap()).size(), QSize(40, 25));
    QByteArray core = coreHeaderBitmap(2, 2);
    core.append(QByteArray(2 * 8, '\x7f'));  // two rows of 6 bytes padded to 8
    EXPECT_TRUE(isCompleteWindowsBitmap(core));
}

TEST(WindowsBitmapTest, AHeaderCutShortIsRefusedAtEveryLength) {
    const QByteArray core = coreHeaderBitmap(2, 2) + QByteArray(16, '\x7f');
    for (qsizetype length = 0; length < 26; ++length) {
        EXPECT_FALSE(isCompleteWindowsBitmap(core.left(length))) << length << " bytes";
    }
    const QByteArray info = smallBitmap();
    for (qsizetype length = 0; length < 54; ++length) {
        EXPECT_FALSE(isCompleteWindowsBitmap(info.left(length))) << length << " bytes";
    }
}

TEST(WindowsBitmapTest, ExtremeSizesAreRefusedWithoutOverflow) {
    const QByteArray bytes = smallBitmap();
    EXPECT_FALSE(isCompleteWindowsBitmap(withSize(bytes, 0x7fffffff, 0x7fffffff, 32)));
    // 2^31 rows of 2^33 bytes: a size that wraps round to 0 in 64 bits.
    EXPECT_FALSE(isCompleteWindowsBitmap(withSize(bytes, -0x7fffffff - 1, -0x7fffffff - 1, 32)));
    EXPECT_FALSE(isCompleteWindowsBitmap(withSize(bytes, 40000, 1, 1)));
    EXPECT_TRUE(decodeWindowsBitmap(withSize(bytes, 65536, 65536, 24)).isNull());
}

TEST(WindowsBitmapTest, AFileLargerThanAPhotoCanBeIsNotRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.bmp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(smallBitmap());
    // Trailing bytes after a whole bitmap do not stop it from decoding, so only the size refuses.
    ASSERT_TRUE(file.resize(kMaxBitmapFileSize));
    file.close();
    EXPECT_FALSE(loadWindowsBitmap(path).isNull()) << "a file of the largest size is read";
    ASSERT_TRUE(file.resize(kMaxBitmapFileSize + 1));
    EXPECT_TRUE(loadWindowsBitmap(path).isNull());
}

// What a photo's name may stand for besides a file: none of it is read, waited on or read
// without end, and none of it passes as a photo of size 0.
struct NotAFileCase {
    const char* name;
    const char* target;  // what photo.bmp is made: "pipe", or a link to this path
};

class NotAFile : public testing::TestWithParam<NotAFileCase> {};

TEST_P(NotAFile, IsNoPhoto) {
    QTemporaryDir dir;
    const QString photo = dir.filePath("photo.bmp");
    const QString target = QString::fromUtf8(GetParam().target);
    test::UnwrittenPipe pipe(target == "pipe" ? photo : dir.filePath("pipe"));
    ASSERT_TRUE(pipe.isValid());
    if (target != "pipe") {
        ASSERT_TRUE(QFile::link(target == "link to pipe" ? dir.filePath("pipe") : target, photo));
    }
    const test::MemoryCeiling ceiling(512);
    EXPECT_TRUE(loadWindowsBitmap(photo).isNull());
    EXPECT_FALSE(pipe.releasedAReader()) << "the pipe was waited on";
}

INSTANTIATE_TEST_SUITE_P(Paths, NotAFile,
                         testing::Values(NotAFileCase{"named_pipe", "pipe"},
                                         NotAFileCase{"link_to_a_named_pipe", "link to pipe"},
                                         NotAFileCase{"link_to_a_device", "/dev/zero"},
                                         NotAFileCase{"link_to_a_folder", "/"}),
                         [](const testing::TestParamInfo<NotAFileCase>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
}  // namespace nimbara
