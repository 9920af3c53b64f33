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

// The texts the planner keeps per bonus row 1..45; the value lives as text
// between steps, and row 22's second contribution reads the first back.
// The lines of the bonus list, shared and never changed once built, so that
// a snapshot of the plan can hold them without copying.
using BonusLines = std::shared_ptr<const std::vector<std::string>>;

struct BonusTexts {
    std::array<std::string, kBonusRowCount> label;
    std::array<std::string, kBonusRowCount> valueText;
    std::array<std::string, kBonusRowCount> suffix;
    // The lines made from the value texts of the last rebuild: a rebuild
    // that ends with the same value texts hands them out again.
    BonusLines lastLines;
    std::array<std::int64_t, kBonusRowCount> lastValues{};

    // Labels, suffixes (" %", none for rows 27 to 29) and values "0".
    void Initialise();
    std::string &Label(int row) { return label.at(static_cast<std::size_t>(row - 1)); }
    std::string &ValueText(int row) { return valueText.at(static_cast<std::size_t>(row - 1)); }
    std::string &Suffix(int row) { return suffix.at(static_cast<std::size_t>(row - 1)); }
    // The value a row's text holds, as the list shows it.
    std::int64_t RowValue(int row) const;
};

std::string_view BonusLabel(int row);
// " %", or nothing for the rows that show a skill value itself (27 to 29).
std::string_view BonusSuffix(int row);

// The value of one row for the skill values, as a rebuild computes it.
std::int64_t BonusRowValue(int row, const SkillValues &skills);
// The rows whose value follows from a skill, in row order.
std::span<const int> BonusRowsOfSkill(int skill);
// The skills a row follows, in skill order (two for the defence row).
std::span<const int> BonusSourceSkills(int row);
// The line a row shows in the list; empty when the row is left out (value 0 or less).
std::string BonusLine(int row, std::int64_t value);

// Rewrites the value texts from the skill values and returns the list's lines.
BonusLines RebuildBonusTexts(BonusTexts &texts, const SkillValues &skills);

} // namespace rollwerk
