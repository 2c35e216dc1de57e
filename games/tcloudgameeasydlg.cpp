#include "games/tcloudgameeasydlg.h"

#include "games/core/cloudeasyrules.h"

#include <QGroupBox>
#include <QRadioButton>

namespace nimbara {

TCloudGameEasyDlg::TCloudGameEasyDlg(QWidget* parent, int templateId,
                                     std::span<std::uint16_t> transferBlock,
                                     QString applicationDirectory,
                                     std::unique_ptr<RandomSource> random)
    : TGameDlg(parent, templateId, transferBlock, std::move(applicationDirectory),
               std::make_unique<CloudEasyRules>(), std::move(random)) {
    for (const int id : controlIds().levelColumnBoxIds) {
        m_levelColumnBoxes.push_back(requiredControl<QGroupBox>(id));
    }
}

void TCloudGameEasyDlg::ClearAnswerButtons() {
    TGameDlg::ClearAnswerButtons();
    const int photoLevel = CloudEasyRules::level(round().photo());
    QRadioButton* firstEnabled = nullptr;
    for (int level = 1; level <= CloudEasyRules::kLevels; ++level) {
        const bool enabled = level == photoLevel;
        m_levelColumnBoxes.at(static_cast<std::size_t>(level - 1))->setEnabled(enabled);
        for (int type = 0; type < CloudEasyRules::kTypes; ++type) {
            QRadioButton* button = answerButtons().at(
                static_cast<std::size_t>((level - 1) * CloudEasyRules::kTypes + type));
            button->setEnabled(enabled);
            if (enabled && firstEnabled == nullptr) {
                firstEnabled = button;
            }
        }
    }
    // The keyboard user goes on in the column that can be answered, never on a greyed button.
    if (firstEnabled != nullptr) {
        firstEnabled->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace nimbara
