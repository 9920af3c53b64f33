#include "GoalLimits.h"

#include "LevelPath.h"

#include <algorithm>
#include <optional>

namespace rollwerk {

namespace {

// The next value above the answer's, up to the level, that raises the skill's term.
std::optional<std::int32_t> NextThatHelps(const Goal &goal, int skill, std::int32_t value)
{
    const std::int64_t now = SkillTerm(goal, skill, value);
    for (std::int32_t v = value + 1; v <= goal.level; ++v) {
        if (SkillTerm(goal, skill, v) > now)
            return v;
    }
    return std::nullopt;
}

// The lowest value a skill may hold in any plan of the goal.
std::int32_t Lowest(const Goal &goal, int skill)
{
    return std::max(goal.keepSpent ? goal.current[skill] : 0, UnlockLevel(skill, goal.classColumn) == 0 ? 1 : 0);
}

// The minimum that alone forbids a better plan: the answer with the skill at
// next and the points it lacks taken from one skill of another row with a
// minimum. The first such row, or 0.
int MinimumInTheWay(const Goal &goal, const GoalAnswer &answer, int skill, std::int32_t next)
{
    const std::int64_t lacking = next - answer.skills[skill] - answer.freePoints;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        const std::int32_t minimum = goal.minimum.at(static_cast<std::size_t>(row - 1));
        const std::span<const int> sources = BonusSourceSkills(row);
        if (minimum <= 0 || std::find(sources.begin(), sources.end(), skill) != sources.end())
            continue;
        for (const int source : sources) {
            SkillValues exchanged = answer.skills;
            exchanged[skill] = next;
            exchanged[source] -= static_cast<std::int32_t>(lacking);
            if (exchanged[source] < Lowest(goal, source) || !ValidAtLevel(goal.classColumn, goal.level, exchanged)
                || GoalObjective(goal, exchanged) <= answer.objective)
                continue;
            // Better and valid: the answer does not have it only because of this minimum.
            bool onlyThis = BonusRowValue(row, exchanged) < minimum;
            for (int other = 1; other <= kBonusRowCount && onlyThis; ++other)
                onlyThis = other == row
                    || BonusRowValue(other, exchanged) >= goal.minimum.at(static_cast<std::size_t>(other - 1));
            if (onlyThis)
                return row;
        }
    }
    return 0;
}

SkillLimit Why(const Goal &goal, const GoalAnswer &answer, int skill, std::int32_t next)
{
    const std::int32_t value = answer.skills[skill];
    SkillLimit limit{skill, value, Limit::Points, 0, 0};
    if (value == 0 && answer.freeSlots <= 0) {
        limit.limit = Limit::Slots;
        return limit;
    }
    if (const int row = MinimumInTheWay(goal, answer, skill, next); row != 0) {
        limit.limit = Limit::Minimum;
        limit.row = row;
        for (const int source : BonusSourceSkills(row))
            limit.required += answer.skills[source];
    }
    return limit;
}

} // namespace

std::vector<SkillLimit> WhatStops(const Goal &goal, const GoalAnswer &answer)
{
    std::vector<SkillLimit> limits;
    if (!answer.found)
        return limits;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (UnlockLevel(s, goal.classColumn) > goal.level)
            continue;
        const std::int32_t value = answer.skills[s];
        if (value >= goal.level) {
            limits.push_back({s, value, Limit::Cap, 0, 0});
            continue;
        }
        const std::optional<std::int32_t> next = NextThatHelps(goal, s, value);
        if (!next) {
            if (value > 0)
                limits.push_back({s, value, Limit::NothingMore, 0, 0});
            continue;
        }
        limits.push_back(Why(goal, answer, s, *next));
    }
    return limits;
}

} // namespace rollwerk
