#pragma once
// Loading, saving and resetting the settings record against a store.

#include "common/regional_formats.h"
#include "schedule/clock.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"

#include <string_view>

namespace uplift {

inline constexpr std::wstring_view kDefaultMessage = L"I am super productive and successful";

// Everything the loaders need besides the store.
struct SettingsContext {
    const RegionalFormats& Formats;
    const Clock& Time;
    std::wstring_view DefaultMessage = kDefaultMessage;
};

// Reads every option of the record; defaults that depend on the clock are taken when read.
// `Pause` keeps the record's current selection when the stored one is unusable.
void LoadSettings(SettingsRecord& record, SettingsStore& store, const SettingsContext& context);
// Writes the options and the carried values (not `Enabled`); false when any write failed, after
// trying them all.
bool SaveSettings(const SettingsRecord& record, const CarriedValues& carried, SettingsStore& store,
                  const RegionalFormats& formats);
// The Default button: everything but the two pickers.
void ResetToDefaults(SettingsRecord& record, std::wstring_view defaultMessage = kDefaultMessage);

// LastMessageKey, LastMessageDate and Enabled, read at start-up before the record.
CarriedValues LoadCarriedValues(SettingsStore& store, const SettingsContext& context);
bool SaveEnabled(bool enabled, SettingsStore& store);

// The stored texts of the two pickers.
std::wstring DateValueText(const SettingsRecord& record, const RegionalFormats& formats);
std::wstring EverydayValueText(const SettingsRecord& record, const RegionalFormats& formats);

} // namespace uplift
