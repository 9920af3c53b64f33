#include "Budget.h"

#include <gtest/gtest.h>

namespace rollwerk {
namespace {

// The running total as stated level by level, to check the closed form against.
std::int64_t RunningTotal(int level)
{
    std::int64_t total = 0;
    for (int i = 1; i <= level; ++i)
        total += i == 1 ? 0 : i == 2 ? 1 : i <= 11 ? 2 : i <= 29 ? 3 : 4;
    return total;
}

TEST(Budget, ClosedFormMatchesTheRunningTotal)
{
    for (int level = -99; level <= 999; ++level)
        ASSERT_EQ(SkillPointBudget(level), RunningTotal(level) + 2) << level;
    const std::array<std::pair<int, int>, 11> table = {
        {{1, 0}, {2, 1}, {3, 3}, {11, 19}, {12, 22}, {29, 73}, {30, 77}, {49, 153}, {50, 157}, {100, 357}, {250, 957}}};
    for (auto [level, total] : table)
        EXPECT_EQ(SkillPointBudget(level), total + 2) << level;
}

TEST(Budget, FreeSkillPoints)
{
    SkillValues values;
    EXPECT_EQ(FreeSkillPoints(250, values), 959);
    EXPECT_EQ(FreeSkillPoints(0, values), 2);
    values[1] = 1;
    values[18] = 1;
    EXPECT_EQ(FreeSkillPoints(1, values), 0);
    EXPECT_EQ(FreeSkillPoints(2, values), 1);
    values[5] = 12;
    values[3] = 8;
    EXPECT_EQ(FreeSkillPoints(3, values), -17);
    EXPECT_EQ(FreeSkillPoints(-99, values), 2 - 22);
}

TEST(Budget, ExtremeValuesDoNotOverflow)
{
    SkillValues values;
    values.items.fill(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(FreeSkillPoints(std::numeric_limits<std::int32_t>::max(), values),
        4 * std::int64_t{std::numeric_limits<std::int32_t>::max()} - 41
            - 28 * std::int64_t{std::numeric_limits<std::int32_t>::max()});
}

TEST(Budget, SkillSlotsFollowTheLevelSteps)
{
    const std::array<std::pair<int, int>, 14> table = {{{1, 2}, {2, 2}, {3, 3}, {5, 3}, {6, 4}, {11, 4}, {12, 5},
        {19, 5}, {20, 6}, {29, 6}, {30, 7}, {49, 7}, {50, 8}, {250, 8}}};
    for (auto [level, slots] : table)
        EXPECT_EQ(SkillSlots(level), slots) << level;
    for (int level : {0, -1, -99, 251, 999})
        EXPECT_FALSE(SkillSlots(level)) << level;
}

TEST(Budget, ChosenSkillCountCountsPositiveValues)
{
    SkillValues values;
    values[1] = 1;
    values[2] = -5;
    values[28] = 300;
    EXPECT_EQ(ChosenSkillCount(values), 2);
}

} // namespace
} // namespace rollwerk
