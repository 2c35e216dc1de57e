#include "resources/infotemplates.h"

#include "resources/resourceids.h"

namespace nimbara {

DialogTemplate aboutDialogTemplate() {
    constexpr unsigned kLinkStyle = EsReadOnly | EsCenter | EsAutoScroll | WsExTransparent;
    return {IDD_ABOUT,
            "About Nimbara",
            0,
            0,
            240,
            177,
            "MS Sans Serif",
            8,
            {
                {ControlKind::GroupBox, -1, "", 15, 8, 210, 135, 0},
                {ControlKind::Static, -1, "version 2.2 (build 16072008)", 20, 18, 200, 8, SsCenter},
                {ControlKind::Static, -1, "Free for the training of weather observers", 20, 26, 200,
                 8, SsCenter},
                {ControlKind::Icon, -1, "10", 110, 48, 21, 20, 0},
                {ControlKind::Edit, IDC_HYPERLINK, "Visit the Nimbara (Tolvane) Web Site", 20, 80,
                 200, 12, kLinkStyle},
                {ControlKind::Static, -1, " Developed and built by the Nimbara team", 20, 104, 200,
                 8, 0},
                {ControlKind::Static, -1, " Cloud photos: national weather services", 20, 112, 200,
                 8, 0},
                {ControlKind::Static, -1, " Ice and sea photos: ice and marine services", 20, 120,
                 200, 8, 0},
                {ControlKind::Static, -1, " Thanks to every observer who took a photo", 20, 128,
                 200, 8, 0},
                {ControlKind::EtchedHorizontal, -1, "", 15, 153, 210, 1, 0},
                {ControlKind::DefPushButton, 1, "OK", 95, 159, 50, 14, WsTabStop},
            }};
}

DialogTemplate linkPageTemplate() {
    return {IDD_LINK_PAGE,
            "General",
            0,
            0,
            265,
            169,
            "MS Sans Serif",
            8,
            {
                {ControlKind::Icon, -1, "10107", 7, 7, 16, 16, 0},
                {ControlKind::Edit, IDC_LINK_NAME, "", 44, 14, 212, 25,
                 EsReadOnly | EsMultiLine | EsAutoScroll | WsTabStop},
                {ControlKind::EtchedHorizontal, -1, "", 7, 44, 253, 1, 0},
                {ControlKind::Static, IDC_LINK_ADDRESS_LABEL, "Address (URL):", 7, 60, 33, 24, 0},
                {ControlKind::Edit, IDC_LINK_URL, "", 44, 63, 212, 14,
                 EsReadOnly | EsAutoScroll | WsTabStop},
            }};
}

}  // namespace nimbara
