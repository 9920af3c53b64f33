#include "GoalLimits.h"

#include <algorithm>
#include <optional>

namespace rollwerk {

namespace {

// Whether a value above the answer's, up to the level, raises the skill's term.
bool MoreHelps(const Goal &goal, int skill, std::int32_t value)
{
    const std::int64_t now = SkillTerm(goal, skill, value);
    for (std::int32_t v = value + 1; v <= goal.level; ++v) {
        if (SkillTerm(goal, skill, v) > now)
            return true;
    }
    return false;
}

// Whether the answer holds the row's skills at the lowest value that meets its minimum.
bool HeldAtMinimum(const Goal &goal, const SkillValues &skills, int row)
{
    const std::int32_t minimum = goal.minimum.at(static_cast<std::size_t>(row - 1));
    if (minimum <= 0)
        return false;
    for (const int skill : BonusSourceSkills(row)) {
        SkillValues less = skills;
        const std::int32_t kept = goal.keepSpent ? goal.current[skill] : 0;
        if (less[skill] > std::max(kept, UnlockLevel(skill, goal.classColumn) == 0 ? 1 : 0)) {
            --less[skill];
            if (BonusRowValue(row, less) < minimum)
                return true;
        }
    }
    return false;
}

// The best plan of the goal without its minimums, solved once when a skill asks.
struct Unbounded {
    std::optional<GoalAnswer> answer;
};

SkillLimit Why(const Goal &goal, const GoalAnswer &answer, int skill, Unbounded &unbounded)
{
    const std::int32_t value = answer.skills[skill];
    SkillLimit limit{skill, value, Limit::Points, 0, 0};
    if (value == 0 && answer.freeSlots <= 0) {
        limit.limit = Limit::Slots;
        return limit;
    }
    const bool anyMinimum = std::any_of(goal.minimum.begin(), goal.minimum.end(), [](std::int32_t m) { return m > 0; });
    if (!anyMinimum)
        return limit;
    if (!unbounded.answer) {
        Goal without = goal;
        without.minimum.fill(0);
        unbounded.answer = Optimise(without);
    }
    if (!unbounded.answer->found || unbounded.answer->skills[skill] <= value)
        return limit;
    limit.limit = Limit::Minimum;
    int first = 0;
    for (int row = 1; row <= kBonusRowCount && limit.row == 0; ++row) {
        const std::span<const int> sources = BonusSourceSkills(row);
        if (first == 0 && goal.minimum.at(static_cast<std::size_t>(row - 1)) > 0)
            first = row;
        // A minimum of the skill's own rows pushes it up, not down.
        if (std::find(sources.begin(), sources.end(), skill) == sources.end()
            && HeldAtMinimum(goal, answer.skills, row))
            limit.row = row;
    }
    if (limit.row == 0)
        limit.row = first;
    for (const int source : BonusSourceSkills(limit.row))
        limit.required += answer.skills[source];
    return limit;
}

} // namespace

std::vector<SkillLimit> WhatStops(const Goal &goal, const GoalAnswer &answer)
{
    std::vector<SkillLimit> limits;
    if (!answer.found)
        return limits;
    Unbounded unbounded;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (UnlockLevel(s, goal.classColumn) > goal.level)
            continue;
        const std::int32_t value = answer.skills[s];
        if (value >= goal.level) {
            limits.push_back({s, value, Limit::Cap, 0, 0});
            continue;
        }
        if (!MoreHelps(goal, s, value)) {
            if (value > 0)
                limits.push_back({s, value, Limit::NothingMore, 0, 0});
            continue;
        }
        limits.push_back(Why(goal, answer, s, unbounded));
    }
    return limits;
}

} // namespace rollwerk
