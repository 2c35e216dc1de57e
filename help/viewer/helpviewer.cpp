#include "help/viewer/helpviewer.h"

#include "help/book/helpbook.h"
#include "help/viewer/helpbrowser.h"
#include "help/viewer/helpfindbar.h"
#include "help/viewer/helpindexpane.h"
#include "help/viewer/helpsearchpane.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace nimbara {

namespace {

QList<QPointer<HelpViewer>>& viewers() {
    static QList<QPointer<HelpViewer>> list;
    return list;
}

// A tab page whose content is made when it is first shown.
QVBoxLayout* emptyTab(QTabWidget* tabs, const QString& title) {
    auto* page = new QWidget(tabs);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    tabs->addTab(page, title);
    return layout;
}

// The keys of a command: the given ones, then the platform's own for it, each once.
QList<QKeySequence> keys(std::initializer_list<QKeySequence> own,
                         QKeySequence::StandardKey standard) {
    QList<QKeySequence> result(own);
    for (const QKeySequence& key : QKeySequence::keyBindings(standard)) {
        if (!result.contains(key)) {
            result << key;
        }
    }
    return result;
}

bool movesThroughList(int key) {
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        default:
            return false;
    }
}

}  // namespace

HelpViewer::HelpViewer(const HelpShelf& shelf)
    : m_shelf(shelf),
      m_browser(new HelpBrowser(
          [this](const QString& path, QString* error) { return book(path, error); }, this)),
      m_navigationArea(new QWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Nimbara help");
    resize(860, 640);

    // The navigation is made into its area once the first page is painted; the area holds its
    // place meanwhile, so the page keeps its width.
    auto* navigationLayout = new QVBoxLayout(m_navigationArea);
    navigationLayout->setContentsMargins(0, 0, 0, 0);
    m_browser->setAccessibleName("Help page");
    m_browser->viewport()->installEventFilter(this);

    auto* page = new QWidget(this);
    m_pageArea = new QVBoxLayout(page);
    m_pageArea->setContentsMargins(0, 0, 0, 0);
    m_pageArea->setSpacing(0);
    m_pageArea->addWidget(m_browser, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_navigationArea);
    splitter->addWidget(page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 610});
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);
    createActions();

    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::sourceChanged);
    viewers().append(this);
}

void HelpViewer::makeNavigation() {
    if (m_navigation != nullptr) {
        return;
    }
    m_navigation = new QTabWidget(m_navigationArea);
    m_contents = new QTreeWidget(m_navigation);
    m_contents->setHeaderHidden(true);
    // Long titles scroll sideways instead of being cut short.
    m_contents->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_contents->header()->setStretchLastSection(false);
    m_contents->setAccessibleName("Contents");
    m_contents->installEventFilter(this);
    m_navigation->setAccessibleName("Navigation");
    m_navigation->setDocumentMode(true);
    m_navigation->addTab(m_contents, "&Contents");
    m_indexTab = emptyTab(m_navigation, "I&ndex");
    m_searchTab = emptyTab(m_navigation, "Sea&rch");
    m_navigationArea->layout()->addWidget(m_navigation);

    connect(m_navigation, &QTabWidget::currentChanged, this, &HelpViewer::tabShown);
    const auto showItem = [this](QTreeWidgetItem* item) {
        if (item != nullptr) {
            showPlace(item->data(0, Qt::UserRole).toUrl());
        }
    };
    connect(m_contents, &QTreeWidget::itemActivated, this, showItem);
    connect(m_contents, &QTreeWidget::itemClicked, this, showItem);
    connect(m_contents, &QTreeWidget::currentItemChanged, this,
            [this, showItem](QTreeWidgetItem* current) {
                if (m_arrowKeyInContents && !m_selectingContents) {
                    m_arrowKeyInContents = false;
                    showItem(current);
                }
            });
    showNavigationOf(m_currentBook);
    selectContentsOf(m_browser->source());
    m_navigation->show();  // a child added to a shown window would show only later
}

QTabWidget* HelpViewer::navigation() {
    makeNavigation();
    return m_navigation;
}

QTreeWidget* HelpViewer::contentsTree() {
    makeNavigation();
    return m_contents;
}

