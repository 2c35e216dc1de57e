#pragma once

#include "games/core/gameround.h"
#include "platform/htmlhelp.h"
#include "platform/tdialog.h"
#include "resources/gamecontrols.h"

#include <QImage>

#include <memory>
#include <optional>

class QLabel;
class QRadioButton;

namespace nimbara {

class PhotoArea;

// The flow that every classification game shares: a modal dialog that plays one round of ten
// photos. Each photo dissolves in at (40, 40), its remark lines appear under it, the user checks
// an answer and presses OK; the blue score line counts, a wrong answer names the right class and
// the tenth answer shows the final score and closes the dialog. Cancel and the close box abandon
// the round; Help opens the games' help file. A game supplies its template and its rules.
class TGameDlg : public TDialog {
    Q_OBJECT

public:
    // transferBlock is the launcher's block (one word per answer button); it must outlive the
    // dialog. random draws the photos; null means the clock-seeded generator. The dissolve has
    // a clock-seeded generator of its own. Throws std::logic_error when the template's controls
    // do not fit the rules (a fault of the program, not of its data).
    TGameDlg(QWidget* parent, int templateId, std::span<std::uint16_t> transferBlock,
             QString applicationDirectory, std::unique_ptr<GameRules> rules,
             std::unique_ptr<RandomSource> random);
    ~TGameDlg() override;

    const GameRound& round() const { return m_round; }
    const QString& photoPath() const { return m_photoPath; }
    PhotoArea* photoArea() const { return m_photoArea; }
    QLabel* scoreLine() const { return m_scoreLine; }
    const std::vector<QLabel*>& remarkLines() const { return m_remarkLines; }
    const std::vector<QRadioButton*>& answerButtons() const { return m_answerButtons; }
    bool painted() const { return m_painted; }
    // The loaded image of the current photo; null before a photo was shown.
    const QImage& photoImage() const { return m_photoImage; }

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
    // Unchecks every answer button; a game may also choose which buttons can be used.
    virtual void ClearAnswerButtons();
    // The setup step before the first photo is shown, for a caption that depends on the game's
    // data; none by default.
    virtual void SetupCaption() {}
    void UpdateScoreLine();
    // Repaint of the window after it was covered or hidden: the photo dissolves in again.
    void Paint();
    void EvCtlColor(QWidget* control);

    const GameRules& rules() const { return *m_rules; }
    const GameControls& controlIds() const { return m_controlIds; }

private:
    void bindControls();
    void showIndexError(IndexCheck check);

    const GameControls& m_controlIds;
    std::unique_ptr<GameRules> m_rules;
    std::unique_ptr<RandomSource> m_random;
    ClockSeededRandom m_dissolveRandom;
    bool m_painted = false;
    std::vector<QRadioButton*> m_answerButtons;
    QLabel* m_scoreLine = nullptr;
    std::vector<QLabel*> m_remarkLines;
    QWidget* m_nameLabel = nullptr;
    PhotoArea* m_photoArea;
    QImage m_photoImage;
    GameRound m_round;
    QString m_applicationDirectory;
    QString m_photoPath;
    std::vector<std::uint16_t> m_answerBlock;
    std::optional<HtmlHelp> m_help;
    bool m_wasExposed = false;
};

}  // namespace nimbara
