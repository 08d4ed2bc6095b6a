#pragma once
// The two duration lists: how long an affirmation stays (cboTime, milliseconds) and the pause
// between showings (cboPause, seconds). Texts as the lists show them.

#include <array>
#include <optional>
#include <string_view>

namespace uplift {

struct DurationEntry {
    std::wstring_view Text;
    int Value;
};

inline constexpr std::array<DurationEntry, 23> kTimeLengths{{
    {L"1 millisecond", 1},     {L"2 millisecond", 2},     {L"5 millisecond", 5},
    {L"10 millisecond", 10},   {L"20 millisecond", 20},   {L"30 millisecond", 30},
    {L"40 millisecond", 40},   {L"50 millisecond", 50},   {L"75 millisecond", 75},
    {L"100 millisecond", 100}, {L"200 millisecond", 200}, {L"300 millisecond", 300},
    {L"400 millisecond", 400}, {L"500 millisecond", 500}, {L"750 millisecond", 750},
    {L"1 second", 1000},       {L"2 seconds", 2000},      {L"3 seconds", 3000},
    {L"4 seconds", 4000},      {L"5 seconds", 5000},      {L"10 seconds", 10000},
    {L"20 seconds", 20000},    {L"30 seconds", 30000},
}};

inline constexpr std::array<DurationEntry, 21> kPauses{{
    {L"1 second", 1},      {L"2 seconds", 2},     {L"3 seconds", 3},     {L"4 seconds", 4},
    {L"5 seconds", 5},     {L"10 seconds", 10},   {L"20 seconds", 20},   {L"30 seconds", 30},
    {L"40 seconds", 40},   {L"50 seconds", 50},   {L"1 minuet", 60},     {L"2 minuets", 120},
    {L"3 minuets", 180},   {L"4 minuets", 240},   {L"5 minuets", 300},   {L"10 minuets", 600},
    {L"20 minuets", 1200}, {L"30 minuets", 1800}, {L"40 minuets", 2400}, {L"50 minuets", 3000},
    {L"1 hour", 3600},
}};

template <std::size_t N>
constexpr std::optional<int> ItemValue(const std::array<DurationEntry, N>& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return std::nullopt;
    return list[static_cast<std::size_t>(index)].Value;
}

} // namespace uplift
