// The import facing a full disk, damaged or foreign files and pictures built to take all memory:
// a photo and its attribution row go in together or not at all, nothing the user saved is
// changed, and every refusal names its line within a bound of time and memory.
#include "tests/support/childprocess.h"
#include "tests/support/hostilefiles.h"
#include "tests/support/testfiles.h"
#include "tests/support/testpictures.h"
#include "tests/tools/importcatalogue.h"
#include "tests/tools/importplace.h"
#include "tools/import/manifest.h"
#include "tools/import/photosetreport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::ImportPlace;

const QByteArray kAttributionHeader = "photo,game,class,photographer,licence,source,original\n";
const QByteArray kEarlierRows = "ice0.bmp,ice1,bery bit,Old Hand,CC0,,old.jpg\n";

// The files of folder that are not the ones named, hidden ones included (temporary files).
QStringList strayFiles(const QString& folder, const QStringList& expected) {
    QStringList stray = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : expected) {
        stray.removeAll(name);
    }
    return stray;
}

// ----------------------------------------------------------------------------------------------
// A full disk, through the command as users run it

struct FullDiskCase {
    const char* name;
    long fileSizeBytes;         // the largest file the disk still takes
    qsizetype attributionSize;  // the earlier attribution is padded to this size
    const char* failing;        // the file whose write fails, below the application directory
    friend void PrintTo(const FullDiskCase& row, std::ostream* out) { *out << row.name; }
};

class FullDisk : public testing::TestWithParam<FullDiskCase> {};

