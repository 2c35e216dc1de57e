#pragma once

#include "help/book/helpshelf.h"

#include <QFuture>
#include <QObject>
#include <QStringList>

template <typename T>
class QFutureWatcher;

namespace nimbara {

// Builds the search indexes of books (HelpSearch::index) on a thread of the pool, one book after
// the other, so that the window that asks for them goes on meanwhile. Books already prepared are
// skipped. The building thread holds nothing of the indexer: destroying the indexer (or the
// application quitting) stops the build under way before its next page, without waiting for it,
// and what it had built is dropped.
class SearchIndexer : public QObject {
    Q_OBJECT

public:
    // Opens the books from shelf.
    SearchIndexer(const HelpShelf& shelf, QObject* parent);
    ~SearchIndexer() override;

    // Prepares books, in the order given, before any asked for earlier and not begun yet.
    void prepare(const QStringList& books);
    // Whether a build is under way or waiting.
    bool isBusy() const;
    // Stops the build under way and drops the ones waiting.
    void stop();

signals:
    // A book asked for is prepared: indexed, or found unreadable.
    void bookPrepared(const QString& book);
    // Every book asked for is prepared.
    void idle();

private:
    void startNext();
    void finishedOne();

    HelpShelf m_shelf;
    QStringList m_waiting;
    QString m_building;  // empty when no build is under way
    QFuture<void> m_build;
    QFutureWatcher<void>* m_watcher;
};

}  // namespace nimbara