void HelpViewer::createActions() {
    QToolBar* bar = addToolBar("Navigation");
    bar->setMovable(false);
    const auto add = [this, bar](const QString& text, const QList<QKeySequence>& shortcuts,
                                 auto slot) {
        QAction* action = bar->addAction(text);
        action->setShortcuts(shortcuts);
        action->setToolTip(shortcuts.isEmpty()
                               ? text
                               : QString("%1 (%2)").arg(
                                     text, shortcuts.first().toString(QKeySequence::NativeText)));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QAction* back = add("Back", keys({Qt::ALT | Qt::Key_Left}, QKeySequence::Back),
                        [this] { m_browser->backward(); });
    QAction* forward = add("Forward", keys({Qt::ALT | Qt::Key_Right}, QKeySequence::Forward),
                           [this] { m_browser->forward(); });
    m_home = add("Home", {Qt::ALT | Qt::Key_Home}, [this] { goHome(); });
    bar->addSeparator();
    add("Find", keys({Qt::CTRL | Qt::Key_F}, QKeySequence::Find), [this] { find(); });
    add("Print...", keys({Qt::CTRL | Qt::Key_P}, QKeySequence::Print), [this] { print(); });
    bar->addSeparator();
    m_smaller = add("Smaller text", keys({Qt::CTRL | Qt::Key_Minus}, QKeySequence::ZoomOut),
                    [this] { m_browser->shrinkText(); });
    m_larger = add("Larger text",
                   keys({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, QKeySequence::ZoomIn),
                   [this] { m_browser->enlargeText(); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    // Commands with keys only.
    const auto addKeys = [this](const QList<QKeySequence>& shortcuts, auto slot) {
        auto* action = new QAction(this);
        action->setShortcuts(shortcuts);
        connect(action, &QAction::triggered, this, slot);
        QWidget::addAction(action);
    };
    addKeys({Qt::CTRL | Qt::Key_0}, [this] { m_browser->resetTextSize(); });
    addKeys(QKeySequence::keyBindings(QKeySequence::Close), [this] { close(); });
    addKeys(keys({Qt::Key_F3}, QKeySequence::FindNext), [this] { findAgain(true); });
    addKeys(keys({Qt::SHIFT | Qt::Key_F3}, QKeySequence::FindPrevious),
            [this] { findAgain(false); });
    connect(m_browser, &HelpBrowser::textSizeChanged, this, [this] {
        m_larger->setEnabled(m_browser->textSize() < 200);
        m_smaller->setEnabled(m_browser->textSize() > 67);
    });
}

HelpViewer::~HelpViewer() {
    viewers().removeAll(this);
}

HelpViewer* HelpViewer::open(const QString& path, const HelpShelf& shelf) {
    auto* viewer = new HelpViewer(shelf);
    viewer->m_requestedPath = path;
    viewer->showBook(QFileInfo(path).absoluteFilePath());
    viewer->m_browser->setFocus(Qt::OtherFocusReason);  // the page scrolls by the keys at once
    viewer->show();
    return viewer;
}

void HelpViewer::closeAll() {
    for (const QPointer<HelpViewer>& viewer : QList(viewers())) {
        if (viewer) {
            viewer->close();
        }
    }
}

QList<HelpViewer*> HelpViewer::openWindows() {
    QList<HelpViewer*> result;
    for (const QPointer<HelpViewer>& viewer : viewers()) {
        if (viewer && viewer->isVisible()) {
            result << viewer.data();
        }
    }
    return result;
}

const HelpBook* HelpViewer::book(const QString& path, QString* errorString) {
    const auto found = m_books.find(path);
    if (found != m_books.end()) {
        return found->second.get();
    }
    std::unique_ptr<HelpBook> opened = m_shelf.open(path, errorString);
    const HelpBook* result = opened.get();
    if (opened) {
        m_books.emplace(path, std::move(opened));
    }
    return result;
}

const HelpBook* HelpViewer::currentBook() const {
    const auto found = m_books.find(m_currentBook);
    return found == m_books.end() ? nullptr : found->second.get();
}

void HelpViewer::showBook(const QString& path) {
    QString error;
    const HelpBook* opened = book(path, &error);
    if (opened == nullptr) {
        m_navigationArea->hide();
        m_home->setEnabled(false);
        m_browser->showMessage("Help file not available", error);
        return;
    }
    m_browser->setSource(HelpLocation{path, opened->defaultTopic(), {}}.toUrl());
}

void HelpViewer::followLink(const QUrl& link) {
    const std::optional<HelpLocation> base = HelpLocation::fromUrl(m_browser->source());
    const std::optional<HelpLocation> target = base ? resolveHelpLink(*base, link) : std::nullopt;
    if (target) {
        m_browser->setSource(target->toUrl());
    } else if (link.scheme() == "http" || link.scheme() == "https" || link.scheme() == "mailto") {
        QDesktopServices::openUrl(link);
    }
}

void HelpViewer::showPlace(const QUrl& url) {
    if (!url.isValid()) {
        return;
    }
    if (HelpLocation::fromUrl(url)) {
        if (url != m_browser->source()) {
            m_browser->setSource(url);
        }
    } else {
        followLink(url);
    }
}

void HelpViewer::showSearchResult(const QUrl& url, const SearchQuery& query) {
    showPlace(url);
    m_browser->markWords(query);
}

void HelpViewer::sourceChanged(const QUrl& url) {
    const std::optional<HelpLocation> location = HelpLocation::fromUrl(url);
    if (!location) {
        return;
    }
    if (location->book != m_currentBook) {
        bookChanged(location->book);
    }
    selectContentsOf(url);
}

void HelpViewer::bookChanged(const QString& bookPath) {
    m_currentBook = bookPath;
    const HelpBook* current = currentBook();
    if (current == nullptr) {
        return;
    }
    setWindowTitle(current->title());
    if (m_navigation != nullptr) {
        showNavigationOf(bookPath);
    }
    if (m_searchPane != nullptr) {
        m_searchPane->setBook(bookPath);
    }
}

void HelpViewer::showNavigationOf(const QString& bookPath) {
    const HelpBook* current = currentBook();
    if (current == nullptr) {
        return;
    }
    if (bookPath != m_contentsBook) {
        m_contentsBook = bookPath;
        m_contents->clear();
        m_contentsItems.clear();
        addContents(nullptr, current->contents(), bookPath);
        m_contents->expandAll();
    }
    m_navigation->setTabVisible(ContentsTab, m_contents->topLevelItemCount() > 0);
    m_navigation->setTabVisible(IndexTab, current->hasIndex());
    if (m_indexPane != nullptr && m_navigation->currentIndex() == IndexTab) {
        fillIndex();
    }
}

void HelpViewer::addContents(QTreeWidgetItem* parent, const QList<ContentsEntry>& entries,
                             const QString& bookPath) {
    const HelpLocation base{bookPath, "/", {}};
    for (const ContentsEntry& entry : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, entry.name);
        item->setToolTip(0, entry.name);
        if (!entry.local.isEmpty()) {
            if (const std::optional<HelpLocation> target =
                    resolveHelpLink(base, QUrl(entry.local))) {
                const QUrl url = target->toUrl();
                item->setData(0, Qt::UserRole, url);
                m_contentsItems.insert(url.toString(), item);  // the first entry of a place wins
            }
        }
        addContents(item, entry.children, bookPath);
    }
}

void HelpViewer::selectContentsOf(const QUrl& url) {
    if (m_contents == nullptr) {
        return;
    }
    QTreeWidgetItem* item = m_contentsItems.value(url.toString());
    if (item == nullptr) {
        item = m_contentsItems.value(url.adjusted(QUrl::RemoveFragment).toString());
    }
    if (item == nullptr) {
        return;
    }
    m_selectingContents = true;
    m_contents->setCurrentItem(item);
    m_contents->scrollToItem(item);
    m_selectingContents = false;
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_browser->viewport() && event->type() == QEvent::Paint &&
        m_navigation == nullptr && !m_navigationScheduled) {
        // The page is on screen first; the navigation follows as soon as the program is idle.
        m_navigationScheduled = true;
        QTimer::singleShot(0, this, &HelpViewer::makeNavigation);
    }
    if (watched == m_contents) {
        // Only a move by the arrow keys shows the page it reaches; the item the tree selects by
        // itself when it gets the focus does not.
        if (event->type() == QEvent::KeyPress) {
            m_arrowKeyInContents = movesThroughList(static_cast<QKeyEvent*>(event)->key());
        } else if (event->type() == QEvent::FocusIn) {
            m_arrowKeyInContents = false;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void HelpViewer::tabShown(int tab) {
    if (tab == IndexTab) {
        if (m_indexPane == nullptr) {
            m_indexPane = new HelpIndexPane(m_indexTab->parentWidget());
            m_indexTab->addWidget(m_indexPane);
            m_indexPane->show();  // a child added to a shown window would show only later
            connect(m_indexPane, &HelpIndexPane::topicChosen, this, &HelpViewer::showPlace);
        }
        fillIndex();
    } else if (tab == SearchTab && m_searchPane == nullptr) {
        m_searchPane = new HelpSearchPane(m_shelf, m_searchTab->parentWidget());
        m_searchTab->addWidget(m_searchPane);
        m_searchPane->show();
        m_searchPane->setBook(m_currentBook);
        connect(m_searchPane, &HelpSearchPane::resultChosen, this, &HelpViewer::showSearchResult);
    }
}

void HelpViewer::fillIndex() {
    const HelpBook* current = currentBook();
    if (current != nullptr && m_indexPane->bookPath() != m_currentBook) {
        m_indexPane->setIndex(m_currentBook, current->index());
    }
}

void HelpViewer::goHome() {
    if (const HelpBook* current = currentBook()) {
        m_browser->setSource(HelpLocation{m_currentBook, current->defaultTopic(), {}}.toUrl());
    }
}

void HelpViewer::find() {
    if (m_findBar == nullptr) {
        m_findBar = new HelpFindBar(m_browser, m_pageArea->parentWidget());
        m_pageArea->addWidget(m_findBar);
    }
    m_findBar->open();
}

void HelpViewer::findAgain(bool forward) {
    if (m_findBar == nullptr || m_findBar->isHidden()) {
        find();
        return;
    }
    if (forward) {
        m_findBar->findNext();
    } else {
        m_findBar->findPrevious();
    }
}

QPrinter* HelpViewer::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(windowTitle());
    }
    return m_printer.get();
}

void HelpViewer::print() {
    auto* dialog = new QPrintDialog(printer(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] { m_browser->print(printer()); });
    dialog->open();  // modal to this window only; the program and other viewers go on
}

}  // namespace nimbara
