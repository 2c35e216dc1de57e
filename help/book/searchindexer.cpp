#include "help/book/searchindexer.h"

#include "help/book/helpsearch.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>

#include <memory>

namespace nimbara {

SearchIndexer::SearchIndexer(const HelpShelf& shelf, QObject* parent)
    : QObject(parent), m_shelf(shelf), m_watcher(new QFutureWatcher<void>(this)) {
    connect(m_watcher, &QFutureWatcher<void>::finished, this, &SearchIndexer::finishedOne);
    // The pool waits for its threads when the application ends: a build must not hold it up.
    if (QCoreApplication* application = QCoreApplication::instance()) {
        connect(application, &QCoreApplication::aboutToQuit, this, &SearchIndexer::stop);
    }
}

SearchIndexer::~SearchIndexer() {
    // The watcher goes with this object and reports nothing more; the thread sees the build
    // cancelled before its next page and ends on its own.
    m_build.cancel();
}

void SearchIndexer::prepare(const QStringList& books) {
    QStringList first;
    for (const QString& book : books) {
        if (!first.contains(book) && book != m_building && !HelpSearch::isPrepared(book)) {
            first << book;
        }
    }
    for (const QString& book : std::as_const(m_waiting)) {
        if (!first.contains(book)) {
            first << book;
        }
    }
    m_waiting = first;
    if (m_building.isEmpty()) {
        startNext();
    }
}

bool SearchIndexer::isBusy() const {
    return !m_building.isEmpty() || !m_waiting.isEmpty();
}

void SearchIndexer::stop() {
    m_waiting.clear();
    m_build.cancel();
}

void SearchIndexer::startNext() {
    while (!m_waiting.isEmpty() && HelpSearch::isPrepared(m_waiting.first())) {
        emit bookPrepared(m_waiting.takeFirst());
    }
    if (m_waiting.isEmpty()) {
        emit idle();
        return;
    }
    m_building = m_waiting.takeFirst();
    // Only the promise, the path and the shelf (a value) go to the thread.
    auto promise = std::make_shared<QPromise<void>>();
    m_build = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, book = m_building, shelf = m_shelf] {
        QString error;  // an unreadable book is kept as such; the search names it
        HelpSearch::index(book, shelf, &error, [&promise] { return !promise->isCanceled(); });
        promise->finish();
    });
    m_watcher->setFuture(m_build);
}

void SearchIndexer::finishedOne() {
    const QString book = m_building;
    m_building.clear();
    if (m_build.isCanceled()) {
        return;
    }
    emit bookPrepared(book);
    startNext();
}

}  // namespace nimbara
