#include "hyperlink/thlinkctrl.h"

#include "hyperlink/linkaccessible.h"
#include "hyperlink/linkfile.h"
#include "hyperlink/thlinkpage.h"
#include "hyperlink/thlinksheet.h"
#include "platform/menubuilder.h"
#include "platform/tdialog.h"
#include "platform/twaitcursor.h"
#include "resources/cursortable.h"
#include "resources/linkpopupmenu.h"
#include "resources/resourceids.h"
#include "resources/stringtable.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QUrl>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <utility>

namespace nimbara {

namespace {

const QColor kLinkColour(0, 0, 255);
const QColor kVisitedColour(128, 0, 128);
const QColor kHoverColour(255, 0, 0);

// Where a menu asked for from the keyboard opens, from the control's top-left corner.
constexpr QPoint kKeyboardMenuOffset(5, 5);
// Room on either side of the text for the focus rectangle.
constexpr int kTextMargin = 2;

using Handler = void (THLinkCtrl::*)();
constexpr std::array<std::pair<int, Handler>, 5> kResponseTable = {{
    {CM_LINK_COPY_SHORTCUT, &THLinkCtrl::CmCopyShortcut},
    {CM_LINK_PROPERTIES, &THLinkCtrl::CmProperties},
    {CM_LINK_OPEN, &THLinkCtrl::CmOpen},
    {CM_LINK_ADD_TO_FAVORITES, &THLinkCtrl::CmAddToFavorites},
    {CM_LINK_ADD_TO_DESKTOP, &THLinkCtrl::CmAddToDesktop},
}};

// The address a link's URL text stands for: as written when it names a scheme, else guessed
// ("www.x.org" is http://www.x.org). Invalid when the text is no address.
QUrl linkTarget(const QString& text) {
    const QUrl url(text);
    return url.scheme().isEmpty() ? QUrl::fromUserInput(text) : url;
}

// Installs the accessibility factory of links (once) and hands on parent: called before the
// edit is made, so that no plain edit interface is cached for a link in the making.
QWidget* withLinkAccessibility(QWidget* parent) {
    static const bool installed = (QAccessible::installFactory(&LinkAccessible::create), true);
    Q_UNUSED(installed);
    return parent;
}

const Handler* findHandler(int id) {
    const auto found = std::find_if(kResponseTable.begin(), kResponseTable.end(),
                                    [id](const auto& entry) { return entry.first == id; });
    return found == kResponseTable.end() ? nullptr : &found->second;
}

}  // namespace

THLinkCtrl::THLinkCtrl(TDialog* parent, int id) : QLineEdit(withLinkAccessibility(parent)) {
    if (parent == nullptr || !parent->substituteControl(id, this)) {
        throw std::invalid_argument("no edit control " + std::to_string(id) + " to bind");
    }
    init();
}

THLinkCtrl::THLinkCtrl(QWidget* parent) : QLineEdit(withLinkAccessibility(parent)) {
    init();
}

THLinkCtrl::~THLinkCtrl() = default;

void THLinkCtrl::init() {
    m_handCursor = loadCursor(IDC_HAND);
    m_arrowCursor = QCursor(Qt::ArrowCursor);
    m_linkColour = kLinkColour;
    m_visitedColour = kVisitedColour;
    m_hoverColour = kHoverColour;
    setReadOnly(true);
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    showCursor();
}

void THLinkCtrl::SetLinkURL(const QString& url) {
    m_url = url;
    if (text().isEmpty()) {
        setText(url);
    }
    if (!m_autoSize || parentWidget() == nullptr) {
        return;
    }
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    const int textWidth = fontMetrics().horizontalAdvance(text()) + 2 * kTextMargin;
    const QRect old = geometry();
    const int width = std::min(old.width(), textWidth);
    if (width == old.width()) {
        return;
    }
    int left = old.left();
    if (horizontal & Qt::AlignRight) {
        left = old.left() + old.width() - width;
    } else if (horizontal & Qt::AlignHCenter) {
        left = old.left() + (old.width() - width) / 2;
    }
    setGeometry(left, old.top(), width, old.height());
}

bool THLinkCtrl::OpenURL() {
    const QUrl url = linkTarget(m_url);
    return url.isValid() && QDesktopServices::openUrl(url);
}

QColor THLinkCtrl::textColour() const {
    switch (m_linkState) {
        case Visited:
            return m_visitedColour;
        case Hover:
            return m_hoverColour;
        case Normal:
            break;
    }
    return m_linkColour;
}

void THLinkCtrl::setUnderline(bool on) {
    m_underline = on;
    update();
}

void THLinkCtrl::enterHover() {
    if (m_linkState == Hover) {
        return;
    }
    m_savedState = m_linkState;
    m_linkState = Hover;
    update();
}

void THLinkCtrl::leaveHover() {
    if (m_linkState != Hover) {
        return;
    }
    m_linkState = m_savedState;
    update();
}

void THLinkCtrl::showCursor() {
    setCursor(m_popupOpen ? m_arrowCursor : m_handCursor);
}

bool THLinkCtrl::EvCommand(int id) {
    const Handler* handler = findHandler(id);
    if (handler == nullptr) {
        return false;
    }
    (this->**handler)();
    return true;
}

bool THLinkCtrl::HasCommand(int id) const {
    return findHandler(id) != nullptr;
}

void THLinkCtrl::PostCommand(int id) {
    QMetaObject::invokeMethod(
        this, [this, id] { EvCommand(id); }, Qt::QueuedConnection);
}

void THLinkCtrl::CmOpen() {
    const TWaitCursor wait;
    const bool wasVisited = visited();
    if (OpenURL()) {
        if (m_linkState == Hover) {
            m_savedState = Visited;
        } else {
            m_linkState = Visited;
        }
    }
    if (visited() != wasVisited) {
        QAccessible::State changed;
        changed.traversed = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
    m_hoverColour = m_visitedColour;
    update();
}

void THLinkCtrl::CmCopyShortcut() {
    QGuiApplication::clipboard()->setText(m_url);
}

void THLinkCtrl::CmAddToFavorites() {
    AddShortcut(ShortcutFolder::Favorites);
}

void THLinkCtrl::CmAddToDesktop() {
    AddShortcut(ShortcutFolder::Desktop);
}

void THLinkCtrl::CmProperties() {
    THLinkSheet sheet(parentWidget());
    sheet.page()->SetLink(this);
    sheet.Execute();
}

bool THLinkCtrl::AddShortcut(ShortcutFolder folder) {
    const TWaitCursor wait;
    const QString directory =
        folder == ShortcutFolder::Favorites ? favoritesFolder() : desktopFolder();
    const QString path = linkFilePath(directory, text());
    return !path.isEmpty() && SaveShortcut(path);
}

bool THLinkCtrl::SaveShortcut(const QString& path) {
    const QUrl url = linkTarget(m_url);
    return url.isValid() && writeLinkFile(path, text(), url.toString(QUrl::FullyEncoded));
}

void THLinkCtrl::ShowContextMenu(int x, int y) {
    if (!m_contextMenu) {
        return;
    }
    leaveHover();
    const QPoint position = (x == -1 && y == -1) ? mapToGlobal(kKeyboardMenuOffset) : QPoint(x, y);
    QMenu menu(this);
    const MenuBuilder builder({[](int id) { return loadString(id).value_or(QString()); },
                               [this](int id) { PostCommand(id); },
                               [this](int id) { return HasCommand(id); }});
    builder.fillMenu(&menu, linkPopupMenu().front().items);
    m_popupOpen = true;
    showCursor();
    menu.exec(position);
    m_popupOpen = false;
    showCursor();
}

void THLinkCtrl::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QPainter painter(this);
    QFont linkFont = font();
    linkFont.setUnderline(m_underline);
    painter.setFont(linkFont);
    painter.setPen(textColour());
    QRect area = rect().adjusted(kTextMargin, 0, -kTextMargin, 0);
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |= (horizontal & Qt::AlignRight)     ? Qt::AlignRight
             : (horizontal & Qt::AlignHCenter) ? Qt::AlignHCenter
                                               : Qt::AlignLeft;
    painter.drawText(area, flags, text());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void THLinkCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // Opens once the click is handled; the edit never sees it.
        PostCommand(CM_LINK_OPEN);
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void THLinkCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (m_hoverTracking) {
        if (rect().contains(event->position().toPoint())) {
            enterHover();
        } else {
            leaveHover();
        }
    }
    QLineEdit::mouseMoveEvent(event);
}

void THLinkCtrl::enterEvent(QEnterEvent* event) {
    if (m_hoverTracking) {
        enterHover();
    }
    QLineEdit::enterEvent(event);
}

void THLinkCtrl::leaveEvent(QEvent* event) {
    if (m_hoverTracking) {
        leaveHover();
    }
    QLineEdit::leaveEvent(event);
}

void THLinkCtrl::focusInEvent(QFocusEvent* event) {
    // Not the edit's: that would start a caret.
    QWidget::focusInEvent(event);
}

void THLinkCtrl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
}

void THLinkCtrl::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        PostCommand(CM_LINK_OPEN);
        event->accept();
        return;
    }
    if (modifiers == Qt::ShiftModifier && key == Qt::Key_F10) {
        ShowContextMenu(-1, -1);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void THLinkCtrl::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) {
        ShowContextMenu(-1, -1);
    } else {
        ShowContextMenu(event->globalPos().x(), event->globalPos().y());
    }
    event->accept();
}

}  // namespace nimbara
