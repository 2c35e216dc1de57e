#pragma once

#include "help/book/helpshelf.h"
#include "help/book/searchindexer.h"
#include "help/book/searchquery.h"

#include <QStringList>
#include <QUrl>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

namespace nimbara {

// The Search tab of a help viewer: full-text search of the open book or, with the check box,
// of every book on its shelf (the help files of its folder). Results are listed by page title,
// most occurrences first, with the book each is in; choosing one shows it with the words found
// marked. The search indexes are built on a thread of their own, one book at a time: once the
// tab has been shown, those of the book and its shelf are built ahead, so that a search answers
// at once; a search asked for earlier says that it is being prepared and lists its results when
// its books are indexed. The window meanwhile goes on, and may be closed at any time.
class HelpSearchPane : public QWidget {
    Q_OBJECT

public:
    // Opens the books it searches from shelf.
    HelpSearchPane(const HelpShelf& shelf, QWidget* parent);

    // The book searched when the check box is off, and whose shelf is searched when it is on.
    void setBook(const QString& bookPath);
    // Searches for the words of the field and lists what was found.
    void search();
    // Shows the current result.
    void displayCurrent();

    QLineEdit* field() const { return m_field; }
    QCheckBox* shelfBox() const { return m_shelf; }
    QTreeWidget* results() const { return m_results; }
    QString status() const;
    // Whether the indexes to be built ahead are all built.
    bool preparedAhead() const;
    // Whether a search waits for indexes to be built.
    bool isSearching() const { return !m_searchBooks.isEmpty(); }

signals:
    // A result was chosen: its "ms-its:" place, and the query whose words it holds.
    void resultChosen(const QUrl& url, const nimbara::SearchQuery& query);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void prepareAhead();
    void bookPrepared();
    void listResults();

    HelpShelf m_helpShelf;
    QString m_book;
    SearchQuery m_query;
    SearchIndexer* m_indexer;
    QStringList m_searchBooks;  // the books of a search that waits for their indexes
    bool m_searchShelf = false;
    QLineEdit* m_field;
    QCheckBox* m_shelf;
    QTreeWidget* m_results;
    QLabel* m_status;
};

}  // namespace nimbara
