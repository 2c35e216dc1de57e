#include "helpviewer.h"

#include "helpbook.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPointer>
#include <QSplitter>
#include <QToolBar>
#include <QTreeWidget>

namespace nimbara {

namespace {

constexpr char kScheme[] = "ms-its";
constexpr char kSeparator[] = "::";

QList<QPointer<HelpViewer>>& viewers() {
    static QList<QPointer<HelpViewer>> list;
    return list;
}

QString errorPage(const QString& heading, const QString& message) {
    return QString("<html><body><h2>%1</h2><p>%2</p></body></html>")
        .arg(heading.toHtmlEscaped(), message.toHtmlEscaped());
}

}  // namespace

std::optional<HelpLocation> HelpLocation::fromUrl(const QUrl& url) {
    if (url.scheme() != kScheme) {
        return std::nullopt;
    }
    const QString path = url.path();
    const qsizetype split = path.indexOf(kSeparator);
    if (split < 0) {
        return std::nullopt;
    }
    HelpLocation location{path.left(split), path.mid(split + 2), url.fragment()};
    if (!location.page.startsWith('/')) {
        location.page.prepend('/');
    }
    return location;
}

QUrl HelpLocation::toUrl() const {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(book + kSeparator + page);
    if (!fragment.isEmpty()) {
        url.setFragment(fragment);
    }
    return url;
}

std::optional<HelpLocation> resolveHelpLink(const HelpLocation& base, const QUrl& link) {
    if (link.scheme() == kScheme) {
        std::optional<HelpLocation> target = HelpLocation::fromUrl(link);
        if (target && QFileInfo(target->book).isRelative()) {
            target->book = QFileInfo(base.book).absoluteDir().filePath(target->book);
        }
        return target;
    }
    if (!link.scheme().isEmpty()) {
        return std::nullopt;
    }
    return HelpLocation::fromUrl(base.toUrl().resolved(link));
}

HelpBrowser::HelpBrowser(BookSource books, QWidget* parent)
    : QTextBrowser(parent), m_books(std::move(books)) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    const std::optional<HelpLocation> location = HelpLocation::fromUrl(name);
    if (!location) {
        return {};
    }
    QString error;
    const HelpBook* book = m_books(location->book, &error);
    std::optional<QByteArray> content = book ? book->data(location->page) : std::nullopt;
    if (content) {
        return *content;
    }
    if (type != QTextDocument::HtmlResource) {
        return {};
    }
    return book ? errorPage("Page not found",
                            QString("The page %1 is not in this help file.").arg(location->page))
                : errorPage("Help file not available", error);
}

HelpViewer::HelpViewer(const ChmDecoderEntry& decoder)
    : m_decoder(decoder),
      m_browser(new HelpBrowser(
          [this](const QString& path, QString* error) { return book(path, error); }, this)),
      m_contents(new QTreeWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Nimbara help");
    resize(860, 640);

    m_contents->setHeaderHidden(true);
    // Long titles scroll sideways instead of being cut short.
    m_contents->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_contents->header()->setStretchLastSection(false);
    m_contents->setAccessibleName("Contents");
    m_browser->setAccessibleName("Help page");
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 640});
    setCentralWidget(splitter);

    QToolBar* bar = addToolBar("Navigation");
    bar->setMovable(false);
    QAction* back = bar->addAction("Back", m_browser, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction* forward = bar->addAction("Forward", m_browser, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    m_home = bar->addAction("Home", this, &HelpViewer::goHome);
    m_home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    auto* closeWindow = new QAction("Close", this);
    closeWindow->setShortcuts(QKeySequence::Close);
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);
    addAction(closeWindow);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::sourceChanged);
    connect(m_contents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QUrl url = item->data(0, Qt::UserRole).toUrl();
        if (url.isValid()) {
            m_browser->setSource(url);
        }
    });
    connect(m_contents, &QTreeWidget::itemClicked, m_contents, &QTreeWidget::itemActivated);
    viewers().append(this);
}

HelpViewer::~HelpViewer() {
    viewers().removeAll(this);
}

HelpViewer* HelpViewer::open(const QString& path, const ChmDecoderEntry& decoder) {
    auto* viewer = new HelpViewer(decoder);
    viewer->m_requestedPath = path;
    viewer->showBook(QFileInfo(path).absoluteFilePath());
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
    std::unique_ptr<HelpBook> opened = HelpBook::loadFile(path, m_decoder, errorString);
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
        m_contents->hide();
        m_home->setEnabled(false);
        m_browser->setHtml(errorPage("Help file not available", error));
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

void HelpViewer::sourceChanged(const QUrl& url) {
    const std::optional<HelpLocation> location = HelpLocation::fromUrl(url);
    if (!location) {
        return;
    }
    m_currentBook = location->book;
    if (const HelpBook* current = currentBook()) {
        setWindowTitle(current->title());
    }
    showContents(location->book);
}

void HelpViewer::showContents(const QString& bookPath) {
    if (bookPath == m_contentsBook) {
        return;
    }
    m_contentsBook = bookPath;
    m_contents->clear();
    if (const HelpBook* current = currentBook()) {
        addContents(nullptr, current->contents(), bookPath);
        m_contents->expandAll();
    }
    m_contents->setVisible(m_contents->topLevelItemCount() > 0);
}

void HelpViewer::addContents(QTreeWidgetItem* parent, const QList<ContentsEntry>& entries,
                             const QString& bookPath) {
    for (const ContentsEntry& entry : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, entry.name);
        item->setToolTip(0, entry.name);
        if (!entry.local.isEmpty()) {
            const HelpLocation base{bookPath, "/", {}};
            if (const std::optional<HelpLocation> target =
                    resolveHelpLink(base, QUrl(entry.local))) {
                item->setData(0, Qt::UserRole, target->toUrl());
            }
        }
        addContents(item, entry.children, bookPath);
    }
}

void HelpViewer::goHome() {
    if (const HelpBook* current = currentBook()) {
        m_browser->setSource(HelpLocation{m_currentBook, current->defaultTopic(), {}}.toUrl());
    }
}

}  // namespace nimbara
