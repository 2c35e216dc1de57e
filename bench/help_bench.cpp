// The help viewer's speed figures, each against a floor measured in the same run:
//   open    a help book from the request to its painted default topic, against a bare
//           QTextBrowser window of the size of the viewer's page painting the same page, its
//           style sheet and its pictures served from memory;
//   search  a full-text search of the whole shelf (every book of the staged HELP folder), the
//           first one including the build of the search index, against the goal of 50 ms.
// Arguments: [runs of each measurement, 25 by default] [one book's file name]. It prints one
// line per figure.
#include "bench/benchsupport.h"
#include "help/book/helpbook.h"
#include "help/book/helpsearch.h"
#include "help/book/helpshelf.h"
#include "help/viewer/helpbrowser.h"
#include "help/viewer/helpviewer.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using namespace nimbara::bench;

const nimbara::HelpShelf kShelf = nimbara::HelpShelf::linked();

// The floor's browser: resources come from memory by the name the page uses.
class MemoryBrowser final : public QTextBrowser {
public:
    explicit MemoryBrowser(const QHash<QString, QByteArray>& resources) : m_resources(resources) {}
    QVariant loadResource(int, const QUrl& name) override {
        const auto found = m_resources.find(name.toString());
        return found == m_resources.end() ? QVariant() : QVariant(*found);
    }

private:
    const QHash<QString, QByteArray>& m_resources;
};

// The style sheets and pictures a page names, read from the book ahead of the measurement.
QHash<QString, QByteArray> resourcesOf(const nimbara::HelpBook& book, const QString& html) {
    static const QRegularExpression reference(R"re(\b(?:src|href)\s*=\s*"([^"#:]+)")re",
                                              QRegularExpression::CaseInsensitiveOption);
    QHash<QString, QByteArray> resources;
    for (auto it = reference.globalMatch(html); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!name.endsWith(".htm")) {
            if (const std::optional<QByteArray> content = book.data('/' + name)) {
                resources.insert(name, *content);
            }
        }
    }
    return resources;
}

void measureOpen(const QString& path, int runs) {
    QString error;
    const auto book = kShelf.open(path, &error);
    if (!book) {
        std::printf("open       %s\n", qPrintable(error));
        return;
    }
    const QString html = QString::fromUtf8(*book->data(book->defaultTopic()));
    const QHash<QString, QByteArray> resources = resourcesOf(*book, html);
    QSize pageSize;  // the viewer's page, which the bare browser paints at the same size
    const Comparison times = compare(
        runs,
        [&] {
            nimbara::HelpViewer* viewer = nimbara::HelpViewer::open(path, kShelf);
            waitForFirstPaint(viewer->browser()->viewport());
            pageSize = viewer->browser()->size();
            viewer->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        },
        [&] {
            MemoryBrowser browser(resources);
            browser.resize(pageSize);
            browser.setHtml(html);
            browser.show();
            waitForFirstPaint(browser.viewport());
        });
    std::printf(
        "open       %-12s request to painted topic %6.2f ms  bare browser %6.2f ms  ratio %.2f "
        "(goal <= 1.30)\n",
        qPrintable(QFileInfo(path).fileName()), times.measured, times.floor,
        times.measured / times.floor);
}

// A shelf search of each query: the first with no index built yet (the indexes of every book are
// built on the way), then the median of later ones.
void measureShelfSearch(const QString& anyBook, int runs) {
    const QStringList shelf = nimbara::HelpSearch::shelf(anyBook);
    const QStringList queries = {"frazil", "cumulonimbus anvil", "spindrift", "mamma*",
                                 "wind sea swell"};
    std::vector<double> cold;
    for (int run = 0; run < std::max(3, runs / 5); ++run) {
        nimbara::HelpSearch::forgetIndexes();
        cold.push_back(timeOnce([&] {
            nimbara::HelpSearch::search(shelf, nimbara::SearchQuery::parse(queries[0]), kShelf);
        }));
    }
    std::vector<double> warm;
    qsizetype found = 0;
    for (int run = 0; run < runs; ++run) {
        for (const QString& query : queries) {
            warm.push_back(timeOnce([&] {
                found +=
                    nimbara::HelpSearch::search(shelf, nimbara::SearchQuery::parse(query), kShelf)
                        .results.size();
            }));
        }
    }
    std::printf(
        "search     %lld books  first search (indexes built) %6.2f ms  later searches %6.3f ms  "
        "(goal <= 50 ms)  %lld pages found\n",
        static_cast<long long>(shelf.size()), median(cold), median(warm),
        static_cast<long long>(found / runs));
}

}  // namespace

int main(int argc, char** argv) {
    BenchApplication app(argc, argv);
    const QString help = QStringLiteral(NIMBARA_STAGED_APPDIR) + "/HELP/";
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
    const QStringList books =
        argc > 2 ? QStringList{argv[2]} : QStringList{"CLASSIFY.CHM", "ICE.CHM", "CL_3.CHM"};
    for (const QString& name : books) {
        measureOpen(help + name, runs);
    }
    measureShelfSearch(help + books.first(), runs);
    return 0;
}