TEST_P(FullDisk, PlacesNeitherThePhotoNorItsRowAndSaysSo) {
    ImportPlace place;
    place.addPicture("good.jpg", {800, 500});
    QByteArray earlier = kAttributionHeader + kEarlierRows;
    while (earlier.size() < GetParam().attributionSize) {
        earlier += "ice0.bmp,ice1,bery bit,Old Hand,CC0,,old.jpg\n";
    }
    test::writeFileBytes(place.app("games/ice/ATTRIBUTION.csv"), earlier);
    test::writeFileBytes(place.pictures("set.csv"),
                         "file,game,class,photographer,licence,source\n"
                         "good.jpg,ice1,brash,New Hand,CC0,\n");
    test::ChildLimits limits;
    limits.fileSizeBytes = GetParam().fileSizeBytes;
    const test::ChildRun run = test::runChild(
        NIMBARA_IMPORT_PROGRAM, {"--into", place.app(), place.pictures("set.csv")}, limits);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(run.errors),
              "line 2: cannot write " + place.app(GetParam().failing) + ": File too large\n");
    EXPECT_TRUE(run.out.contains("Imported 0 photos into " + QFile::encodeName(place.app()) +
                                 "; 1 line refused.\n"))
        << run.out.constData();
    EXPECT_EQ(test::readFileBytes(place.app("games/ice/ATTRIBUTION.csv")), earlier);
    EXPECT_EQ(strayFiles(place.app("games/ice"), {"ATTRIBUTION.csv"}), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Imports, FullDisk,
    testing::Values(FullDiskCase{"photo_cut_short", 100'000, 0, "games/ice/ice1.bmp"},
                    // The photo (300,054 bytes) fits; the longer attribution does not.
                    FullDiskCase{"attribution_cut_short", 310'000, 320'000,
                                 "games/ice/ATTRIBUTION.csv"}),
    [](const testing::TestParamInfo<FullDiskCase>& row) { return std::string(row.param.name); });

TEST(Attribution, ThatCannotBeWrittenKeepsThePhotoOutAndCountsTheLineOnceAsRefused) {
    if (test::runsAsAdministrator()) {
        GTEST_SKIP() << "the administrator replaces read-only files";
    }
    ImportPlace place;
    place.addPicture("good.jpg", {800, 500});
    const QString attribution = place.app("games/ice/ATTRIBUTION.csv");
    test::writeFileBytes(attribution, kAttributionHeader + kEarlierRows);
    QFile::setPermissions(attribution, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const ImportPlace::Run run = place.import("good.jpg,ice1,brash,New Hand,CC0,\n");
    EXPECT_EQ(run.errors,
              QStringList{"line 2: cannot write " + attribution + ": Permission denied"});
    EXPECT_EQ(run.out, QStringList());
    EXPECT_EQ(run.summary.imported, 0);
    EXPECT_EQ(run.summary.refused, 1);
    EXPECT_EQ(place.files(), QStringList{"games/ice/ATTRIBUTION.csv"});
    EXPECT_EQ(test::readFileBytes(attribution), kAttributionHeader + kEarlierRows);
}

// ----------------------------------------------------------------------------------------------
// An attribution file that is damaged or has columns of its own

struct DamagedCase {
    const char* name;
    QByteArray content;
    const char* why;  // after "line 2: <file> cannot be used (" and before "); it is left as it is"
    friend void PrintTo(const DamagedCase& row, std::ostream* out) { *out << row.name; }
};

class DamagedAttribution : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedAttribution, IsRefusedWithWhyAndNeverRewritten) {
    ImportPlace place;
    place.addPicture("good.jpg", {800, 500});
    const QString attribution = place.app("games/ice/ATTRIBUTION.csv");
    test::writeFileBytes(attribution, GetParam().content);
    const ImportPlace::Run run = place.import(
        "good.jpg,ice1,brash,A,B,C\n"
        "good.jpg,clouds-easy,Cm 4,A,B,C\n"
        "good.jpg,ice1,nilas,A,B,C\n");
    const QString refusal = attribution + " cannot be used (" + QString::fromUtf8(GetParam().why) +
                            "); it is left as it is";
    EXPECT_EQ(run.errors, QStringList({"line 2: " + refusal, "line 4: " + refusal}));
    EXPECT_EQ(run.summary.imported, 1) << "a line into another folder goes in";
    EXPECT_EQ(test::readFileBytes(attribution), GetParam().content);
    EXPECT_EQ(strayFiles(place.app("games/ice"), {"ATTRIBUTION.csv"}), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedAttribution,
    testing::Values(DamagedCase{"quote_never_closed",
                                kAttributionHeader + kEarlierRows +
                                    "ice2.bmp,ice1,floeberg,\"Berg, Ola,CC0,,a.jpg\n"
                                    "ice3.bmp,ice1,grease ice,Ann,CC0,,b.jpg\n",
                                "line 3: a quote opened on line 3 is never closed"},
                    DamagedCase{"extra_column",
                                kAttributionHeader + kEarlierRows +
                                    "ice2.bmp,ice1,floeberg,Berg, Ola,CC0,,a.jpg\n",
                                "line 3: 8 values where the first line names 7 columns"},
                    DamagedCase{"not_utf8",
                                kAttributionHeader + kEarlierRows +
                                    "ice2.bmp,ice1,floeberg,Ren\xe9" + "e M\xfcller,CC0,,a.jpg\n",
                                "line 3: not UTF-8 text"},
                    DamagedCase{"no_photo_column", "name,licence\nice0.bmp,CC0\n",
                                "line 1: no column \"photo\""}),
    [](const testing::TestParamInfo<DamagedCase>& row) { return std::string(row.param.name); });

TEST(Attribution, KeepsColumnsTheImportDoesNotKnowInTheirPlace) {
    ImportPlace place;
    place.addPicture("good.jpg", {800, 500});
    const QString attribution = place.app("games/ice/ATTRIBUTION.csv");
    test::writeFileBytes(attribution,
                         "photo,approved by,game,class,photographer,licence,source,original\n"
                         "ice0.bmp,\"Lee, A.\",ice1,bery bit,Old Hand,CC0,,old.jpg\n"
                         "ice1.bmp,Kim,ice1,brash ice,Old Hand,CC0,,older.jpg\n");
    const ImportPlace::Run run = place.import(
        "good.jpg,ice1,nilas,New Hand,CC BY 4.0,https://example.org/n\n"
        "good.jpg,ice1,brash,New Hand,CC0,\n",
        true);
    EXPECT_EQ(run.errors, QStringList());
    EXPECT_EQ(test::readFileBytes(attribution),
              "photo,approved by,game,class,photographer,licence,source,original\n"
              "ice0.bmp,\"Lee, A.\",ice1,bery bit,Old Hand,CC0,,old.jpg\n"
              "ice1.bmp,,ice1,brash ice,New Hand,CC0,,good.jpg\n"
              "ice11.bmp,,ice1,nilas,New Hand,CC BY 4.0,https://example.org/n,good.jpg\n");
}

// ----------------------------------------------------------------------------------------------
// Manifests and pictures that are not what they claim

TEST(ManifestText, InAnotherEncodingIsRefusedWithItsLine) {
    ImportPlace place;
    const QString path = place.pictures("set.csv");
    test::writeFileBytes(path,
                         "file,game,class,photographer,licence,source\n"
                         "a.jpg,ice1,brash,Ann Lee,CC0,\n"
                         "b.jpg,ice1,nilas,Ren\xe9"
                         "e M\xfcller,CC0,\n");
    const Manifest manifest = Manifest::read(path);
    EXPECT_EQ(manifest.error(), "line 3: not UTF-8 text; save the manifest as UTF-8");
    EXPECT_TRUE(manifest.entries().empty());
}

TEST(ManifestText, ThatIsNoRegularFileIsNotWaitedOn) {
    ImportPlace place;
    test::UnwrittenPipe pipe(place.pictures("set.csv"));
    ASSERT_TRUE(pipe.isValid());
    const test::ChildRun run = test::runChild(
        NIMBARA_IMPORT_PROGRAM, {"--into", place.app(), place.pictures("set.csv")}, {});
    EXPECT_FALSE(pipe.releasedAReader()) << "the import waited on the pipe";
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(QString::fromUtf8(run.errors), "nimbara-import: cannot read the manifest " +
                                                 place.pictures("set.csv") +
                                                 ": not a regular file\n");
}

TEST(Pictures, ThatAreNoRegularFilesAreRefusedWithoutWaiting) {
    ImportPlace place;
    test::UnwrittenPipe pipe(place.pictures("pipe.jpg"));
    ASSERT_TRUE(pipe.isValid());
    ASSERT_TRUE(QFile::link("/dev/zero", place.pictures("zero.jpg")));
    const test::MemoryCeiling ceiling(512);
    const ImportPlace::Run run = place.import(
        "pipe.jpg,ice1,brash,A,B,C\n"
        "zero.jpg,ice1,nilas,A,B,C\n");
    EXPECT_FALSE(pipe.releasedAReader()) << "the import waited on the pipe";
    EXPECT_EQ(run.errors, QStringList({"line 2: cannot read the picture " +
                                           place.pictures("pipe.jpg") + ": not a regular file",
                                       "line 3: cannot read the picture " +
                                           place.pictures("zero.jpg") + ": not a regular file"}));
    EXPECT_EQ(place.files(), QStringList());
}

// A progressive JPEG of a few hundred bytes whose header claims width x height: its decoder
// holds the whole picture's coefficients before anything comes out.
QByteArray forgedProgressiveJpeg(int width, int height) {
    QByteArray bytes = test::encoded(test::patterned(16, 16), "JPEG", true);
    const qsizetype frame = bytes.indexOf("\xFF\xC2");
    EXPECT_GT(frame, 0) << "no progressive frame header";
    bytes[frame + 5] = static_cast<char>(height >> 8);
    bytes[frame + 6] = static_cast<char>(height & 0xFF);
    bytes[frame + 7] = static_cast<char>(width >> 8);
    bytes[frame + 8] = static_cast<char>(width & 0xFF);
    return bytes;
}

struct MemoryBombCase {
    const char* name;
    int side;             // the picture claims side x side pixels
    const char* message;  // after "line 2: "; %1 stands for the picture's path
    friend void PrintTo(const MemoryBombCase& row, std::ostream* out) { *out << row.name; }
};

class MemoryBomb : public testing::TestWithParam<MemoryBombCase> {};

TEST_P(MemoryBomb, IsRefusedWithinABoundOfMemory) {
    ImportPlace place;
    test::writeFileBytes(place.pictures("bomb.jpg"),
                         forgedProgressiveJpeg(GetParam().side, GetParam().side));
    test::writeFileBytes(place.pictures("set.csv"),
                         "file,game,class,photographer,licence,source\n"
                         "bomb.jpg,ice1,brash,A,B,C\n");
    const test::ChildRun run = test::runChild(
        NIMBARA_IMPORT_PROGRAM, {"--into", place.app(), place.pictures("set.csv")}, {});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        QString::fromUtf8(run.errors),
        "line 2: " + QString::fromUtf8(GetParam().message).arg(place.pictures("bomb.jpg")) + "\n");
    EXPECT_LT(run.peakKilobytes, 256 * 1024);
    EXPECT_FALSE(QFile::exists(place.app("games/ice/ice1.bmp")));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, MemoryBomb,
    testing::Values(
        // More pixels than any picture may have: refused before decoding.
        MemoryBombCase{"more_pixels_than_allowed", 20000,
                       "the picture %1 is 20000 x 20000 pixels, too large to decode in 512 MB"},
        // Few enough pixels, but the decoder would need 675 MB: it stops at its bound.
        MemoryBombCase{"more_decoder_memory_than_allowed", 15000,
                       "cannot read the picture %1: Unable to read image data"}),
    [](const testing::TestParamInfo<MemoryBombCase>& row) { return std::string(row.param.name); });

// ----------------------------------------------------------------------------------------------
// The report

TEST(Report, CountsOnlyPhotosTheGameCanShow) {
    ImportPlace place;
    place.addPhoto("games/ice/ice0.bmp");
    place.addPhoto("games/ice/ice1.bmp");
    const QByteArray whole = test::readFileBytes(place.app("games/ice/ice1.bmp"));
    test::writeFileBytes(place.app("games/ice/ice1.bmp"), whole.left(whole.size() - 10));
    test::writeFileBytes(place.app("games/ice/ice2.bmp"), "");
    ASSERT_TRUE(QFile::link("/dev/zero", place.app("games/ice/ice3.bmp")));
    test::UnwrittenPipe pipe(place.app("games/ice/ice4.bmp"));
    ASSERT_TRUE(pipe.isValid());
    const QString report = PhotoSetReport::text(test::catalogue(), place.app());
    EXPECT_TRUE(
        report.startsWith("ice1: 1 of 18 photos; missing:\n"
                          "  brash ice: ice1.bmp\n"
                          "  floeberg: ice2.bmp\n"
                          "  grease ice: ice3.bmp\n"
                          "  grey ice : ice4.bmp\n"))
        << report.toStdString();
    EXPECT_FALSE(pipe.releasedAReader());
}

}  // namespace
}  // namespace nimbara
