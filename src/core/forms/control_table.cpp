#include "forms/control_table.h"

#include "display/twips.h"

#include <algorithm>

namespace uplift {

std::optional<std::size_t> FindControl(std::span<const ControlSpec> table, std::wstring_view name) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].Name == name) return i;
    }
    return std::nullopt;
}

TwipsRect ClientTwips(std::span<const ControlSpec> table, std::size_t index) {
    const ControlSpec& spec = table[index];
    TwipsRect r = spec.Twips;
    if (spec.Kind == ControlKind::Option) {
        if (r.Width == 0) r.Width = kOptionTwips;
        if (r.Height == 0) r.Height = kOptionTwips;
    }
    // Frames nest; a container that is missing or names itself ends the walk.
    std::wstring_view container = spec.Container;
    for (std::size_t depth = 0; !container.empty() && depth < table.size(); ++depth) {
        const auto outer = FindControl(table, container);
        if (!outer || *outer == index) break;
        r.Left += table[*outer].Twips.Left;
        r.Top += table[*outer].Twips.Top;
        container = table[*outer].Container;
    }
    return r;
}

PixelBox ClientPixels(std::span<const ControlSpec> table, std::size_t index, int dpi) {
    const TwipsRect t = ClientTwips(table, index);
    const int left = TwipsToPixels(t.Left, dpi);
    const int top = TwipsToPixels(t.Top, dpi);
    return {left, top, TwipsToPixels(t.Left + t.Width, dpi) - left,
            TwipsToPixels(t.Top + t.Height, dpi) - top};
}

void WidenLabels(std::span<const ControlSpec> table, std::span<PixelBox> rects,
                 std::span<const int> textWidths, int gap) {
    for (std::size_t i = 0; i < table.size() && i < rects.size() && i < textWidths.size(); ++i) {
        if (table[i].Kind != ControlKind::Label || textWidths[i] <= rects[i].Width) continue;
        PixelBox& label = rects[i];
        label.Width = textWidths[i];
        const int right = label.Left + label.Width + gap;
        for (std::size_t j = 0; j < table.size() && j < rects.size(); ++j) {
            PixelBox& other = rects[j];
            const bool sameRow = other.Top < label.Top + label.Height && label.Top < other.Top + other.Height;
            if (j == i || table[j].Container != table[i].Container || !sameRow || other.Left <= label.Left ||
                other.Left >= right || table[j].Kind == ControlKind::Frame)
                continue;
            const int otherRight = other.Left + other.Width;
            other.Left = std::min(right, otherRight - 1);
            other.Width = otherRight - other.Left;
        }
    }
    // Every label also takes the gap after it where nothing stands: room for glyphs that reach past
    // their measured width.
    for (std::size_t i = 0; i < table.size() && i < rects.size(); ++i) {
        if (table[i].Kind != ControlKind::Label) continue;
        PixelBox& label = rects[i];
        int right = label.Left + label.Width + gap;
        for (std::size_t j = 0; j < table.size() && j < rects.size(); ++j) {
            const PixelBox& other = rects[j];
            const bool sameRow = other.Top < label.Top + label.Height && label.Top < other.Top + other.Height;
            if (j != i && table[j].Container == table[i].Container && sameRow && other.Left > label.Left &&
                table[j].Kind != ControlKind::Frame)
                right = std::min(right, other.Left);
        }
        label.Width = std::max(label.Width, right - label.Left);
    }
}

} // namespace uplift
