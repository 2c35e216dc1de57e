#include "app/tmywindow.h"

#include "app/infomenu.h"
#include "games/core/gamecatalogue.h"
#include "games/core/weighteddraw.h"
#include "games/gamedialogfactory.h"
#include "hyperlink/tinfoaboutdialog.h"
#include "platform/datapath.h"
#include "platform/messagebox.h"
#include "platform/tdecoratedframe.h"
#include "platform/windowcompositing.h"
#include "resources/resourceids.h"

#include <QDialog>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace nimbara {

TMyWindow::TMyWindow(QString recordPath)
    : m_applicationDirectory(currentApplicationDirectory()),
      m_record(m_applicationDirectory, std::move(recordPath)) {
    for (const GameDefinition& game : gameCatalogue()) {
        m_transferBlocks.try_emplace(game.templateId,
                                     static_cast<std::size_t>(game.rules->answerButtonCount()), 0);
    }
    buildResponseTable();
    // Queued, so that the window's button has finished its click before the game runs.
    connect(&m_record, &RecordSession::practiceRequested, this, &TMyWindow::startPractice,
            Qt::QueuedConnection);
}

TMyWindow::~TMyWindow() = default;

void TMyWindow::buildResponseTable() {
    m_responseTable.push_back({CM_EXIT, [this] { CmExit(); }});
    m_responseTable.push_back({CM_DESKTOP_NEW, [this] { m_desktop.CmDesktopNew(); }});
    m_responseTable.push_back({CM_DESKTOP_REFRESH, [this] { m_desktop.CmDesktopRefresh(); }});
    for (const GameDefinition& game : gameCatalogue()) {
        m_responseTable.push_back({game.commandId, [this, &game] { launchGame(game); }});
    }
    for (const HelpFileCommand& row : helpFileCommands()) {
        m_responseTable.push_back({row.command, [this, &row] { openHelpFile(row.file); }});
    }
    m_responseTable.push_back({CM_MY_PROGRESS, [this] { CmMyProgress(); }});
    m_responseTable.push_back({CM_ABOUT, [this] { CmAbout(); }});
}

std::span<std::uint16_t> TMyWindow::transferBlock(const GameDefinition& game) {
    return m_transferBlocks.at(game.templateId);
}

TDecoratedFrame* TMyWindow::frame() const {
    return qobject_cast<TDecoratedFrame*>(window());
}

void TMyWindow::SetupWindow() {
    if (TDecoratedFrame* decorated = frame()) {
        insertCloudPopups(*decorated);
    }
    m_desktop.chooseInitialDesktop();
}

bool TMyWindow::CanClose() {
    return messageBox(this, "Do you want to quit Nimbara", "Quit", MbIcon::Question,
                      MbButtons::YesNo) != MbAnswer::No;
}

bool TMyWindow::EvCommand(int id) {
    const auto found =
        std::find_if(m_responseTable.begin(), m_responseTable.end(),
                     [id](const ResponseEntry& entry) { return entry.command == id; });
    if (found == m_responseTable.end()) {
        return false;
    }
    found->handler();
    return true;
}

bool TMyWindow::HasCommand(int id) const {
    return std::any_of(m_responseTable.begin(), m_responseTable.end(),
                       [id](const ResponseEntry& entry) { return entry.command == id; });
}

void TMyWindow::CmExit() {
    window()->close();
}

void TMyWindow::CmAbout() {
    TInfoAboutDialog dialog(this, IDD_ABOUT, windowSystemComposites());
    dialog.Execute();
}

void TMyWindow::CmMyProgress() {
    m_record.openProgressWindow();
}

void TMyWindow::startPractice(const QString& importId) {
    if (m_runningGame != nullptr) {
        m_runningGame->raise();
        m_runningGame->activateWindow();
        return;
    }
    const GameDefinition* game = findGame(importId.toStdString());
    if (game == nullptr) {
        return;
    }
    WeightedDraw::ClassWeights weights;
    for (const ClassWeight& weight : m_record.practiceWeights(importId)) {
        weights[weight.name.toStdString()] = weight.weight;
    }
    launchGame(*game, std::make_shared<WeightedDraw>(*game->rules, weights), true);
}

void TMyWindow::launchGame(const GameDefinition& game, std::shared_ptr<const PhotoDraw> draw,
                           bool practice) {
    const std::unique_ptr<TGameDlg> dialog =
        createGameDialog(game, this, transferBlock(game), m_applicationDirectory, nullptr,
                         std::move(draw), {.listener = &m_record.listener(), .practice = practice});
    m_runningGame = dialog.get();
    dialog->exec();
    m_runningGame = nullptr;
}

void TMyWindow::openHelpFile(const char* relativePath) {
    m_help.displayTopic(dataPath(m_applicationDirectory, QString::fromLatin1(relativePath)));
}

void TMyWindow::EvRButtonDown(const QPoint& point) {
    TDecoratedFrame* decorated = frame();
    QMenu* games = decorated ? decorated->popupAt(kGamesPopupPosition) : nullptr;
    if (games != nullptr) {
        games->exec(mapToGlobal(point));
    }
}

void TMyWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        EvRButtonDown(event->position().toPoint());
        return;
    }
    TWindow::mousePressEvent(event);
}

}  // namespace nimbara
