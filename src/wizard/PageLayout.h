#pragma once

#include <span>

class QWidget;

// One control of a page as the page is laid out: kind, object name, text,
// position in twips relative to its container, and its state at start.
struct ControlSpec
{
    enum Kind {
        Label,          // plain text, never rich text
        Notice,         // a label that tells of something that has happened, read out by screen readers
        Option,         // option button; buttons sharing a container form a group
        CheckBox,       // check box, ticked at start when `set`
        LineBox,        // single-line text box
        TextBox,        // multi-line text box with a vertical scroll bar, CR LF lines
        Button,
        HelpIcon,       // small help picture
        Slider,         // horizontal, 5 to 80
        ProgressBar,
        BorderedFrame,  // frame with a border and no caption
        PlainFrame,     // borderless frame, groups option buttons
        VerticalLine,
    };

    Kind kind;
    const char *name;
    const char *text;
    int left, top, width, height; // twips
    const char *container = nullptr; // a frame of the same page, or the page itself
    bool hidden = false;
    bool set = false; // option buttons and check boxes: chosen at start
};

// Creates the controls on `page` in the given order (later ones lie above
// earlier ones). Containers must come before what they contain.
void buildControls(QWidget *page, std::span<const ControlSpec> controls);
