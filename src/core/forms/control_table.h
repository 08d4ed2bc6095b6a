#pragma once
// A dialog's controls declared as data: one constant table per window, positions in twips
// relative to the frame a control sits in. The layout turns them into client pixels at a DPI.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace uplift {

enum class ControlKind {
    Panel,   // raised background behind everything
    Frame,   // group box; controls name it as their container
    Picture, // decorative image drawn by the form
    Label,   // text; with a buddy option, a click chooses it
    Option,  // option button without a caption of its own (its label is its text)
    Button,
    ColourButton,  // button without caption whose face shows a colour
    TextBox,       // single line
    DropDownList,  // no typing
    ListBox,       // several entries selected with click, Shift+click and Ctrl+click
    PictureButton, // button with a picture drawn by the form above its caption
    Separator,     // horizontal line drawn by the form
    Link,          // web address drawn by the form; a tab stop that Enter and Space open
};

// Flags of a control.
enum ControlFlag : unsigned {
    kGroup = 1,   // starts a group: a tab stop, arrow keys move within it
    kDefault = 2, // Enter presses it
    kCancel = 4,  // Escape presses it
};

struct TwipsRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

struct PixelBox {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

inline constexpr int kOptionTwips = 255; // option buttons are square

struct ControlSpec {
    ControlKind Kind;
    std::wstring_view Name;
    std::wstring_view Caption;
    std::wstring_view ToolTip;
    TwipsRect Twips; // an option's size may be left 0: it is kOptionTwips square
    int HelpId = 0;
    std::wstring_view Container = {}; // the frame it sits in; empty for the form itself
    std::wstring_view Buddy = {};     // a label's option, chosen by a click on the label
    unsigned Flags = 0;
};

std::optional<std::size_t> FindControl(std::span<const ControlSpec> table, std::wstring_view name);

// The control's rectangle in the form's client twips: its own offsets plus its frames'.
TwipsRect ClientTwips(std::span<const ControlSpec> table, std::size_t index);

// The same in pixels at `dpi`: edges are converted, not sizes, so neighbours that touch in
// twips touch in pixels.
PixelBox ClientPixels(std::span<const ControlSpec> table, std::size_t index, int dpi);

// Labels whose text is wider than their rectangle (another font than the one the table was laid
// out for) grow to `textWidths[i]`; a control to the right on the same row in the same frame then
// starts `gap` pixels after the label and keeps its right edge. Then every label takes the gap after
// it as far as nothing stands there. Other rectangles stay as they are.
void WidenLabels(std::span<const ControlSpec> table, std::span<PixelBox> rects,
                 std::span<const int> textWidths, int gap);

} // namespace uplift
