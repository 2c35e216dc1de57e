#pragma once

#include <QColor>
#include <QCursor>
#include <QLineEdit>

namespace nimbara {

class TDialog;

// The folders AddShortcut saves a link file into.
enum class ShortcutFolder { Favorites, Desktop };

// A hyperlink on a dialog: an edit control of the dialog's template that paints its text
// underlined in the colour of its state (blue; purple once visited; red while the pointer is
// over it), shows a pointing hand, and opens its URL through the desktop's URL handler when it
// is clicked, or on Enter or Space while it has the focus. The text is the control's own (from
// the template); the URL is set by the owner with SetLinkURL.
//
// A right click, the context-menu key or Shift+F10 opens popup menu 10103: Open, Copy Shortcut,
// Add to Favorites, Add to Desktop and Properties. Its commands come back to the control as
// posted commands, after the menu has closed; their hints go to the status bar of the frame the
// dialog belongs to, if any.
//
// The link takes the focus from the keyboard only (a click opens it), shows a focus rectangle and
// never a caret. Screen readers see a link named by its text, with the URL as description.
class THLinkCtrl : public QLineEdit {
    Q_OBJECT

public:
    enum LinkState { Normal = 0, Visited = 1, Hover = 2 };

    // Binds to edit control id of parent's template: the link takes that control's place, text
    // and styles. Throws std::invalid_argument when the template has no control id.
    THLinkCtrl(TDialog* parent, int id);
    // A link that no template made; without a parent it is a window of its own.
    explicit THLinkCtrl(QWidget* parent = nullptr);
    ~THLinkCtrl() override;

    // Sets the URL; an empty text becomes the URL too. With auto-size on and a parent, the
    // control then shrinks to its text (never grows), keeping its alignment: a centred one keeps
    // its centre, a right-aligned one its right edge.
    void SetLinkURL(const QString& url);
    const QString& linkUrl() const { return m_url; }
    // Opens the URL through the desktop's URL handler; whether that succeeded. A URL without a
    // scheme is guessed ("www.x.org" opens as http); one that is no address fails.
    bool OpenURL();

    // Shows the popup menu at screen position x, y; (-1, -1) means a request from the keyboard,
    // which opens it 5 pixels right of and below the control's top-left corner. Nothing when the
    // context menu is switched off.
    void ShowContextMenu(int x, int y);
    // Saves a link file for the URL into folder, named after the control's text (see
    // linkfile.h). False, and nothing written anywhere, when the text cannot be a file name or
    // the file cannot be written. No message either way.
    bool AddShortcut(ShortcutFolder folder);
    // Writes a link file for the URL, named by the control's text, at path. Overwrites. False
    // when the URL is no address or the file cannot be written.
    bool SaveShortcut(const QString& path);

    // Runs the handler of command id from the response table; false when there is none.
    bool EvCommand(int id);
    bool HasCommand(int id) const;
    // Runs command id once the current event is handled, as a posted command would.
    void PostCommand(int id);

    // Opens the URL with the wait cursor shown. On success the link is visited (after the hover,
    // if the pointer is over it); success or not, the hover colour becomes the visited purple.
    void CmOpen();
    // Puts the URL, not the text, on the clipboard in place of what was there.
    void CmCopyShortcut();
    void CmAddToFavorites();
    void CmAddToDesktop();
    // Runs the properties sheet of the link, modal, on the control's parent window.
    void CmProperties();

    LinkState linkState() const { return m_linkState; }
    // Whether the link was opened: its state, or the state it returns to after the hover.
    bool visited() const { return (m_linkState == Hover ? m_savedState : m_linkState) == Visited; }
    // The colour the text is painted in now.
    QColor textColour() const;
    QColor hoverColour() const { return m_hoverColour; }
    bool popupOpen() const { return m_popupOpen; }

    void setAutoSize(bool on) { m_autoSize = on; }
    void setHoverTracking(bool on) { m_hoverTracking = on; }
    void setUnderline(bool on);
    void setContextMenuEnabled(bool on) { m_contextMenu = on; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void init();
    void enterHover();
    void leaveHover();
    void showCursor();

    QString m_url;
    QCursor m_handCursor;
    QCursor m_arrowCursor;
    QColor m_linkColour;
    QColor m_visitedColour;
    bool m_autoSize = true;
    bool m_hoverTracking = true;
    QColor m_hoverColour;
    LinkState m_linkState = Normal;
    bool m_underline = true;
    LinkState m_savedState = Normal;
    bool m_popupOpen = false;
    bool m_contextMenu = true;
};

}  // namespace nimbara
