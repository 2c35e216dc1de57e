#pragma once

#include "help/book/helplocation.h"
#include "help/book/helpshelf.h"

#include <QHash>
#include <QMainWindow>
#include <QUrl>

#include <map>
#include <memory>

class QAction;
class QPrinter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

namespace nimbara {

class HelpBook;
class HelpBrowser;
class HelpFindBar;
class HelpIndexPane;
class HelpSearchPane;
class SearchQuery;
struct ContentsEntry;

// A non-modal window showing a help book, as compiled help is shown: at the left the tabs
// Contents, Index and Search, at the right the page, with Back, Forward, Home, Find, Print and
// the text size in its tool bar, and the book's title as window title. Links inside a book and
// to other books of the same folder are followed; web links go to the desktop's browser. A file
// that cannot be read is reported in the window itself. Viewer windows delete themselves when
// closed.
//
// Keys: Alt+Left and Alt+Right go Back and Forward, Alt+Home goes to the book's first page,
// Ctrl+F finds in the page (F3 and Shift+F3 find again), Ctrl+P prints, Ctrl+plus and
// Ctrl+minus change the text size (Ctrl+0 restores it). Tab reaches every pane; the arrow keys
// move through the contents and show each page they reach.
//
// Opening a window decodes and paints the default topic first; the tabs and the contents are
// made as soon as the page is painted, the Index and Search panes when their tab is first shown,
// the find bar when Find is first used. The print dialog is modal to the viewer window only, and
// the viewer is never modal itself.
class HelpViewer : public QMainWindow {
    Q_OBJECT

public:
    enum Tab { ContentsTab, IndexTab, SearchTab };

    // Opens a new viewer window on the book at path, at its default topic. The window opens
    // every book it shows from shelf.
    static HelpViewer* open(const QString& path, const HelpShelf& shelf);
    // Closes every viewer window of the process.
    static void closeAll();
    // The viewer windows now open.
    static QList<HelpViewer*> openWindows();

    // The file this window was opened on.
    const QString& requestedPath() const { return m_requestedPath; }
    HelpBrowser* browser() const { return m_browser; }
    // The tabs and the contents; made when the first page has been painted, or when asked for.
    QTabWidget* navigation();
    QTreeWidget* contentsTree();
    // Null until their tab is first shown.
    HelpIndexPane* indexPane() const { return m_indexPane; }
    HelpSearchPane* searchPane() const { return m_searchPane; }
    // Null until Find is first used.
    HelpFindBar* findBar() const { return m_findBar; }
    // The printer the print dialog sets up; made on first use, kept for the window's life.
    QPrinter* printer();
    // The book on show; null when the file could not be read.
    const HelpBook* currentBook() const;
    // Opens a book for this window (cached for its life); null with errorString on failure.
    const HelpBook* book(const QString& path, QString* errorString);

    // Opens the print dialog for the page on show; the page prints when it is accepted.
    void print();
    // Shows the find bar.
    void find();

    ~HelpViewer() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit HelpViewer(const HelpShelf& shelf);
    void createActions();
    void showBook(const QString& path);
    void followLink(const QUrl& link);
    // Shows a place chosen in a pane: a help page, or a web link for the desktop's browser.
    void showPlace(const QUrl& url);
    void showSearchResult(const QUrl& url, const SearchQuery& query);
    void sourceChanged(const QUrl& url);
    void bookChanged(const QString& bookPath);
    void makeNavigation();
    // Fills the contents and shows the tabs that the book at bookPath can fill.
    void showNavigationOf(const QString& bookPath);
    void addContents(QTreeWidgetItem* parent, const QList<ContentsEntry>& entries,
                     const QString& bookPath);
    void selectContentsOf(const QUrl& url);
    void tabShown(int tab);
    void fillIndex();
    void goHome();
    void findAgain(bool forward);

    HelpShelf m_shelf;
    QString m_requestedPath;
    HelpBrowser* m_browser;
    QWidget* m_navigationArea;  // holds the navigation's place until it is made
    QTabWidget* m_navigation = nullptr;
    QTreeWidget* m_contents = nullptr;
    QVBoxLayout* m_indexTab = nullptr;
    QVBoxLayout* m_searchTab = nullptr;
    QVBoxLayout* m_pageArea;
    HelpIndexPane* m_indexPane = nullptr;
    HelpSearchPane* m_searchPane = nullptr;
    HelpFindBar* m_findBar = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    QAction* m_home = nullptr;
    QAction* m_larger = nullptr;
    QAction* m_smaller = nullptr;
    QString m_currentBook;
    QString m_contentsBook;
    QHash<QString, QTreeWidgetItem*> m_contentsItems;  // by the place each shows
    bool m_selectingContents = false;  // the page, not the user, moves the contents selection
    bool m_arrowKeyInContents = false;
    bool m_navigationScheduled = false;
    std::map<QString, std::unique_ptr<HelpBook>> m_books;
};

}  // namespace nimbara
