#pragma once

#include "chmarchive.h"

#include <QMainWindow>
#include <QTextBrowser>
#include <QUrl>

#include <map>
#include <memory>

class QAction;
class QTreeWidget;
class QTreeWidgetItem;

namespace nimbara {

class HelpBook;
struct ContentsEntry;

// A place in a help book: "ms-its:<book path>::<page path>#<fragment>". Links between books of
// one folder use the book's file name alone ("ms-its:CL_5.CHM::/cl_5.htm").
struct HelpLocation {
    QString book;  // file path of the book, absolute once resolved
    QString page;  // path inside the book, beginning with '/'
    QString fragment;

    static std::optional<HelpLocation> fromUrl(const QUrl& url);
    QUrl toUrl() const;
};

// Resolves link, as written in the page at base, to the place it leads to; nullopt for links
// that leave the help (web addresses, mail) or cannot be read.
std::optional<HelpLocation> resolveHelpLink(const HelpLocation& base, const QUrl& link);

// The browser of a viewer window: pages, images and style sheets come out of the books.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    // Opens a book at path, or returns the one already open; null with errorString on failure.
    using BookSource = std::function<const HelpBook*(const QString& path, QString* errorString)>;
    HelpBrowser(BookSource books, QWidget* parent);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    BookSource m_books;
};

// A non-modal window showing a help book: contents at the left, the page at the right, Back,
// Forward and Home in its tool bar, the book's title as window title. Links inside a book and to
// other books of the same folder are followed; web links go to the desktop's browser. A file that
// cannot be read is reported in the window itself. Viewer windows delete themselves when closed.
class HelpViewer : public QMainWindow {
    Q_OBJECT

public:
    // Opens a new viewer window on the book at path, at its default topic.
    static HelpViewer* open(const QString& path, const ChmDecoderEntry& decoder);
    // Closes every viewer window of the process.
    static void closeAll();
    // The viewer windows now open.
    static QList<HelpViewer*> openWindows();

    // The file this window was opened on.
    const QString& requestedPath() const { return m_requestedPath; }
    HelpBrowser* browser() const { return m_browser; }
    QTreeWidget* contentsTree() const { return m_contents; }
    // The book on show; null when the file could not be read.
    const HelpBook* currentBook() const;
    // Opens a book for this window (cached for its life); null with errorString on failure.
    const HelpBook* book(const QString& path, QString* errorString);

    ~HelpViewer() override;

private:
    HelpViewer(const ChmDecoderEntry& decoder);
    void showBook(const QString& path);
    void followLink(const QUrl& link);
    void sourceChanged(const QUrl& url);
    void showContents(const QString& bookPath);
    void addContents(QTreeWidgetItem* parent, const QList<ContentsEntry>& entries,
                     const QString& bookPath);
    void goHome();

    ChmDecoderEntry m_decoder;
    QString m_requestedPath;
    HelpBrowser* m_browser;
    QTreeWidget* m_contents;
    QAction* m_home = nullptr;
    QString m_currentBook;
    QString m_contentsBook;
    std::map<QString, std::unique_ptr<HelpBook>> m_books;
};

}  // namespace nimbara
