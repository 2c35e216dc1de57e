// The import of a training organisation's photos: reading manifests, naming classes, cropping,
// choosing free names, refusing bad lines without writing for them, keeping the attribution
// and reporting what each game lacks.
#include "tests/tools/importcatalogue.h"
#include "tools/import/attributionfile.h"
#include "tools/import/csvreader.h"
#include "tools/import/manifest.h"
#include "tools/import/photocatalogue.h"
#include "tools/import/photocropper.h"
#include "tools/import/photoimporter.h"
#include "tools/import/photosetreport.h"

#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

namespace nimbara {
namespace {

using test::catalogue;

// A picture like a camera's: a sky gradient with a red square marking a point of interest.
QImage picture(QSize size, QPoint marker) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(70, 120, 200));
    sky.setColorAt(1, QColor(220, 230, 240));
    painter.fillRect(image.rect(), sky);
    const int side = std::max(4, std::min(size.width(), size.height()) / 10);
    painter.fillRect(QRect(marker - QPoint(side / 2, side / 2), QSize(side, side)), Qt::red);
    return image;
}

bool reddish(QRgb pixel) {
    return qRed(pixel) > 180 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

// ----------------------------------------------------------------------------------------------
// Comma-separated records

struct CsvCase {
    const char* name;
    const char* text;
    std::vector<std::pair<int, QStringList>> records;  // line, fields
    std::vector<QString> problems;                     // one per record
};

class CsvReading : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvReading, GivesTheFieldsWithTheirLines) {
    const std::vector<CsvRecord> records = CsvReader::read(QString::fromUtf8(GetParam().text));
    ASSERT_EQ(records.size(), GetParam().records.size());
    for (std::size_t k = 0; k < records.size(); ++k) {
        EXPECT_EQ(records[k].line, GetParam().records[k].first) << k;
        EXPECT_EQ(records[k].fields, GetParam().records[k].second) << k;
        EXPECT_EQ(records[k].problem, GetParam().problems[k]) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Manifests, CsvReading,
    testing::Values(CsvCase{"plain", "a,b\nc,d\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}, {"", ""}},
                    CsvCase{"quoted_comma_and_quotes",
                            "\"Smith, Ann\",\"the \"\"Sky\"\" set\",x\n",
                            {{1, {"Smith, Ann", "the \"Sky\" set", "x"}}},
                            {""}},
                    CsvCase{"line_end_inside_quotes_counts_lines",
                            "\"two\nlines\",b\nnext,c\n",
                            {{1, {"two\nlines", "b"}}, {3, {"next", "c"}}},
                            {"", ""}},
                    CsvCase{"crlf_bom_and_blank_lines",
                            "\xEF\xBB\xBF"
                            "a,b\r\n\r\n\nc,\r\n",
                            {{1, {"a", "b"}}, {4, {"c", ""}}},
                            {"", ""}},
                    CsvCase{"no_final_line_end", "a,b", {{1, {"a", "b"}}}, {""}},
                    CsvCase{"quote_never_closed",
                            "a,b\n\"open,c\nd\n",
                            {{1, {"a", "b"}}, {2, {"open,c\nd\n"}}},
                            {"", "a quote opened on line 2 is never closed"}},
                    CsvCase{"text_after_closing_quote",
                            "\"a\"b,c\nd,e\n",
                            {{1, {"ab", "c"}}, {2, {"d", "e"}}},
                            {"text follows a closing quote", ""}}),
    [](const testing::TestParamInfo<CsvCase>& row) { return std::string(row.param.name); });

TEST(CsvQuoting, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvReader::quote("plain text"), "plain text");
    EXPECT_EQ(CsvReader::quote("Smith, Ann"), "\"Smith, Ann\"");
    EXPECT_EQ(CsvReader::quote("say \"hi\""), "\"say \"\"hi\"\"\"");
    const QString back = CsvReader::read(CsvReader::quote("a,\"b\"\nc") + ",z").front().fields[0];
    EXPECT_EQ(back, "a,\"b\"\nc");
}

// ----------------------------------------------------------------------------------------------
// Manifests

const char* const kHeader = "file,game,class,photographer,licence,source\n";

struct ManifestErrorCase {
    const char* name;
    const char* text;
    const char* error;
};

class UnusableManifest : public testing::TestWithParam<ManifestErrorCase> {};

TEST_P(UnusableManifest, IsRefusedWholeNamingTheLine) {
    const Manifest manifest = Manifest::parse(QString::fromUtf8(GetParam().text), "/m");
    EXPECT_EQ(manifest.error(), QString::fromUtf8(GetParam().error));
    EXPECT_TRUE(manifest.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, UnusableManifest,
    testing::Values(
        ManifestErrorCase{"empty", "\n\n",
                          "the manifest is empty; its first line names the columns: file, game, "
                          "class, photographer, licence, source"},
        ManifestErrorCase{"missing_column", "file,game,class,photographer,source\na,b,c,d,e\n",
                          "line 1: the column \"licence\" is missing"},
        ManifestErrorCase{"unknown_column", "file,game,class,photographer,licence,source,focus-x\n",
                          "line 1: unknown column \"focus-x\"; the columns are: file, game, "
                          "class, photographer, licence, source, focus x, focus y"},
        ManifestErrorCase{"column_twice", "file,game,Game,class\n",
                          "line 1: the column \"Game\" appears twice"}),
    [](const testing::TestParamInfo<ManifestErrorCase>& row) {
        return std::string(row.param.name);
    });

TEST(ManifestLines, TakeColumnsInAnyOrderAndPathsFromTheManifestFolder) {
    const Manifest manifest = Manifest::parse(
        " Licence ,SOURCE,file,game,class,photographer,focus y,focus x\n"
        "CC BY 4.0,https://example.org/a,skies/a.jpg, clouds-easy ,Cm 4,\"Berg, Ola\",0.25,\n"
        "CC0,,/abs/b.png,ice1,brash,Ann,,1\n",
        "/data/org");
    ASSERT_EQ(manifest.error(), "");
    ASSERT_EQ(manifest.entries().size(), 2u);
    const ManifestEntry& first = manifest.entries()[0];
    EXPECT_EQ(first.line, 2);
    EXPECT_EQ(first.file, "/data/org/skies/a.jpg");
    EXPECT_EQ(first.game, "clouds-easy");
    EXPECT_EQ(first.className, "Cm 4");
    EXPECT_EQ(first.photographer, "Berg, Ola");
    EXPECT_EQ(first.licence, "CC BY 4.0");
    EXPECT_EQ(first.source, "https://example.org/a");
    EXPECT_DOUBLE_EQ(first.focusX, 0.5);
    EXPECT_DOUBLE_EQ(first.focusY, 0.25);
    EXPECT_EQ(first.problem, "");
    const ManifestEntry& second = manifest.entries()[1];
    EXPECT_EQ(second.line, 3);
    EXPECT_EQ(second.file, "/abs/b.png");
    EXPECT_DOUBLE_EQ(second.focusX, 1.0);
    EXPECT_DOUBLE_EQ(second.focusY, 0.5);
}

struct LineProblemCase {
    const char* name;
    const char* line;
    const char* problem;
};

class ManifestLineProblem : public testing::TestWithParam<LineProblemCase> {};

TEST_P(ManifestLineProblem, MarksOnlyThatLine) {
    const Manifest manifest = Manifest::parse(
        QString(kHeader) + QString::fromUtf8(GetParam().line) + "\nok.jpg,ice1,brash,A,B,C\n",
        "/m");
    ASSERT_EQ(manifest.error(), "");
    ASSERT_EQ(manifest.entries().size(), 2u);
    EXPECT_EQ(manifest.entries()[0].line, 2);
    EXPECT_EQ(manifest.entries()[0].problem, QString::fromUtf8(GetParam().problem));
    EXPECT_EQ(manifest.entries()[1].problem, "");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ManifestLineProblem,
    testing::Values(LineProblemCase{"missing_columns", "a.jpg,ice1,brash,Ann",
                                    "no value for the columns licence, source"},
                    LineProblemCase{"missing_one_column", "a.jpg,ice1,brash,Ann,CC0",
                                    "no value for the column source"},
                    LineProblemCase{
                        "unquoted_comma", "a.jpg,ice1,brash,Berg, Ola,CC0,x",
                        "7 values where the first line names 6 columns (a comma inside a value "
                        "needs quotes)"},
                    LineProblemCase{"empty_class", "a.jpg,ice1, ,Ann,CC0,x", "the class is empty"},
                    LineProblemCase{"empty_file", ",ice1,brash,Ann,CC0,x", "the file is empty"}),
    [](const testing::TestParamInfo<LineProblemCase>& row) { return std::string(row.param.name); });

TEST(ManifestLines, RefuseAFocusOutsideThePicture) {
    const Manifest manifest = Manifest::parse(
        "file,game,class,photographer,licence,source,focus x,focus y\n"
        "a.jpg,ice1,brash,A,B,C,1.5,0\n"
        "a.jpg,ice1,brash,A,B,C,0,left\n",
        "/m");
    ASSERT_EQ(manifest.entries().size(), 2u);
    EXPECT_EQ(manifest.entries()[0].problem, "the focus x \"1.5\" is not a number from 0 to 1");
    EXPECT_EQ(manifest.entries()[1].problem, "the focus y \"left\" is not a number from 0 to 1");
}

// ----------------------------------------------------------------------------------------------
// Class names

struct ClassNameCase {
    const char* name;
    const char* game;
    const char* className;
    std::vector<QString> photos;
};

class ClassNames : public testing::TestWithParam<ClassNameCase> {};

TEST_P(ClassNames, NameThePhotosOfTheirClassInOrder) {
    const CatalogueEntry* game = catalogue().findGame(GetParam().game);
    ASSERT_NE(game, nullptr);
    std::vector<QString> names;
    for (const std::size_t photo : catalogue().photosNamed(*game, GetParam().className)) {
        names.push_back(game->photos[photo].fileName);
    }
    EXPECT_EQ(names, GetParam().photos);
}

INSTANTIATE_TEST_SUITE_P(
    Games, ClassNames,
    testing::Values(
        ClassNameCase{"answer_name", "ice1", "brash ice", {"ice1.bmp"}},
        ClassNameCase{"button_text", "ice1", "brash", {"ice1.bmp"}},
        ClassNameCase{
            "button_text_where_the_answer_is_misspelt", "ice1", "bergy bit", {"ice0.bmp"}},
        ClassNameCase{"answer_with_trailing_blank_typed_without", "ice1", "Grey Ice", {"ice4.bmp"}},
        ClassNameCase{"case_and_blanks_ignored", "ICE2", "  very   OPEN pack ", {"ice2_17.bmp"}},
        ClassNameCase{"game_id_without_regard_to_case", "SeaState-uk", "bf 7", {"Bf7.bmp"}},
        ClassNameCase{"force_beyond_a_short_series", "seastate-CA", "Bf 12", {}},
        ClassNameCase{"four_photos_of_one_type",
                      "clouds-easy",
                      "Cm 4",
                      {"cm4_1.bmp", "cm4_2.bmp", "cm4_3.bmp", "cm4_4.bmp"}},
        ClassNameCase{"one_photo_by_its_name", "clouds-easy", "CM4_3.BMP", {"cm4_3.bmp"}},
        ClassNameCase{"not_a_class", "clouds-easy", "Cm 10", {}},
        ClassNameCase{"a_code_the_easy_game_does_not_ask", "clouds-easy", "Cl 0", {}}),
    [](const testing::TestParamInfo<ClassNameCase>& row) { return std::string(row.param.name); });

TEST(ClassNames, ShareAKeyAcrossTheSkiesOfTheNormalGame) {
    const CatalogueEntry* game = catalogue().findGame("clouds-normal");
    ASSERT_NE(game, nullptr);
    ASSERT_EQ(game->photos.size(), 95u);
    // Every sky is found by its key, together with every other sky of the same key.
    std::size_t shared = 0;
    for (std::size_t k = 0; k < game->photos.size(); ++k) {
        const std::vector<std::size_t> named =
            catalogue().photosNamed(*game, game->photos[k].className.toLower());
        ASSERT_FALSE(named.empty()) << k;
        EXPECT_NE(std::find(named.begin(), named.end(), k), named.end()) << k;
        EXPECT_TRUE(std::is_sorted(named.begin(), named.end())) << k;
        shared += named.size() > 1 ? 1 : 0;
    }
    EXPECT_GT(shared, 0u) << "no key is shared, so a key never names several skies";
}

// ----------------------------------------------------------------------------------------------
// Cropping

struct CropCase {
    const char* name;
    QSize size;
    QPointF focus;
    QRect kept;
};

class CropGeometry : public testing::TestWithParam<CropCase> {};

TEST_P(CropGeometry, KeepsTheLargestPartWithThePhotosProportions) {
    EXPECT_EQ(PhotoCropper::cropRect(GetParam().size, GetParam().focus), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, CropGeometry,
    testing::Values(
        CropCase{"exact_size", {400, 250}, {0.5, 0.5}, {0, 0, 400, 250}},
        CropCase{"wide_centred", {4000, 1000}, {0.5, 0.5}, {1200, 0, 1600, 1000}},
        CropCase{"wide_focus_left", {4000, 1000}, {0.1, 0.5}, {0, 0, 1600, 1000}},
        CropCase{"wide_focus_at_right_edge", {4000, 1000}, {1.0, 0.0}, {2400, 0, 1600, 1000}},
        CropCase{"camera_four_by_three", {4000, 3000}, {0.5, 0.5}, {0, 250, 4000, 2500}},
        CropCase{"portrait_focus_high", {1000, 3000}, {0.5, 0.2}, {0, 288, 1000, 625}},
        CropCase{"portrait_focus_top", {1000, 3000}, {0.3, 0.0}, {0, 0, 1000, 625}},
        CropCase{"smaller_than_a_photo", {200, 100}, {0.5, 0.5}, {20, 0, 160, 100}},
        CropCase{"one_pixel", {1, 1}, {0.5, 0.5}, {0, 0, 1, 1}}),
    [](const testing::TestParamInfo<CropCase>& row) { return std::string(row.param.name); });

struct MarkerCase {
    const char* name;
    const char* format;
    QSize size;
    QPoint marker;
    QPointF focus;
};

class CroppedPictures : public testing::TestWithParam<MarkerCase> {};

TEST_P(CroppedPictures, ComeOutAtPhotoSizeWithTheFocusInTheMiddle) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QString("picture.") + GetParam().format);
    ASSERT_TRUE(picture(GetParam().size, GetParam().marker).save(path, GetParam().format, 92));
    const CroppedPhoto result = PhotoCropper::crop(path, GetParam().focus);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.original, GetParam().size);
    ASSERT_EQ(result.photo.size(), QSize(400, 250));
    EXPECT_FALSE(result.photo.hasAlphaChannel());
    EXPECT_TRUE(reddish(result.photo.pixel(200, 125)))
        << "the marker at the focus is not in the middle of the photo";
    EXPECT_FALSE(reddish(result.photo.pixel(10, 10)));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CroppedPictures,
    testing::Values(
        // A focus on the marker brings it to the middle wherever it is, as long as the edges
        // allow; smooth scaling keeps a marker of a tenth of the height visible at any size.
        MarkerCase{"large_jpeg_decoded_small", "jpg", {4032, 3024}, {2016, 1512}, {0.5, 0.5}},
        MarkerCase{"jpeg_marker_off_centre", "jpg", {3000, 1200}, {1800, 600}, {0.6, 0.5}},
        MarkerCase{"portrait_png", "png", {777, 1333}, {388, 300}, {0.5, 300.0 / 1333}},
        MarkerCase{"small_bitmap_enlarged", "bmp", {161, 97}, {80, 48}, {0.5, 0.5}}),
    [](const testing::TestParamInfo<MarkerCase>& row) { return std::string(row.param.name); });

TEST(CroppedPictures, RefuseWhatIsNoPicture) {
    QTemporaryDir folder;
    test::writeFileBytes(folder.filePath("notes.jpg"), "not a picture at all");
    const CroppedPhoto garbage = PhotoCropper::crop(folder.filePath("notes.jpg"), {0.5, 0.5});
    EXPECT_EQ(garbage.error, "cannot read the picture " + folder.filePath("notes.jpg") +
                                 ": Unsupported image format");
    EXPECT_TRUE(garbage.photo.isNull());
    const CroppedPhoto missing = PhotoCropper::crop(folder.filePath("gone.jpg"), {0.5, 0.5});
    EXPECT_EQ(missing.error,
              "cannot read the picture " + folder.filePath("gone.jpg") + ": File not found");
}

}  // namespace
}  // namespace nimbara
