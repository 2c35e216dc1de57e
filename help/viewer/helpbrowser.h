#pragma once

#include <QTextBrowser>

#include <functional>

namespace nimbara {

class HelpBook;
class SearchQuery;

// The page of a viewer window: pages, images and style sheets come out of the books.
//
// The text size is a percentage of the size the page itself sets, in steps (90, 100, 110, ...);
// it holds for every page shown until it is changed. Pictures keep their size.
//
// Words found by a search can be marked on the page; the marks go when another page is shown.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    // Opens a book at path, or returns the one already open; null with errorString on failure.
    using BookSource = std::function<const HelpBook*(const QString& path, QString* errorString)>;
    HelpBrowser(BookSource books, QWidget* parent);

    QVariant loadResource(int type, const QUrl& name) override;
    // Shows a message in place of a page (a help file that cannot be read).
    void showMessage(const QString& heading, const QString& message);

    // The text size in percent of the page's own.
    int textSize() const { return m_textSize; }
    // One step larger or smaller; false at the largest or smallest size.
    bool enlargeText();
    bool shrinkText();
    void resetTextSize();

    // Marks every word of the page that matches query and scrolls to the first; returns how
    // many words were marked. An empty query removes the marks.
    int markWords(const SearchQuery& query);
    int markedWords() const { return static_cast<int>(extraSelections().size()); }

signals:
    void textSizeChanged(int percent);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void pageShown(const QUrl& url);
    void setTextSize(int percent);
    // Sets every font size of the page to the page's own size times the text size.
    void applyTextSize();

    BookSource m_books;
    int m_textSize = 100;
    qreal m_normalFontSize = 0;  // the default font's size at 100 %
    int m_sizedRevision = -1;    // the document revision the text size was last applied to
    QUrl m_markedPage;
};

}  // namespace nimbara
