#include "games/tgamedlg.h"

#include "games/photoarea.h"
#include "platform/datapath.h"
#include "platform/messagebox.h"
#include "platform/nativefile.h"
#include "platform/windowsbitmap.h"
#include "resources/gamedialogtemplate.h"
#include "resources/resourceids.h"

#include <QFile>
#include <QGroupBox>
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

// Whether the photo file at path can be opened for reading: the test a draw makes before the
// photo is shown.
bool photoFileOpens(const QString& path) {
    return canOpenForReading(QFile::encodeName(path));
}

}  // namespace

TGameDlg::TGameDlg(QWidget* parent, const GameDefinition& game,
                   std::span<std::uint16_t> transferBlock, QString applicationDirectory,
                   std::unique_ptr<RandomSource> random, std::shared_ptr<const PhotoDraw> draw,
                   RoundReporting reporting)
    : TGameDlg(parent, std::make_unique<const DialogTemplate>(gameDialogTemplate(game)), game,
               transferBlock, std::move(applicationDirectory), std::move(random), std::move(draw),
               reporting) {}

TGameDlg::TGameDlg(QWidget* parent, std::unique_ptr<const DialogTemplate> templ,
                   const GameDefinition& game, std::span<std::uint16_t> transferBlock,
                   QString applicationDirectory, std::unique_ptr<RandomSource> random,
                   std::shared_ptr<const PhotoDraw> draw, RoundReporting reporting)
    : TDialog(parent, *templ),
      m_template(std::move(templ)),
      m_game(game),
      m_random(orClockSeeded(std::move(random))),
      m_draw(std::move(draw)),
      m_photoArea(new PhotoArea(this)),
      m_round(*m_game.rules, *m_random, m_draw ? *m_draw : PhotoDraw::gamesOwn()),
      m_applicationDirectory(std::move(applicationDirectory)),
      m_answerBlock(static_cast<std::size_t>(m_game.rules->answerButtonCount()), 0),
      m_reporting(reporting) {
    m_photoArea->move(kPhotoLeft, kPhotoTop);
    m_photoArea->lower();
    bindControls();
    DrawNextPhoto();
    m_help.emplace();
    setTransferBuffer(transferBlock);
}

TGameDlg::~TGameDlg() {
    abandonRound();
}

void TGameDlg::bindControls() {
    const GameLayout& layout = m_game.layout;
    const std::vector<int> buttonIds = layout.answerButtonIds();
    if (buttonIds.size() != m_answerBlock.size() ||
        layout.remarks.ids.size() != static_cast<std::size_t>(m_game.rules->remarkLineCount())) {
        throw std::logic_error("the layout of game " + m_game.importId + " does not fit its rules");
    }
    for (const int id : buttonIds) {
        auto* button = requiredControl<QRadioButton>(id);
        m_answerButtons.push_back(button);
        enableTransfer(button);
    }
    bindAnswerBoxes();
    m_scoreLine = requiredControl<QLabel>(layout.score.lineId);
    for (const int id : layout.remarks.ids) {
        m_remarkLines.push_back(requiredControl<QLabel>(id));
    }
    m_nameLabel = requiredControl<QLabel>(IDC_NAME_LABEL);
}

void TGameDlg::bindAnswerBoxes() {
    std::size_t firstButton = 0;
    for (const AnswerBox& box : m_game.layout.answerBoxes) {
        std::size_t count = 0;
        for (const ButtonColumn& column : box.columns) {
            count += static_cast<std::size_t>(column.count);
        }
        if (box.id != -1) {
            m_answerBoxes.push_back({requiredControl<QGroupBox>(box.id), firstButton, count});
        }
        firstButton += count;
    }
}

std::vector<QGroupBox*> TGameDlg::answerBoxes() const {
    std::vector<QGroupBox*> boxes;
    for (const AnswerBoxControl& box : m_answerBoxes) {
        boxes.push_back(box.box);
    }
    return boxes;
}

void TGameDlg::SetupWindow() {
    TDialog::SetupWindow();
    m_nameLabel->setEnabled(false);
    EvCtlColor(m_scoreLine);
    // A template that several games share leaves the caption to the game.
    if (!m_game.caption.empty()) {
        SetCaption(QString::fromStdString(m_game.caption));
    }
    if (m_reporting.listener != nullptr) {
        m_reporting.listener->roundStarted(m_game.importId, m_reporting.practice);
        m_roundInPlay = true;
    }
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
    const GameTexts& texts = m_game.rules->texts();
    if (check == IndexCheck::Unknown) {
        messageBox(nullptr, QString::fromStdString(texts.unknownIndexError),
                   QString::fromStdString(texts.unknownIndexCaption), MbIcon::Stop);
    } else {
        messageBox(nullptr, QString::fromStdString(texts.indexRangeError),
                   QString::fromStdString(texts.indexRangeCaption), MbIcon::Stop);
    }
}

void TGameDlg::showPhotoError(const std::string& lead) {
    messageBox(nullptr, QString::fromStdString(lead) + m_photoPath + ")",
               QString::fromStdString(m_game.rules->texts().photoErrorCaption), MbIcon::Stop);
}

