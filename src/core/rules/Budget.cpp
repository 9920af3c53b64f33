#include "Budget.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace rollwerk {

std::int64_t SkillPointBudget(std::int32_t level)
{
    // Closed form of the running total: level 2 grants 1 point, levels 3..11
    // grant 2, levels 12..29 grant 3 and every level from 30 on grants 4.
    const std::int64_t l = level;
    if (l <= 1)
        return 2;
    if (l == 2)
        return 3;
    if (l <= 11)
        return 2 * l - 1;
    if (l <= 29)
        return 3 * l - 12;
    return 4 * l - 41;
}

std::int64_t FreeSkillPoints(std::int32_t level, const SkillValues &values)
{
    const std::int64_t spent = std::accumulate(values.items.begin(), values.items.end(), std::int64_t{0});
    return SkillPointBudget(level) - spent;
}

std::optional<int> SkillSlots(std::int32_t level)
{
    struct Step {
        int fromLevel;
        int slots;
    };
    static constexpr std::array<Step, 7> kSteps = {{{50, 8}, {30, 7}, {20, 6}, {12, 5}, {6, 4}, {3, 3}, {1, 2}}};
    if (level < kMinLevel || level > kMaxLevel)
        return std::nullopt;
    for (const Step &step : kSteps) {
        if (level >= step.fromLevel)
            return step.slots;
    }
    return std::nullopt;
}

int ChosenSkillCount(const SkillValues &values)
{
    return static_cast<int>(
        std::count_if(values.items.begin(), values.items.end(), [](std::int32_t v) { return v > 0; }));
}

} // namespace rollwerk
