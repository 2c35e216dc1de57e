#include "games/tcloudgamenormaldlg.h"

#include "games/core/cloudnormalrules.h"

namespace nimbara {

TCloudGameNormalDlg::TCloudGameNormalDlg(QWidget* parent, int templateId,
                                         std::span<std::uint16_t> transferBlock,
                                         QString applicationDirectory,
                                         std::unique_ptr<RandomSource> random)
    : TGameDlg(parent, templateId, transferBlock, std::move(applicationDirectory),
               std::make_unique<CloudNormalRules>(), std::move(random)) {}

}  // namespace nimbara
