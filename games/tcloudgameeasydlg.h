#pragma once

#include "games/tgamedlg.h"

class QGroupBox;

namespace nimbara {

// Cloud classification game (easy): each photo shows one cloud type; only the column of the
// photo's level (Cl, Cm or Ch) can be used, and the user picks the type in it.
class TCloudGameEasyDlg final : public TGameDlg {
    Q_OBJECT

public:
    TCloudGameEasyDlg(QWidget* parent, int templateId, std::span<std::uint16_t> transferBlock,
                      QString applicationDirectory, std::unique_ptr<RandomSource> random = nullptr);

    // The group boxes of the level columns Cl, Cm and Ch.
    const std::vector<QGroupBox*>& levelColumnBoxes() const { return m_levelColumnBoxes; }

protected:
    // Unchecks every button, enables the photo's level column and greys the other two, and puts
    // the focus into the enabled column.
    void ClearAnswerButtons() override;

private:
    std::vector<QGroupBox*> m_levelColumnBoxes;
};

}  // namespace nimbara
