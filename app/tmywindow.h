#pragma once

#include "app/desktopbackground.h"
#include "app/progresswindow.h"  // completes the session's window pointer
#include "app/recordsession.h"
#include "games/core/gamedefinition.h"
#include "platform/htmlhelp.h"
#include "platform/twindow.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

namespace nimbara {

class PhotoDraw;
class TDecoratedFrame;
class TGameDlg;

// The main window: the frame's client. It holds what lives for the whole run (the application
// directory, the transfer blocks of the games, the help access, the learning record) and answers
// every menu command through its response table: quitting, the desktop picture, launching the
// games, the progress window, opening the Info help files and the About box. A right click, on
// the desktop picture too, opens the Games menu at the pointer. Every game tells the learning
// record of its round; the progress window's practice request starts a practice round.
class TMyWindow : public TWindow {
    Q_OBJECT

public:
    // Captures the current directory as application directory and loads the help engine;
    // recordPath is the learning record's file (opened when first needed).
    explicit TMyWindow(QString recordPath = defaultRecordPath());
    ~TMyWindow() override;

    const QString& applicationDirectory() const { return m_applicationDirectory; }
    RecordSession& record() { return m_record; }
    // The game dialog running now; null when none is.
    TGameDlg* runningGame() const { return m_runningGame; }
    // The transfer block of game: one word per answer button, one block per dialog template,
    // so that the six sea-state series share theirs.
    std::span<std::uint16_t> transferBlock(const GameDefinition& game);
    const HtmlHelp& help() const { return m_help; }
    DesktopBackground& desktop() { return m_desktop; }

    bool CanClose() override;
    bool EvCommand(int id) override;
    bool HasCommand(int id) const override;
    void SetupWindow() override;

    void CmExit();
    // Opens the progress window (non-modal), or raises it.
    void CmMyProgress();
    // Runs a practice round of the game with importId, drawn to prefer the classes the record
    // shows weakest. While a game runs, that game is raised instead.
    void startPractice(const QString& importId);
    // Runs a new About box modally, translucent where the window system composites.
    void CmAbout();
    // Shows the Games popup of the frame's menu bar with its top-left corner at point (in this
    // window's coordinates); the chosen entry runs as a menu command.
    void EvRButtonDown(const QPoint& point);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct ResponseEntry {
        int command;
        std::function<void()> handler;
    };

    void buildResponseTable();
    // Runs a new dialog of game modally on its transfer block; draw null means the game's own
    // draw. The round is told to the learning record.
    void launchGame(const GameDefinition& game, std::shared_ptr<const PhotoDraw> draw = nullptr,
                    bool practice = false);
    void openHelpFile(const char* relativePath);
    TDecoratedFrame* frame() const;

    QString m_applicationDirectory;
    DesktopBackground m_desktop{this, m_applicationDirectory};
    std::map<int, std::vector<std::uint16_t>> m_transferBlocks;  // by template id, all 0 at first
    HtmlHelp m_help;
    std::vector<ResponseEntry> m_responseTable;
    RecordSession m_record;
    TGameDlg* m_runningGame = nullptr;
};

}  // namespace nimbara
