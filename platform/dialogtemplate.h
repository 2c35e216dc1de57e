#pragma once

#include <string>
#include <vector>

namespace nimbara {

// The kinds of control a dialog template can hold.
enum class ControlKind {
    GroupBox,
    AutoRadioButton,
    Static,
    PushButton,
    DefPushButton,
    EtchedHorizontal,
};

// Style bits of a control in a template.
enum ControlStyle : unsigned {
    WsTabStop = 1u << 0,
    WsGroup = 1u << 1,  // starts a group: radio buttons up to the next WsGroup are exclusive
    WsDisabled = 1u << 2,
    SsCenter = 1u << 3,  // statics: centred text (left-aligned otherwise)
};

// A control at its place in dialog units. id -1 marks a control the program never addresses.
struct ControlTemplate {
    ControlKind kind;
    int id;
    std::string text;
    int x;
    int y;
    int width;
    int height;
    unsigned style = 0;
};

// A dialog template: a centred popup with caption, system menu and modal frame, laid out in
// dialog units of its font.
struct DialogTemplate {
    int id;
    const char* caption;
    int x;
    int y;
    int width;
    int height;
    const char* fontFamily;
    int fontPointSize;
    std::vector<ControlTemplate> controls;
};

}  // namespace nimbara
