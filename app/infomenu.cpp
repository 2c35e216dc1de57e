#include "app/infomenu.h"

#include "platform/tdecoratedframe.h"
#include "resources/commandsmenu.h"
#include "resources/resourceids.h"

#include <algorithm>

namespace nimbara {

const std::vector<HelpFileCommand>& helpFileCommands() {
    static const std::vector<HelpFileCommand> table = {
        {3301, "\\HELP\\CL.CHM"},   {3302, "\\HELP\\CL_1.CHM"}, {3303, "\\HELP\\CL_2.CHM"},
        {3304, "\\HELP\\CL_3.CHM"}, {3305, "\\HELP\\CL_4.CHM"}, {3306, "\\HELP\\CL_5.CHM"},
        {3307, "\\HELP\\CL_6.CHM"}, {3308, "\\HELP\\CL_7.CHM"}, {3309, "\\HELP\\CL_8.CHM"},
        {3310, "\\HELP\\CL_9.CHM"}, {3316, "\\HELP\\CM.CHM"},   {3317, "\\HELP\\CM_1.CHM"},
        {3318, "\\HELP\\CM_2.CHM"}, {3319, "\\HELP\\CM_3.CHM"}, {3320, "\\HELP\\CM_4.CHM"},
        {3321, "\\HELP\\CM_5.CHM"}, {3322, "\\HELP\\CM_6.CHM"}, {3323, "\\HELP\\CM_7.CHM"},
        {3324, "\\HELP\\CM_8.CHM"}, {3325, "\\HELP\\CM_9.CHM"}, {3331, "\\HELP\\CH.CHM"},
        {3332, "\\HELP\\CH_1.CHM"}, {3333, "\\HELP\\CH_2.CHM"}, {3334, "\\HELP\\CH_3.CHM"},
        {3335, "\\HELP\\CH_4.CHM"}, {3336, "\\HELP\\CH_5.CHM"}, {3337, "\\HELP\\CH_6.CHM"},
        {3338, "\\HELP\\CH_7.CHM"}, {3339, "\\HELP\\CH_8.CHM"}, {3340, "\\HELP\\CH_9.CHM"},
        {3351, "\\HELP\\ICE.CHM"},  {3355, "\\HELP\\WIND.CHM"},
    };
    return table;
}

const char* helpFileFor(int command) {
    const std::vector<HelpFileCommand>& table = helpFileCommands();
    const auto found =
        std::find_if(table.begin(), table.end(),
                     [command](const HelpFileCommand& row) { return row.command == command; });
    return found == table.end() ? nullptr : found->file;
}

void insertCloudPopups(TDecoratedFrame& frame) {
    QMenu* info = frame.popupAt(kInfoPopupPosition);
    if (info == nullptr) {
        return;
    }
    int position = 0;
    for (const MenuItemTemplate& popup : infoCloudPopups()) {
        frame.menuBuilder().insertPopup(info, position++, QString::fromLatin1(popup.text),
                                        popup.items);
    }
}

}  // namespace nimbara
