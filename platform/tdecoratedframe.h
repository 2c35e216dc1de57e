#pragma once

#include "platform/menubuilder.h"

#include <QMainWindow>

#include <memory>

class QToolBar;

namespace nimbara {

class TStatusBar;
class TWindow;

enum class DecorationLocation { Top, Bottom };

// The main frame: a title, a client window in the middle, decorations (a status bar at the
// bottom, a control bar at the top) and the menu bar. The frame asks its client before every
// close, shows menu hints from the string table in its status bar while menu tracking is on,
// and always opens maximised.
class TDecoratedFrame : public QMainWindow {
    Q_OBJECT

public:
    // client is owned by the frame. hintText gives the string of an id, empty when none.
    TDecoratedFrame(const QString& title, TWindow* client, bool trackMenuSelection,
                    std::function<QString(int)> hintText);
    ~TDecoratedFrame() override;

    TWindow* client() const { return m_client; }
    void Insert(TStatusBar* statusBar, DecorationLocation location);
    void Insert(QToolBar* controlBar, DecorationLocation location);
    // Builds the menu bar from menu; commands go to the client.
    void AssignMenu(const MenuTemplate& menu);
    // The popup at position (counted from 0) of the menu bar; null when there is none.
    QMenu* popupAt(int position) const;
    const MenuBuilder& menuBuilder() const { return *m_menuBuilder; }
    // Shows the frame maximised, whatever show state was asked for.
    void showMaximisedAlways();

signals:
    // The frame agreed to close (its client said yes): the program is to end.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TWindow* m_client;
    std::unique_ptr<MenuBuilder> m_menuBuilder;
    bool m_setupDone = false;
};

// A control bar: a plain strip under the menu bar that carries no gadgets. Its extension button
// (shown when what the bar holds does not fit) is named "More controls" for screen readers.
QToolBar* createControlBar(QWidget* parent);

}  // namespace nimbara
