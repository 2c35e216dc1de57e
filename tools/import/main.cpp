// nimbara-import: brings a training organisation's own photos into Nimbara's games.
//
//   nimbara-import [--force] [--into <application directory>] <manifest.csv>
//   nimbara-import --report [--into <application directory>]
//   nimbara-import --classes <game>
//
// The manifest names each picture with its game and class and its attribution (see
// manifest.h); each picture becomes a 400 x 250 bitmap under the name the game draws. The
// application directory is the user's own ($XDG_DATA_HOME/nimbara) unless --into names
// another. Exit status: 0 when every line was imported, 1 when some line was refused, 2 when
// nothing could be done (bad arguments, an unusable manifest).
#include "tools/import/manifest.h"
#include "tools/import/photocatalogue.h"
#include "tools/import/photocropper.h"
#include "tools/import/photoimporter.h"
#include "tools/import/photosetreport.h"
#include "tools/launcher/userappdirectory.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("nimbara-import");
    nimbara::PhotoCropper::limitDecoding();
    // Each refused picture is reported once, naming its line; the image readers' own warnings
    // would only repeat it without the line.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    QTextStream out(stdout);
    QTextStream errors(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Imports photos into Nimbara's games from a manifest: a comma-separated file whose first "
        "line names the columns file, game, class, photographer, licence, source and, "
        "optionally, focus x and focus y.");
    parser.addHelpOption();
    const QCommandLineOption force("force", "Replace photos that already exist.");
    const QCommandLineOption into("into",
                                  "Import into <folder>, an application directory (default: " +
                                      nimbara::UserAppDirectory::defaultPath() + ").",
                                  "folder", nimbara::UserAppDirectory::defaultPath());
    const QCommandLineOption report("report", "Only report what each game lacks.");
    const QCommandLineOption classes("classes", "List the classes and photo names of <game>.",
                                     "game");
    parser.addOptions({force, into, report, classes});
    parser.addPositionalArgument("manifest", "The manifest (CSV).");
    parser.process(application);

    const nimbara::PhotoCatalogue catalogue;
    if (parser.isSet(classes)) {
        const nimbara::CatalogueEntry* game = catalogue.findGame(parser.value(classes));
        if (game == nullptr) {
            errors << "nimbara-import: unknown game \"" << parser.value(classes) << "\"\n";
            return 2;
        }
        for (const QString& className : nimbara::PhotoCatalogue::classes(*game)) {
            QStringList names;
            for (const nimbara::CataloguePhoto& photo : game->photos) {
                if (photo.className == className) {
                    names << photo.fileName;
                }
            }
            out << className << ": " << names.join(", ") << '\n';
        }
        return 0;
    }
    const QString directory = parser.value(into);
    if (parser.isSet(report)) {
        out << nimbara::PhotoSetReport::text(catalogue, directory);
        return 0;
    }
    if (parser.positionalArguments().size() != 1) {
        errors << "nimbara-import: name one manifest\n" << parser.helpText();
        return 2;
    }
    const nimbara::Manifest manifest = nimbara::Manifest::read(parser.positionalArguments()[0]);
    if (!manifest.error().isEmpty()) {
        errors << "nimbara-import: " << manifest.error() << '\n';
        return 2;
    }
    nimbara::PhotoImporter importer(catalogue, directory, parser.isSet(force));
    const nimbara::ImportSummary summary = importer.run(manifest.entries(), out, errors);
    out << QString("Imported %1 photo%2 into %3; %4 line%5 refused.\n")
               .arg(summary.imported)
               .arg(summary.imported == 1 ? "" : "s", directory)
               .arg(summary.refused)
               .arg(summary.refused == 1 ? "" : "s");
    out << "\nWhat each game lacks:\n" << nimbara::PhotoSetReport::text(catalogue, directory);
    return summary.refused == 0 ? 0 : 1;
}