void TGameDlg::DrawNextPhoto() {
    m_answerClock.reset();
    for (const IndexCheck check : m_round.drawNextPhoto()) {
        showIndexError(check);
    }
    if (!m_firstPhoto) {
        ShowRemarks();
        ClearAnswerButtons();
    }
    m_photoPath = dataPath(m_applicationDirectory,
                           QString::fromStdString(m_game.photoFolder + m_round.fileName()));
    m_photoReady = photoFileOpens(m_photoPath);
    if (!m_photoReady) {
        showPhotoError(m_game.rules->texts().missingPhotoLead);
    }
}

void TGameDlg::ShowPhoto() {
    if (!m_photoReady) {
        m_answerClock.run();  // nothing to dissolve: the answer is timed from here
        return;
    }
    m_photoImage = loadWindowsBitmap(m_photoPath);
    if (m_photoImage.isNull()) {
        // Reported once: from here on the photo is treated like a missing one.
        m_photoReady = false;
        showPhotoError(m_game.rules->texts().unreadablePhotoLead);
        m_answerClock.run();
        return;
    }
    m_answerClock.stop();
    m_photoArea->dissolve(m_photoImage, m_dissolveRandom);
    m_painted = true;
    // A window not on screen got nothing drawn: its photo is timed once it dissolves in.
    if (m_photoArea->lastFrameCount() > 0) {
        m_answerClock.run();
    }
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
    const std::vector<bool> offered = offeredButtons();
    for (const AnswerBoxControl& box : m_answerBoxes) {
        const auto first = offered.begin() + static_cast<std::ptrdiff_t>(box.firstButton);
        box.box->setEnabled(
            std::find(first, first + static_cast<std::ptrdiff_t>(box.buttonCount), true) !=
            first + static_cast<std::ptrdiff_t>(box.buttonCount));
    }
    for (std::size_t button = 0; button < m_answerButtons.size(); ++button) {
        m_answerButtons[button]->setEnabled(offered[button]);
    }
    // The keyboard user goes on in what can be answered, never on a greyed button.
    const auto firstOffered = std::find(offered.begin(), offered.end(), true);
    const bool someGreyed = std::find(offered.begin(), offered.end(), false) != offered.end();
    if (someGreyed && firstOffered != offered.end()) {
        m_answerButtons[static_cast<std::size_t>(firstOffered - offered.begin())]->setFocus(
            Qt::OtherFocusReason);
    }
}

std::vector<bool> TGameDlg::offeredButtons() const {
    std::vector<bool> offered;
    for (std::size_t button = 0; button < m_answerButtons.size(); ++button) {
        offered.push_back(m_game.rules->offersButton(m_round.photo(), static_cast<int>(button)));
    }
    return offered;
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
    const double seconds = m_answerClock.seconds();
    Transfer(m_answerBlock, TransferDirection::GetData);
    const GameTexts& texts = m_game.rules->texts();
    const QString title = QString::fromStdString(texts.title);
    const GameRound::Verdict verdict = m_round.judge(m_answerBlock);
    if (verdict == GameRound::Verdict::Incomplete) {
        messageBox(this, QString::fromStdString(texts.reminder), title, MbIcon::Exclamation);
        return;
    }
    // Kept before any box, so that an answer once judged survives whatever comes next.
    reportAnswer(verdict == GameRound::Verdict::Right, seconds);
    UpdateScoreLine();
    if (verdict == GameRound::Verdict::Wrong) {
        messageBox(this, QString::fromStdString(m_round.wrongAnswerText()), title,
                   MbIcon::Information);
    }
    if (!m_round.roundOver()) {
        m_firstPhoto = false;
        DrawNextPhoto();
        ShowPhoto();
        return;
    }
    if (m_roundInPlay) {
        m_roundInPlay = false;
        m_reporting.listener->roundFinished(m_round.percent(),
                                            GameRound::rating(m_round.percent()));
    }
    messageBox(this, QString::fromStdString(m_round.finalText()),
               QString::fromStdString(texts.finalScoreCaption));
    EvClose();
}

void TGameDlg::reportAnswer(bool correct, double seconds) {
    if (!m_roundInPlay) {
        return;
    }
    const GameRules& rules = *m_game.rules;
    m_reporting.listener->answerJudged({.photo = m_round.fileName(),
                                        .rightAnswer = rules.rightAnswerName(m_round.photo()),
                                        .givenAnswer = rules.choiceName(m_round.judgedAnswer()),
                                        .correct = correct,
                                        .seconds = seconds});
}

void TGameDlg::abandonRound() {
    if (m_roundInPlay) {
        m_roundInPlay = false;
        m_reporting.listener->roundAbandoned();
    }
}

void TGameDlg::done(int result) {
    abandonRound();
    TDialog::done(result);
}

void TGameDlg::CmHelp() {
    m_help->displayTopic(dataPath(m_applicationDirectory, "\\HELP\\CLASSIFY.CHM"));
}

void TGameDlg::Paint() {
    --m_pendingRepaints;
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
            ++m_pendingRepaints;
            QMetaObject::invokeMethod(this, &TGameDlg::Paint, Qt::QueuedConnection);
        }
        m_wasExposed = exposed;
    }
    return TDialog::eventFilter(watched, event);
}

}  // namespace nimbara
