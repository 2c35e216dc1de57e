#pragma once

#include "games/core/answerclock.h"
#include "games/core/gamedefinition.h"
#include "games/core/gameround.h"
#include "platform/htmlhelp.h"
#include "platform/tdialog.h"
#include "record/roundlistener.h"

#include <QImage>

#include <memory>
#include <optional>
#include <string>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace nimbara {

class PhotoArea;

// Who is told of the round a game dialog plays, and whether it is a practice round.
struct RoundReporting {
    RoundListener* listener = nullptr;  // null: nobody listens and the game plays as ever
    bool practice = false;
};

// The flow that every classification game shares: a modal dialog that plays one round of ten
// photos of the game it is given. Each photo dissolves in at (40, 40), its remark lines appear
// under it, the user checks an answer and presses OK; the blue score line counts, a wrong answer
// names the right class and the tenth answer shows the final score and closes the dialog. Cancel
// and the close box abandon the round; Help opens the games' help file. Everything that differs
// between games comes from the game's definition: the template (built from it), the texts, the
// photos and the rules.
//
// A listener, when given, is told of the round: its start when the dialog is first shown, each
// judged answer (with the seconds the photo was fully shown before OK) before anything else
// happens, the score after the last answer, and the end of a round left before it: Cancel, the
// close box, the program quitting, the dialog destroyed.
class TGameDlg : public TDialog {
    Q_OBJECT

public:
    // game is copied. transferBlock is the launcher's block (one word per answer button); it must
    // outlive the dialog. random draws the photos; null means the clock-seeded generator (the
    // dissolve has a clock-seeded generator of its own). draw chooses the candidates of the
    // round; null means the game's own draw. reporting names who is told of the round, if
    // anyone; its listener must outlive the dialog. Throws std::logic_error when the game's
    // layout does not fit its rules (a fault of the program, not of its data).
    TGameDlg(QWidget* parent, const GameDefinition& game, std::span<std::uint16_t> transferBlock,
             QString applicationDirectory, std::unique_ptr<RandomSource> random = nullptr,
             std::shared_ptr<const PhotoDraw> draw = nullptr, RoundReporting reporting = {});
    ~TGameDlg() override;

    const GameDefinition& game() const { return m_game; }
    const GameRound& round() const { return m_round; }
    const QString& photoPath() const { return m_photoPath; }
    // Whether the file of the photo on show was found (and, once shown, read).
    bool photoReady() const { return m_photoReady; }
    PhotoArea* photoArea() const { return m_photoArea; }
    QLabel* scoreLine() const { return m_scoreLine; }
    const std::vector<QLabel*>& remarkLines() const { return m_remarkLines; }
    const std::vector<QRadioButton*>& answerButtons() const { return m_answerButtons; }
    // The group boxes of the layout that have ids, in layout order; each is greyed with its
    // buttons when the photo on show offers none of them.
    std::vector<QGroupBox*> answerBoxes() const;
    bool painted() const { return m_painted; }
    // Repaints asked for by the window system that have not run yet.
    int pendingRepaints() const { return m_pendingRepaints; }
    // The loaded image of the current photo; null before a photo was shown.
    const QImage& photoImage() const { return m_photoImage; }
    const RoundReporting& reporting() const { return m_reporting; }
    // The draw given at construction; null for the game's own.
    const std::shared_ptr<const PhotoDraw>& draw() const { return m_draw; }

    // Ends the dialog; a round still in play is abandoned first.
    void done(int result) override;

protected:
    void SetupWindow() override;
    void EvCommand(int id) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    void CmOk();
    void CmHelp();
    void DrawNextPhoto();
    void ShowPhoto();
    void ShowRemarks();
    // Unchecks every answer button and greys the buttons (and boxes) that the photo on show does
    // not offer; when some are greyed the focus goes to the first offered one.
    void ClearAnswerButtons();
    void UpdateScoreLine();
    // Repaint of the window after it was covered or hidden: the photo dissolves in again.
    void Paint();
    void EvCtlColor(QWidget* control);

private:
    // A box of the layout with its buttons, first and count in button order.
    struct AnswerBoxControl {
        QGroupBox* box;
        std::size_t firstButton;
        std::size_t buttonCount;
    };

    TGameDlg(QWidget* parent, std::unique_ptr<const DialogTemplate> templ,
             const GameDefinition& game, std::span<std::uint16_t> transferBlock,
             QString applicationDirectory, std::unique_ptr<RandomSource> random,
             std::shared_ptr<const PhotoDraw> draw, RoundReporting reporting);
    void bindControls();
    // Tells the listener of the answer just judged, given after seconds.
    void reportAnswer(bool correct, double seconds);
    // Tells the listener that the round in play was left before its end.
    void abandonRound();
    void bindAnswerBoxes();
    // Whether each answer button (in button order) can be used for the photo on show.
    std::vector<bool> offeredButtons() const;
    void showIndexError(IndexCheck check);
    void showPhotoError(const std::string& lead);

    std::unique_ptr<const DialogTemplate> m_template;  // the TDialog part shows it
    GameDefinition m_game;
    std::unique_ptr<RandomSource> m_random;
    std::shared_ptr<const PhotoDraw> m_draw;
    ClockSeededRandom m_dissolveRandom;
    bool m_painted = false;
    std::vector<QRadioButton*> m_answerButtons;
    std::vector<AnswerBoxControl> m_answerBoxes;
    QLabel* m_scoreLine = nullptr;
    std::vector<QLabel*> m_remarkLines;
    QWidget* m_nameLabel = nullptr;
    PhotoArea* m_photoArea;
    QImage m_photoImage;
    bool m_photoReady = false;
    bool m_firstPhoto = true;  // until the first answer has been processed
    GameRound m_round;
    QString m_applicationDirectory;
    QString m_photoPath;
    std::vector<std::uint16_t> m_answerBlock;
    std::optional<HtmlHelp> m_help;
    bool m_wasExposed = false;
    int m_pendingRepaints = 0;
    RoundReporting m_reporting;
    bool m_roundInPlay = false;  // told as started, not yet as finished or abandoned
    AnswerClock m_answerClock;
};

}  // namespace nimbara
