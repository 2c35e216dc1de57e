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
    Edit,  // a text field: one line, or several with EsMultiLine
    Icon,  // an icon at its own size; the text is the icon's resource id, e.g. "10"
};

// Style bits of a control in a template.
enum ControlStyle : unsigned {
    WsTabStop = 1u << 0,
    WsGroup = 1u << 1,  // starts a group: radio buttons up to the next WsGroup are exclusive
    WsDisabled = 1u << 2,
    SsCenter = 1u << 3,  // statics: centred text (left-aligned otherwise)
    EsReadOnly = 1u << 4,
    EsCenter = 1u << 5,      // edits: centred text
    EsRight = 1u << 6,       // edits: right-aligned text
    EsMultiLine = 1u << 7,   // edits: several lines, words wrapped at the right edge
    EsAutoScroll = 1u << 8,  // edits: the text runs on past the edge and scrolls, as Qt's always do
    WsExTransparent = 1u << 9,  // edits: no background of their own, the dialog shows through
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
    std::string caption;
    int x;
    int y;
    int width;
    int height;
    const char* fontFamily;
    int fontPointSize;
    std::vector<ControlTemplate> controls;
};

}  // namespace nimbara
