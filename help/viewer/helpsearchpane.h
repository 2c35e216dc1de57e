#pragma once

#include "help/book/helpshelf.h"
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
// marked. Every book's search index is built on first use; once the tab has been shown, the
// indexes of the book and its shelf are built ahead, one book at a time while the program is
// idle, so that a search answers at once.
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
    bool preparedAhead() const { return m_ahead.isEmpty(); }

signals:
    // A result was chosen: its "ms-its:" place, and the query whose words it holds.
    void resultChosen(const QUrl& url, const nimbara::SearchQuery& query);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void prepareAhead();
    void prepareNextBook();

    HelpShelf m_helpShelf;
    QString m_book;
    SearchQuery m_query;
    QStringList m_ahead;  // books whose indexes are still to be built ahead
    bool m_aheadScheduled = false;
    QLineEdit* m_field;
    QCheckBox* m_shelf;
    QTreeWidget* m_results;
    QLabel* m_status;
};

}  // namespace nimbara
