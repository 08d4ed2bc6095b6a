#pragma once
// The list editor's list apart from its window: the entries, the current entry (the one with the
// focus rectangle) and the set of selected entries, with the procedures that change them. The
// editor's list box shows it; the user's own choices in the list box come back through Choose.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace uplift {

class ListModel {
public:
    // Entry indexes are 16-bit signed numbers: the list holds at most this many entries.
    static constexpr std::size_t kMaxEntries = 32767;

    ListModel() = default;
    // The list as read from the file, up to kMaxEntries; nothing current or selected.
    explicit ListModel(std::vector<std::wstring> entries);

    const std::vector<std::wstring>& Entries() const { return entries_; }
    std::optional<std::size_t> Current() const { return current_; }
    bool Selected(std::size_t index) const { return index < selected_.size() && selected_[index]; }
    bool Full() const { return entries_.size() >= kMaxEntries; }

    // The user's choice in the list box: its focus rectangle and its selected entries.
    void Choose(std::optional<std::size_t> current, std::span<const std::size_t> selected);

    // List click procedure: `show` gets the current entry's text (empty without one) while
    // Editing is set, so that the change of the text box it causes is not written back.
    template <typename Show> void ListClick(Show&& show) {
        Editing = true;
        show(current_ ? std::wstring_view(entries_[*current_]) : std::wstring_view());
        Editing = false;
    }

    // Text change procedure: the current entry takes the whole text. Nothing changes while
    // Editing or without a current entry; true when the entry changed.
    bool TextChanged(std::wstring_view text);

    // Add procedure: everything deselected, an empty entry appended, current and selected.
    // False, with nothing changed, when the list is full.
    bool Add();

    // Delete procedure: every selected entry goes, the others keep their order. A current entry
    // that stays stays current; one that goes leaves the entry now in its place (or the last)
    // current. The current entry is then selected. Returns the indexes removed, ascending.
    std::vector<std::size_t> Delete();

    // Appends the texts at the end, as many as fit; returns how many did.
    std::size_t Append(std::span<const std::wstring> texts);

    // After-add procedure: the first entry becomes current when none is; the current is selected.
    void AfterAdd();

    bool Editing = false;

private:
    std::vector<std::wstring> entries_;
    std::vector<bool> selected_;
    std::optional<std::size_t> current_;
};

} // namespace uplift
