#include "games/tgamedlg.h"

#include "games/photoarea.h"
#include "platform/datapath.h"
#include "platform/messagebox.h"
#include "platform/nativefile.h"
#include "platform/windowsbitmap.h"
#include "resources/dialogtemplates.h"
#include "resources/resourceids.h"

#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QWindow>

#include <stdexcept>
#include <string>

namespace nimbara {

namespace {

constexpr int kPhotoLeft = 40;
constexpr int kPhotoTop = 40;
const QColor kScoreLineColour(0, 0, 255);

std::unique_ptr<RandomSource> orClockSeeded(std::unique_ptr<RandomSource> random) {
    return random ? std::move(random) : std::make_unique<ClockSeededRandom>();
}

}  // namespace

TGameDlg::TGameDlg(QWidget* parent, int templateId, std::span<std::uint16_t> transferBlock,
                   QString applicationDirectory, std::unique_ptr<GameRules> rules,
                   std::unique_ptr<RandomSource> random)
    : TDialog(parent, nimbara::dialogTemplate(templateId)),
      m_controlIds(gameControls(templateId)),
      m_rules(std::move(rules)),
      m_random(orClockSeeded(std::move(random))),
      m_photoArea(new PhotoArea(this)),
      m_round(*m_rules, *m_random),
      m_applicationDirectory(std::move(applicationDirectory)),
      m_answerBlock(static_cast<std::size_t>(m_rules->answerButtonCount()), 0) {
    m_photoArea->move(kPhotoLeft, kPhotoTop);
    m_photoArea->lower();
    bindControls();
    DrawNextPhoto();
    m_help.emplace();
    setTransferBuffer(transferBlock);
}

TGameDlg::~TGameDlg() = default;

void TGameDlg::bindControls() {
    const GameControls& ids = m_controlIds;
    if (ids.answerButtonIds.size() != m_answerBlock.size() ||
        ids.remarkLineIds.size() != static_cast<std::size_t>(m_rules->remarkLineCount())) {
        throw std::logic_error("dialog template " + std::to_string(dialogTemplate().id) +
                               " does not fit the rules of its game");
    }
    for (const int id : ids.answerButtonIds) {
        auto* button = requiredControl<QRadioButton>(id);
        m_answerButtons.push_back(button);
        enableTransfer(button);
    }
    m_scoreLine = requiredControl<QLabel>(ids.scoreLineId);
    for (const int id : ids.remarkLineIds) {
        m_remarkLines.push_back(requiredControl<QLabel>(id));
    }
    m_nameLabel = requiredControl<QLabel>(IDC_NAME_LABEL);
}

void TGameDlg::SetupWindow() {
    TDialog::SetupWindow();
    m_nameLabel->setEnabled(false);
    EvCtlColor(m_scoreLine);
    SetupCaption();
    ShowPhoto();
    ShowRemarks();
    ClearAnswerButtons();
}

void TGameDlg::EvCommand(int id) {
    if (id == IdOk) {
        CmOk();
    } else if (id == IdHelp) {
        CmHelp();
    } else {
        TDialog::EvCommand(id);
    }
}

void TGameDlg::showIndexError(IndexCheck check) {
    const GameTexts& texts = m_rules->texts();
    if (check == IndexCheck::Unknown) {
        messageBox(nullptr, QString::fromStdString(texts.unknownIndexError),
                   QString::fromStdString(texts.unknownIndexCaption), MbIcon::Stop);
    } else {
        messageBox(nullptr, QString::fromStdString(texts.indexRangeError),
                   QString::fromStdString(texts.indexRangeCaption), MbIcon::Stop);
    }
}

void TGameDlg::DrawNextPhoto() {
    for (const IndexCheck check : m_round.drawNextPhoto()) {
        showIndexError(check);
    }
    if (!m_round.firstPhoto()) {
        ShowRemarks();
        ClearAnswerButtons();
    }
    const GameTexts& texts = m_rules->texts();
    m_photoPath = dataPath(m_applicationDirectory,
                           QString::fromStdString(texts.photoFolder + m_round.fileName()));
    m_round.setPhotoReady(canOpenForReading(QFile::encodeName(m_photoPath)));
    if (!m_round.photoReady()) {
        messageBox(nullptr, QString::fromStdString(texts.missingPhotoLead) + m_photoPath + ")",
                   "Nimbara error", MbIcon::Stop);
    }
}

void TGameDlg::ShowPhoto() {
    if (!m_round.photoReady()) {
        return;
    }
    m_photoImage = loadWindowsBitmap(m_photoPath);
    if (m_photoImage.isNull()) {
        // Reported once: from here on the photo is treated like a missing one.
        m_round.setPhotoReady(false);
        messageBox(nullptr, "photo not readable (file: " + m_photoPath + ")", "Nimbara error",
                   MbIcon::Stop);
        return;
    }
    m_photoArea->dissolve(m_photoImage, m_dissolveRandom);
    m_painted = true;
}

void TGameDlg::ShowRemarks() {
    const std::vector<std::string> texts = m_round.remarks();
    for (std::size_t line = 0; line < m_remarkLines.size(); ++line) {
        m_remarkLines[line]->clear();
        if (line < texts.size()) {
            m_remarkLines[line]->setText(QString::fromStdString(texts[line]));
        }
    }
}

void TGameDlg::ClearAnswerButtons() {
    for (QRadioButton* button : m_answerButtons) {
        setCheck(button, false);
    }
}

void TGameDlg::UpdateScoreLine() {
    m_scoreLine->clear();
    m_scoreLine->setText(QString::fromStdString(m_round.scoreLine()));
}

void TGameDlg::EvCtlColor(QWidget* control) {
    if (control != m_scoreLine) {
        return;
    }
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, kScoreLineColour);
    control->setPalette(palette);
    control->setAutoFillBackground(false);
}

