#pragma once

// The 45 bonus rows and the rebuild of the bonus list from the skill values.

#include "Budget.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

inline constexpr int kBonusRowCount = 45;

using BonusRowValues = std::array<std::int64_t, kBonusRowCount>; // row r at index r - 1

// What the bonus list shows: the value of every row as its text held after
// a rebuild, and the lines made from them. Shared and never changed once
// built, so that a snapshot of the plan holds them without copying, and
// every reader (the views, the history, the comparison, the goals window)
// reads the one copy.
struct ShownBonuses {
    BonusRowValues values{};
    std::vector<std::string> lines;
    friend bool operator==(const ShownBonuses &, const ShownBonuses &) = default;
};
using BonusLines = std::shared_ptr<const ShownBonuses>;

// Equal when both hold the same values and lines (the same rebuild, or an equal one).
bool SameBonuses(const BonusLines &a, const BonusLines &b);

// The texts the planner keeps per bonus row 1..45; the value lives as text
// between steps, and row 22's second contribution reads the first back.
struct BonusTexts {
    std::array<std::string, kBonusRowCount> label;
    std::array<std::string, kBonusRowCount> valueText;
    std::array<std::string, kBonusRowCount> suffix;
    // What the last rebuild showed: a rebuild that ends with the same value
    // texts hands it out again.
    BonusLines last;

    // Labels, suffixes (" %", none for rows 27 to 29) and values "0".
    void Initialise();
    std::string &Label(int row) { return label.at(static_cast<std::size_t>(row - 1)); }
    std::string &ValueText(int row) { return valueText.at(static_cast<std::size_t>(row - 1)); }
    std::string &Suffix(int row) { return suffix.at(static_cast<std::size_t>(row - 1)); }
    // Puts back the value texts a rebuild left for what the list shows (undo).
    void Restore(const BonusLines &shown);
};

std::string_view BonusLabel(int row);
// " %", or nothing for the rows that show a skill value itself (27 to 29).
std::string_view BonusSuffix(int row);

// The row's label without its ": +" ("Lebensenergie").
std::string RowName(int row);
// A row value as the list shows it: "+85 %", "+7"; "0" when the row is left out.
std::string RowValueText(int row, std::int64_t value);

// The value of one row for the skill values, as a rebuild computes it.
std::int64_t BonusRowValue(int row, const SkillValues &skills);
// The rows whose value follows from a skill, in row order.
std::span<const int> BonusRowsOfSkill(int skill);
// The skills a row follows, in skill order (two for the defence row).
std::span<const int> BonusSourceSkills(int row);
// The line a row shows in the list; empty when the row is left out (value 0 or less).
std::string BonusLine(int row, std::int64_t value);

// Rewrites the value texts from the skill values and returns what the list shows.
BonusLines RebuildBonusTexts(BonusTexts &texts, const SkillValues &skills);

} // namespace rollwerk
