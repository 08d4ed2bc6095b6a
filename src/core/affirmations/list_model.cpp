#include "affirmations/list_model.h"

#include <algorithm>

namespace uplift {

ListModel::ListModel(std::vector<std::wstring> entries) : entries_(std::move(entries)) {
    if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
    selected_.assign(entries_.size(), false);
}

void ListModel::Choose(std::optional<std::size_t> current, std::span<const std::size_t> selected) {
    current_ = current && *current < entries_.size() ? current : std::nullopt;
    selected_.assign(entries_.size(), false);
    for (const std::size_t index : selected)
        if (index < entries_.size()) selected_[index] = true;
}

bool ListModel::TextChanged(std::wstring_view text) {
    if (Editing || !current_ || entries_[*current_] == text) return false;
    entries_[*current_] = std::wstring(text);
    return true;
}

bool ListModel::Add() {
    if (Full()) return false;
    entries_.emplace_back();
    selected_.assign(entries_.size(), false);
    selected_.back() = true;
    current_ = entries_.size() - 1;
    return true;
}

std::vector<std::size_t> ListModel::Delete() {
    std::vector<std::size_t> removed;
    std::size_t kept = 0;
    std::optional<std::size_t> current;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (current_ == i) current = kept; // the entry itself, or the first one after it that stays
        if (selected_[i]) {
            removed.push_back(i);
        } else {
            if (kept != i) entries_[kept] = std::move(entries_[i]);
            ++kept;
        }
    }
    entries_.resize(kept);
    selected_.assign(kept, false);
    current_ = current && kept ? std::optional(std::min(*current, kept - 1)) : std::nullopt;
    if (current_) selected_[*current_] = true;
    return removed;
}

std::size_t ListModel::Append(std::span<const std::wstring> texts) {
    const std::size_t count = std::min(texts.size(), kMaxEntries - entries_.size());
    entries_.insert(entries_.end(), texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(count));
    selected_.resize(entries_.size(), false);
    return count;
}

void ListModel::AfterAdd() {
    if (!current_ && !entries_.empty()) current_ = 0;
    if (current_) selected_[*current_] = true;
}

} // namespace uplift
