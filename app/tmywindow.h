#pragma once

#include "app/desktopbackground.h"
#include "app/gamelaunch.h"
#include "platform/htmlhelp.h"
#include "platform/twindow.h"

#include <array>
#include <functional>
#include <vector>

namespace nimbara {

class TDecoratedFrame;

// The main window: the frame's client. It holds what lives for the whole run (the application
// directory, the transfer blocks of the games, the help access) and answers every menu command
// through its response table: quitting, the desktop picture, launching the games, opening the Info
// help files and the About box. A right click, on the desktop picture too, opens the Games menu at
// the pointer.
class TMyWindow : public TWindow {
    Q_OBJECT

public:
    // Captures the current directory as application directory and loads the help engine.
    TMyWindow();
    ~TMyWindow() override;

    const QString& applicationDirectory() const { return m_applicationDirectory; }
    std::span<std::uint16_t> transferBlock(TransferBlock block);
    const HtmlHelp& help() const { return m_help; }
    DesktopBackground& desktop() { return m_desktop; }

    bool CanClose() override;
    bool EvCommand(int id) override;
    bool HasCommand(int id) const override;
    void SetupWindow() override;

    void CmExit();
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
    void launchGame(const GameLaunch& row);
    void openHelpFile(const char* relativePath);
    TDecoratedFrame* frame() const;

    QString m_applicationDirectory;
    DesktopBackground m_desktop{this, m_applicationDirectory};
    std::array<std::uint16_t, 27> m_cloudEasyBlock{};
    std::array<std::uint16_t, 33> m_cloudNormalBlock{};
    std::array<std::uint16_t, 13> m_seaStateBlock{};
    std::array<std::uint16_t, 18> m_iceBlock{};
    std::array<std::uint16_t, 18> m_ice2Block{};
    HtmlHelp m_help;
    std::vector<ResponseEntry> m_responseTable;
};

}  // namespace nimbara