void TGameDlg::CmOk() {
    Transfer(m_answerBlock, TransferDirection::GetData);
    const QString title = QString::fromStdString(m_rules->texts().title);
    switch (m_round.judge(m_answerBlock)) {
        case GameRound::Verdict::Incomplete:
            messageBox(this, QString::fromStdString(m_rules->texts().reminder), title,
                       MbIcon::Exclamation);
            return;
        case GameRound::Verdict::Right:
            UpdateScoreLine();
            break;
        case GameRound::Verdict::Wrong:
            UpdateScoreLine();
            messageBox(this, QString::fromStdString(m_round.wrongAnswerText()), title,
                       MbIcon::Information);
            break;
    }
    if (!m_round.roundOver()) {
        m_round.clearFirstPhoto();
        DrawNextPhoto();
        ShowPhoto();
        return;
    }
    messageBox(this, QString::fromStdString(m_round.finalText()), title + " Final Score");
    EvClose();
}

void TGameDlg::CmHelp() {
    m_help->displayTopic(dataPath(m_applicationDirectory, "\\HELP\\CLASSIFY.CHM"));
}

void TGameDlg::Paint() {
    if (m_painted) {
        ShowPhoto();
    }
}

void TGameDlg::showEvent(QShowEvent* event) {
    TDialog::showEvent(event);
    if (QWindow* handle = windowHandle()) {
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
}

bool TGameDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        const bool exposed = windowHandle()->isExposed();
        if (exposed && m_painted) {
            // What was on screen is gone after the window was hidden; a partly covered window
            // keeps the rest. Either way the photo dissolves in again once the event is done.
            if (!m_wasExposed) {
                m_photoArea->clear();
            }
            QMetaObject::invokeMethod(this, &TGameDlg::Paint, Qt::QueuedConnection);
        }
        m_wasExposed = exposed;
    }
    return TDialog::eventFilter(watched, event);
}

}  // namespace nimbara
