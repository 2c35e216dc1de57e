// Imports into a temporary application directory, through the library and as the command: the
// photos written and their names, every refusal with nothing written for its line, replacing
// only when asked, links to installed photos as stand-ins, the attribution and the report.
#include "tools/import/photoimporter.h"
#include "tests/tools/importcatalogue.h"
#include "tests/tools/importplace.h"
#include "tools/import/photocatalogue.h"
#include "tools/import/photosetreport.h"

#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

namespace nimbara {
namespace {

using test::catalogue;
using test::ImportPlace;

int bitsPerPixel(const QByteArray& bitmap) {
    if (bitmap.size() < 30 || !bitmap.startsWith("BM")) {
        return 0;
    }
    return static_cast<uchar>(bitmap[28]) | (static_cast<uchar>(bitmap[29]) << 8);
}

TEST(Import, WritesPicturesOfOddSizesUnderTheNamesTheGamesDraw) {
    ImportPlace place;
    place.addPicture("sky a.jpg", {1234, 567});
    place.addPicture("sky_b.jpg", {333, 777});
    place.addPicture("floe.png", {1600, 1000});
    const ImportPlace::Run run = place.import(
        "sky a.jpg,clouds-easy,Cm 4,\"Berg, Ola\",CC BY 4.0,https://example.org/a\n"
        "sky_b.jpg,clouds-easy, cm 4 ,Ann Lee,CC0,\n"
        "floe.png,ice1,brash,Ann Lee,CC0,https://example.org/f\n");
    EXPECT_EQ(run.errors, QStringList());
    EXPECT_EQ(
        run.out,
        QStringList({"[1/3] line 2: sky a.jpg -> games/clouds/cm4_1.bmp (Cm 4, from 1234 x 567)",
                     "[2/3] line 3: sky_b.jpg -> games/clouds/cm4_2.bmp (Cm 4, from 333 x "
                     "777, enlarged)",
                     "[3/3] line 4: floe.png -> games/ice/ice1.bmp (brash ice, from 1600 x "
                     "1000)"}));
    EXPECT_EQ(run.summary.imported, 3);
    EXPECT_EQ(run.summary.refused, 0);
    EXPECT_EQ(place.files(), QStringList({"games/clouds/ATTRIBUTION.csv", "games/clouds/cm4_1.bmp",
                                          "games/clouds/cm4_2.bmp", "games/ice/ATTRIBUTION.csv",
                                          "games/ice/ice1.bmp"}));
    for (const QString& photo :
         QStringList{"games/clouds/cm4_1.bmp", "games/clouds/cm4_2.bmp", "games/ice/ice1.bmp"}) {
        const QByteArray bytes = test::readFileBytes(place.app(photo));
        EXPECT_EQ(bitsPerPixel(bytes), 24) << photo.toStdString();
        EXPECT_EQ(QImage::fromData(bytes, "BMP").size(), QSize(400, 250)) << photo.toStdString();
    }
    EXPECT_EQ(test::readFileBytes(place.app("games/clouds/ATTRIBUTION.csv")),
              "photo,game,class,photographer,licence,source,original\n"
              "cm4_1.bmp,clouds-easy,Cm 4,\"Berg, Ola\",CC BY 4.0,https://example.org/a,sky a.jpg\n"
              "cm4_2.bmp,clouds-easy,Cm 4,Ann Lee,CC0,,sky_b.jpg\n");
    EXPECT_EQ(test::readFileBytes(place.app("games/ice/ATTRIBUTION.csv")),
              "photo,game,class,photographer,licence,source,original\n"
              "ice1.bmp,ice1,brash ice,Ann Lee,CC0,https://example.org/f,floe.png\n");
}

// The start of a PNG file whose header claims 40000 x 40000 pixels: decoding it would take 6 GB.
QByteArray forgedGiantPng() {
    const auto bigEndian = [](quint32 value) {
        QByteArray bytes(4, '\0');
        for (int k = 0; k < 4; ++k) {
            bytes[k] = static_cast<char>((value >> (24 - 8 * k)) & 0xFF);
        }
        return bytes;
    };
    const auto crc32 = [](const QByteArray& data) {
        quint32 crc = 0xFFFFFFFFu;
        for (const char byte : data) {
            crc ^= static_cast<quint8>(byte);
            for (int bit = 0; bit < 8; ++bit) {
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
            }
        }
        return ~crc;
    };
    const QByteArray header = QByteArray("IHDR") + bigEndian(40000) + bigEndian(40000) +
                              QByteArray::fromHex("0802000000");  // 8-bit RGB
    return QByteArray::fromHex("89504E470D0A1A0A") + bigEndian(13) + header +
           bigEndian(crc32(header)) + bigEndian(0) + "IDAT" + bigEndian(crc32("IDAT"));
}

struct RefusalCase {
    const char* name;
    const char* lines;    // after the header; good.jpg and notes.jpg exist
    QStringList errors;   // %1 stands for the pictures folder, %2 for the application directory
    QStringList written;  // files below the application directory afterwards
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, NamesTheLineAndWritesNothingForIt) {
    ImportPlace place;
    place.addPicture("good.jpg", {800, 500});
    test::writeFileBytes(place.pictures("notes.jpg"), "these are notes, not a picture");
    test::writeFileBytes(place.pictures("giant.png"), forgedGiantPng());
    const ImportPlace::Run run = place.import(QString::fromUtf8(GetParam().lines));
    QStringList expected;
    for (const QString& error : GetParam().errors) {
        expected << error.arg(place.pictures(""), place.app());
    }
    EXPECT_EQ(run.errors, expected);
    EXPECT_EQ(run.summary.refused, expected.size());
    EXPECT_EQ(place.files(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Refusal,
    testing::Values(
        RefusalCase{"unreadable_picture",
                    "notes.jpg,ice1,brash,A,B,C\ngood.jpg,ice1,nilas,A,B,C\n",
                    {"line 2: cannot read the picture %1notes.jpg: Unsupported image format"},
                    {"games/ice/ATTRIBUTION.csv", "games/ice/ice11.bmp"}},
        RefusalCase{"picture_too_large_to_decode",
                    "giant.png,ice1,brash,A,B,C\n",
                    {"line 2: the picture %1giant.png is 40000 x 40000 pixels, too large to "
                     "decode in 512 MB"},
                    {}},
        RefusalCase{"missing_picture",
                    "gone.jpg,ice1,brash,A,B,C\n",
                    {"line 2: cannot read the picture %1gone.jpg: File not found"},
                    {}},
        RefusalCase{"unknown_game",
                    "good.jpg,ice3,brash,A,B,C\n",
                    {"line 2: unknown game \"ice3\"; the games are: ice1, ice2, clouds-normal, "
                     "clouds-easy, seastate-UK, seastate-GE, seastate-CA, seastate-CAN, "
                     "seastate-CANA, seastate-ORVA"},
                    {}},
        RefusalCase{"unknown_class",
                    "good.jpg,clouds-easy,Cm 10,A,B,C\n",
                    {"line 2: \"Cm 10\" is neither a class nor a photo of clouds-easy "
                     "(nimbara-import --classes clouds-easy lists them)"},
                    {}},
        RefusalCase{"unknown_key",
                    "good.jpg,clouds-normal,Cl 9 - Cm 9 - Ch 9 - Cx 1,A,B,C\n",
                    {"line 2: \"Cl 9 - Cm 9 - Ch 9 - Cx 1\" is neither a class nor a photo of "
                     "clouds-normal (nimbara-import --classes clouds-normal lists them)"},
                    {}},
        RefusalCase{"missing_column",
                    "good.jpg,ice1,brash,A,B\n",
                    {"line 2: no value for the column source"},
                    {}},
        RefusalCase{"photo_name_used_twice",
                    "good.jpg,ice1,ice3.bmp,A,B,C\ngood.jpg,ice1,ICE3.bmp,A,B,C\n",
                    {"line 3: ice3.bmp is already taken by line 2"},
                    {"games/ice/ATTRIBUTION.csv", "games/ice/ice3.bmp"}},
        RefusalCase{
            "more_photos_than_a_class_has",
            "good.jpg,clouds-easy,Cm 4,A,B,C\ngood.jpg,clouds-easy,Cm 4,A,B,C\n"
            "good.jpg,clouds-easy,Cm 4,A,B,C\ngood.jpg,clouds-easy,cm4_4.bmp,A,B,C\n"
            "good.jpg,clouds-easy,Cm 4,A,B,C\n",
            {"line 6: every photo of clouds-easy \"Cm 4\" is already taken: cm4_1.bmp "
             "by line 2, cm4_2.bmp by line 3, cm4_3.bmp by line 4, cm4_4.bmp by line 5"},
            {"games/clouds/ATTRIBUTION.csv", "games/clouds/cm4_1.bmp", "games/clouds/cm4_2.bmp",
             "games/clouds/cm4_3.bmp", "games/clouds/cm4_4.bmp"}}),
    [](const testing::TestParamInfo<RefusalCase>& row) { return std::string(row.param.name); });

TEST(Import, ReplacesAPhotoOfTheUsersOwnOnlyWithForce) {
    ImportPlace place;
    place.addPicture("good.jpg", {800, 500});
    test::writeFileBytes(place.app("games/ice/ice1.bmp"), "the user's own photo");
    test::writeFileBytes(place.app("games/clouds/cm4_1.bmp"), "another own photo");

    const ImportPlace::Run refused = place.import(
        "good.jpg,ice1,brash,A,B,C\n"
        "good.jpg,clouds-easy,Cm 4,A,B,C\n");
    EXPECT_EQ(refused.errors, QStringList({"line 2: ice1.bmp already exists in " +
                                           place.app("games/ice") + "; --force replaces photos"}));
    EXPECT_EQ(test::readFileBytes(place.app("games/ice/ice1.bmp")), "the user's own photo");
    // A class with several photos takes the next free one instead.
    EXPECT_EQ(refused.out, QStringList({"[2/2] line 3: good.jpg -> games/clouds/cm4_2.bmp (Cm 4, "
                                        "from 800 x 500)"}));
    EXPECT_EQ(test::readFileBytes(place.app("games/clouds/cm4_1.bmp")), "another own photo");

    const ImportPlace::Run forced = place.import("good.jpg,ice1,brash,A,B,C\n", true);
    EXPECT_EQ(forced.errors, QStringList());
    EXPECT_EQ(QImage(place.app("games/ice/ice1.bmp")).size(), QSize(400, 250));
}

TEST(Import, TakesLinkedInstalledPhotosAsStandInsAndLeavesTheInstallationAlone) {
    ImportPlace place;
    place.addPicture("good.jpg", {800, 500});
    for (const char* name : {"ice0.bmp", "ice1.bmp", "ice2.bmp"}) {
        test::writeFileBytes(place.root(QString("installed/games/ice/") + name), "installed");
    }
    test::writeFileBytes(place.root("installed/games/clouds/cloud0.bmp"), "installed");
    ASSERT_TRUE(QFile::link(place.root("installed/games"), place.app("games")));

    const ImportPlace::Run run = place.import("good.jpg,ice1,brash,A,B,C\n");
    EXPECT_EQ(run.errors, QStringList());
    EXPECT_EQ(test::readFileBytes(place.root("installed/games/ice/ice1.bmp")), "installed");
    EXPECT_FALSE(QFileInfo(place.app("games")).isSymLink());
    EXPECT_FALSE(QFileInfo(place.app("games/ice")).isSymLink());
    EXPECT_FALSE(QFileInfo(place.app("games/ice/ice1.bmp")).isSymLink());
    EXPECT_EQ(QImage(place.app("games/ice/ice1.bmp")).size(), QSize(400, 250));
    // What the link showed is still there, through links of its own.
    EXPECT_EQ(QFileInfo(place.app("games/ice/ice0.bmp")).symLinkTarget(),
              place.root("installed/games/ice/ice0.bmp"));
    EXPECT_EQ(QFileInfo(place.app("games/clouds")).symLinkTarget(),
              place.root("installed/games/clouds"));
    EXPECT_EQ(QDir(place.root("installed/games/ice")).entryList(QDir::Files),
              QStringList({"ice0.bmp", "ice1.bmp", "ice2.bmp"}));
}

TEST(Import, MergesTheAttributionThatIsThere) {
    ImportPlace place;
    place.addPicture("good.jpg", {800, 500});
    test::writeFileBytes(
        place.app("games/clouds/ATTRIBUTION.csv"),
        "photo,game,class,photographer,licence,source,original\n"
        "cm4_1.bmp,clouds-easy,Cm 4,Old Hand,CC0,,old.jpg\n"
        "cl1_1.bmp,clouds-easy,Cl 1,\"Doe, J.\",CC BY 4.0,https://example.org/c,c.jpg\n");
    test::writeFileBytes(place.app("games/clouds/cm4_1.bmp"), "old photo");
    const ImportPlace::Run run = place.import(
        "good.jpg,clouds-easy,cm4_1.bmp,New Hand,CC BY-SA 4.0,https://example.org/n\n"
        "good.jpg,clouds-easy,Ch 9,\"Quote \"\"Q\"\" Person\",CC0,\n",
        true);
    EXPECT_EQ(run.errors, QStringList());
    EXPECT_EQ(test::readFileBytes(place.app("games/clouds/ATTRIBUTION.csv")),
              "photo,game,class,photographer,licence,source,original\n"
              "cm4_1.bmp,clouds-easy,Cm 4,New Hand,CC BY-SA 4.0,https://example.org/n,good.jpg\n"
              "cl1_1.bmp,clouds-easy,Cl 1,\"Doe, J.\",CC BY 4.0,https://example.org/c,c.jpg\n"
              "ch9_1.bmp,clouds-easy,Ch 9,\"Quote \"\"Q\"\" Person\",CC0,,good.jpg\n");
}

// The lines of report that belong to game: its own line and the indented lines under it.
QStringList reportOf(const QString& report, const QString& game) {
    QStringList lines;
    bool inside = false;
    for (const QString& line : report.split('\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(' ')) {
            inside = line.startsWith(game + ':');
        }
        if (inside) {
            lines << line;
        }
    }
    return lines;
}

TEST(Report, ListsTheMissingNamesOfEachGameByClass) {
    ImportPlace place;
    for (int k = 0; k < 16; ++k) {
        place.addPhoto(QString("games/ice/ice%1.bmp").arg(k));
    }
    for (int k = 0; k < 18; ++k) {
        place.addPhoto(QString("games/ice/ice2_%1.bmp").arg(k));
    }
    place.addPhoto("games/clouds/cm4_1.bmp");
    place.addPhoto("games/clouds/cm4_3.bmp");
    // A link that leads nowhere shows no photo.
    ASSERT_TRUE(QFile::link(place.root("nowhere.bmp"), place.app("games/clouds/cm4_4.bmp")));

    const QString report = PhotoSetReport::text(catalogue(), place.app());
    EXPECT_EQ(reportOf(report, "ice1"),
              QStringList({"ice1: 16 of 18 photos; missing:", "  thick first-year ice: ice16.bmp",
                           "  thin first-year ice: ice17.bmp"}));
    EXPECT_EQ(reportOf(report, "ice2"), QStringList({"ice2: all 18 photos"}));
    const QStringList easy = reportOf(report, "clouds-easy");
    ASSERT_EQ(easy.size(), 28);
    EXPECT_EQ(easy[0], "clouds-easy: 2 of 108 photos; missing:");
    EXPECT_EQ(easy[1], "  Cl 1: cl1_1.bmp, cl1_2.bmp, cl1_3.bmp, cl1_4.bmp");
    EXPECT_EQ(easy[13], "  Cm 4: cm4_2.bmp, cm4_4.bmp");
    EXPECT_EQ(reportOf(report, "seastate-CA").front(), "seastate-CA: 0 of 12 photos; missing:");
    EXPECT_EQ(reportOf(report, "seastate-CA").back(), "  Bf 11: Bfca11.bmp");
}

// ----------------------------------------------------------------------------------------------
// The command

struct CommandRun {
    int exitCode;
    QString out;
    QString errors;
};

CommandRun runCommand(const QStringList& arguments) {
    QProcess process;
    process.start(NIMBARA_IMPORT_PROGRAM, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(Command, ExitsWithOneWhenALineIsRefusedAndTwoWhenNothingCanBeDone) {
    ImportPlace place;
    place.addPicture("good.jpg", {640, 480});
    test::writeFileBytes(place.pictures("set.csv"),
                         "file,game,class,photographer,licence,source\n"
                         "good.jpg,ice2,vast floes,A,B,C\n"
                         "good.jpg,ice2,giant floes\n");
    const CommandRun partly = runCommand({"--into", place.app(), place.pictures("set.csv")});
    EXPECT_EQ(partly.exitCode, 1);
    EXPECT_EQ(partly.errors, "line 3: no value for the columns photographer, licence, source\n");
    EXPECT_EQ(partly.out.split('\n').mid(0, 5),
              QStringList({"[1/2] line 2: good.jpg -> games/ice/ice2_16.bmp (vast floes, from 640 "
                           "x 480)",
                           "Imported 1 photo into " + place.app() + "; 1 line refused.", "",
                           "What each game lacks:", "ice1: 0 of 18 photos; missing:"}));

    const CommandRun again = runCommand({"--into", place.app(), place.pictures("set.csv")});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.errors, "line 2: ice2_16.bmp already exists in " + place.app("games/ice") +
                                "; --force replaces photos\n"
                                "line 3: no value for the columns photographer, licence, source\n");

    test::writeFileBytes(place.pictures("bad.csv"), "file,game,class\n");
    const CommandRun unusable = runCommand({"--into", place.app(), place.pictures("bad.csv")});
    EXPECT_EQ(unusable.exitCode, 2);
    EXPECT_EQ(unusable.errors, "nimbara-import: line 1: the column \"photographer\" is missing\n");

    const CommandRun classes = runCommand({"--classes", "ice2"});
    EXPECT_EQ(classes.exitCode, 0);
    EXPECT_EQ(classes.out.split('\n').mid(0, 2),
              QStringList({"crack: ice2_0.bmp", "fast ice: ice2_1.bmp"}));

    // The report alone counts what the import wrote.
    const CommandRun report = runCommand({"--report", "--into", place.app()});
    EXPECT_EQ(report.exitCode, 0);
    const QStringList reported = report.out.split('\n');
    const auto ice2 = std::find_if(reported.begin(), reported.end(),
                                   [](const QString& line) { return line.startsWith("ice2:"); });
    ASSERT_NE(ice2, reported.end());
    EXPECT_EQ(*ice2, "ice2: 1 of 18 photos; missing:");
}

}  // namespace
}  // namespace nimbara
