// The levelling path against every valid plan at every level of low
// targets, and against a plain search for the best plan under per-skill
// upper bounds at every level of high targets.

#include "LevelPath.h"
#include "GoalLimits.h"
#include "GoalTexts.h"
#include "PathTexts.h"
#include "RandomUser.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <random>

namespace rollwerk {
namespace {

using testing::RandomSeed;

int Uniform(std::mt19937 &random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

std::int64_t Points(const SkillValues &skills)
{
    return std::accumulate(skills.items.begin(), skills.items.end(), std::int64_t{0});
}

bool Between(const SkillValues &low, const SkillValues &x, const SkillValues &high)
{
    for (int s = 1; s <= kSkillCount; ++s) {
        if (x[s] < low[s] || x[s] > high[s])
            return false;
    }
    return true;
}

// Weights on about half the rows, sometimes a minimum on one row, and a
// shown plan a few levels below the target that the goal may keep.
struct RandomCase {
    Goal goal;
    std::int32_t shownLevel = 1;
};

RandomCase RandomPathCase(std::mt19937 &random, int classColumn, std::int32_t level)
{
    RandomCase c;
    Goal &goal = c.goal;
    goal.classColumn = classColumn;
    goal.level = level;
    goal.keepSpent = Uniform(random, 0, 1) == 1;
    for (int row = 1; row <= kBonusRowCount; ++row)
        goal.weight.at(static_cast<std::size_t>(row - 1)) = Uniform(random, 0, 1) ? Uniform(random, 1, 10) : 0;
    c.shownLevel = Uniform(random, 1, level);
    std::int64_t points = SkillPointBudget(c.shownLevel) - 2;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (UnlockLevel(s, classColumn) == 0)
            goal.current[s] = 1;
    }
    for (int n = Uniform(random, 0, 2); n > 0 && points > 0; --n) {
        const int s = Uniform(random, 1, kSkillCount);
        if (UnlockLevel(s, classColumn) > c.shownLevel)
            continue;
        const std::int32_t add = Uniform(random, 0, static_cast<int>(std::min<std::int64_t>(points, 3)));
        goal.current[s] = std::min(goal.current[s] + add, c.shownLevel);
        points -= add;
    }
    if (Uniform(random, 0, 2) == 0) {
        const int row = Uniform(random, 1, kBonusRowCount);
        SkillValues some;
        for (const int s : BonusSourceSkills(row))
            some[s] = Uniform(random, 1, std::max(1, level / 3));
        if (RowReachable(row, classColumn, level))
            goal.minimum.at(static_cast<std::size_t>(row - 1)) = static_cast<std::int32_t>(BonusRowValue(row, some));
    }
    return c;
}

// The path's order among plans at one level: the objective, the points, the
// skills, then skill by skill the higher value. Larger is better.
std::vector<std::int64_t> PathRank(const Goal &goal, const SkillValues &skills)
{
    Goal weightsOnly = goal;
    weightsOnly.minimum.fill(0);
    std::vector<std::int64_t> rank{GoalObjective(weightsOnly, skills), Points(skills), ChosenSkillCount(skills)};
    rank.insert(rank.end(), skills.items.begin(), skills.items.end());
    return rank;
}

// Every valid plan of the class at the level.
void EveryPlan(int classColumn, std::int32_t level, int skill, SkillValues &plan, std::vector<SkillValues> &plans)
{
    if (skill > kSkillCount) {
        if (ValidAtLevel(classColumn, level, plan))
            plans.push_back(plan);
        return;
    }
    const std::int32_t high = UnlockLevel(skill, classColumn) <= level ? level : 0;
    const std::int64_t spent = Points(plan); // of the skills before this one
    for (std::int32_t v = 0; v <= high && spent + v <= SkillPointBudget(level); ++v) {
        plan[skill] = v;
        EveryPlan(classColumn, level, skill + 1, plan, plans);
    }
    plan[skill] = 0;
}

struct LowTarget {
    int classColumn;
    std::int32_t level;
};

void PrintTo(const LowTarget &p, std::ostream *out)
{
    *out << kClassNames.at(static_cast<std::size_t>(p.classColumn)) << " to level " << p.level;
}

class PathAgainstEveryPlan : public ::testing::TestWithParam<LowTarget> { };

// Down from the goal's answer, at every level the best of all valid plans
// of that level between the start and the plan above; before the first
// level at which the start is valid, nothing.
TEST_P(PathAgainstEveryPlan, EachLevelIsTheBestBelowTheLevelAbove)
{
    const auto [classColumn, target] = GetParam();
    std::map<std::int32_t, std::vector<SkillValues>> plans;
    for (std::int32_t level = 1; level <= target; ++level) {
        SkillValues plan;
        EveryPlan(classColumn, level, 1, plan, plans[level]);
    }
    std::mt19937 random(RandomSeed(static_cast<std::uint32_t>(classColumn * 100 + target)));
    for (int round = 0; round < 8; ++round) {
        const RandomCase c = RandomPathCase(random, classColumn, target);
        const GoalAnswer answer = Optimise(c.goal);
        const LevelPath path = PathToGoal(c.goal, c.shownLevel, answer);
        ASSERT_EQ(path.found, answer.found);
        if (!answer.found)
            continue;
        SkillValues start;
        for (int s = 1; s <= kSkillCount; ++s)
            start[s] = std::max(c.goal.keepSpent ? c.goal.current[s] : 0, UnlockLevel(s, classColumn) == 0 ? 1 : 0);
        std::int32_t first = c.goal.keepSpent ? c.shownLevel : 1;
        const auto valid = [&](std::int32_t level) {
            return std::find(plans[level].begin(), plans[level].end(), start) != plans[level].end();
        };
        while (first < target && !valid(first))
            ++first;

        std::vector<PathStep> expected{{target, answer.skills, 0}};
        for (std::int32_t level = target - 1; level >= first; --level) {
            std::optional<SkillValues> best;
            for (const SkillValues &plan : plans[level]) {
                if (Between(start, plan, expected.back().skills)
                    && (!best || PathRank(c.goal, plan) > PathRank(c.goal, *best)))
                    best = plan;
            }
            ASSERT_TRUE(best) << "level " << level;
            expected.push_back({level, level == first ? start : *best, 0});
        }
        ASSERT_EQ(path.steps.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const PathStep &step = path.steps.at(path.steps.size() - 1 - i);
            EXPECT_EQ(step.level, expected[i].level) << "round " << round;
            EXPECT_EQ(step.skills, expected[i].skills) << "round " << round << " level " << step.level;
            EXPECT_EQ(step.objective, PathRank(c.goal, step.skills).front());
        }
    }
}

std::vector<LowTarget> LowTargets()
{
    std::vector<LowTarget> targets;
    for (int c = 0; c < kClassCount; ++c) {
        for (std::int32_t level = 2; level <= 6; ++level)
            targets.push_back({c, level});
    }
    return targets;
}

INSTANTIATE_TEST_SUITE_P(EveryClassTargetsTwoToSix, PathAgainstEveryPlan, ::testing::ValuesIn(LowTargets()));

// A second method, written apart from the path's: a plain knapsack over the
// points spent and the skills chosen, each skill tried at every value from
// its lower to its upper bound, every term read from the bonus table for a
// plan of that skill alone. It answers the best objective, then the most
// points, then the most skills.
std::vector<std::int64_t> PlainBestUnderBounds(const Goal &goal, const std::vector<std::vector<std::int64_t>> &worth,
    std::int32_t level, const SkillValues &low, const SkillValues &high)
{
    const auto budget = static_cast<std::size_t>(SkillPointBudget(level));
    const int slots = *SkillSlots(level);
    constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();
    // best[k][p]: the highest objective with exactly p points and k skills.
    std::vector<std::vector<std::int64_t>> best(
        static_cast<std::size_t>(slots) + 1, std::vector<std::int64_t>(budget + 1, kNone));
    best[0][0] = 0;
    for (int s = 1; s <= kSkillCount; ++s) {
        const std::int32_t top = UnlockLevel(s, goal.classColumn) <= level ? std::min(high[s], level) : 0;
        std::vector<std::vector<std::int64_t>> next(best.size(), std::vector<std::int64_t>(budget + 1, kNone));
        for (std::int32_t v = low[s]; v <= top; ++v) {
            const int k = v > 0 ? 1 : 0;
            for (std::size_t used = 0; used + static_cast<std::size_t>(k) < best.size(); ++used) {
                for (std::size_t p = 0; p + static_cast<std::size_t>(v) <= budget; ++p) {
                    if (best[used][p] == kNone)
                        continue;
                    std::int64_t &to = next[used + static_cast<std::size_t>(k)][p + static_cast<std::size_t>(v)];
                    to = std::max(to, best[used][p] + worth[static_cast<std::size_t>(s)][static_cast<std::size_t>(v)]);
                }
            }
        }
        best = std::move(next);
    }
    std::vector<std::int64_t> answer;
    for (std::size_t k = 0; k < best.size(); ++k) {
        for (std::size_t p = 0; p <= budget; ++p) {
            const std::vector<std::int64_t> here{
                best[k][p], static_cast<std::int64_t>(p), static_cast<std::int64_t>(k)};
            if (best[k][p] != kNone && (answer.empty() || here > answer))
                answer = here;
        }
    }
    return answer;
}

TEST(PathAgainstPlainSearch, SameBestUnderTheLevelAboveAtEveryLevel)
{
    std::mt19937 random(RandomSeed(23));
    const std::vector<std::int32_t> targets{250, 50, 73, 12, 30, 121, 49, 90};
    for (std::size_t round = 0; round < targets.size(); ++round) {
        const int classColumn = static_cast<int>(round % kClassCount);
        RandomCase c = RandomPathCase(random, classColumn, targets[round]);
        if (round == 0)
            c.goal.weight.fill(kMaxGoalWeight); // every row weighted
        const LevelPath path = PathToGoal(c.goal, c.shownLevel);
        ASSERT_TRUE(path.found) << path.reason;
        std::vector<std::vector<std::int64_t>> worth(kSkillCount + 1);
        for (int s = 1; s <= kSkillCount; ++s) {
            for (std::int32_t v = 0; v <= c.goal.level; ++v) {
                SkillValues alone;
                alone[s] = v;
                std::int64_t w = 0;
                for (const int row : BonusRowsOfSkill(s))
                    w += c.goal.weight.at(static_cast<std::size_t>(row - 1)) * BonusRowValue(row, alone);
                worth[static_cast<std::size_t>(s)].push_back(w);
            }
        }
        const SkillValues &start = path.steps.front().skills;
        for (std::size_t i = 0; i + 1 < path.steps.size(); ++i) {
            const PathStep &step = path.steps[i];
            const PathStep &above = path.steps[i + 1];
            ASSERT_EQ(above.level, step.level + 1);
            ASSERT_TRUE(ValidAtLevel(classColumn, step.level, step.skills)) << "level " << step.level;
            ASSERT_TRUE(Between(start, step.skills, above.skills)) << "level " << step.level;
            if (i == 0)
                continue; // the start is given, not chosen
            const std::vector<std::int64_t> plain
                = PlainBestUnderBounds(c.goal, worth, step.level, start, above.skills);
            const std::vector<std::int64_t> rank = PathRank(c.goal, step.skills);
            EXPECT_EQ(plain, std::vector<std::int64_t>(rank.begin(), rank.begin() + 3))
                << "round " << round << " level " << step.level;
        }
        EXPECT_EQ(path.steps.back().skills, Optimise(c.goal).skills);
        EXPECT_EQ(path.steps.back().level, c.goal.level);
    }
}

// The shown plan is kept: the path starts with it at its level; a plan that
// does not fit its level starts where it first fits.
TEST(LevelPath, StartsAtTheKeptPlanWhereItFits)
{
    Goal goal;
    goal.classColumn = 0; // Gladiator
    goal.level = 40;
    goal.weight.at(2) = 5; // Schwertkampf
    goal.current[1] = 1;
    goal.current[18] = 1;
    goal.current[5] = 10;
    const LevelPath fits = PathToGoal(goal, 10);
    ASSERT_TRUE(fits.found);
    EXPECT_EQ(fits.steps.front().level, 10);
    EXPECT_EQ(fits.steps.front().skills, goal.current);
    EXPECT_EQ(fits.steps.size(), 31U);

    goal.current[5] = 30; // above the cap of every level below 30
    const LevelPath later = PathToGoal(goal, 10);
    ASSERT_TRUE(later.found);
    EXPECT_EQ(later.steps.front().level, 30);

    goal.keepSpent = false;
    const LevelPath fresh = PathToGoal(goal, 10);
    ASSERT_TRUE(fresh.found);
    EXPECT_EQ(fresh.steps.front().level, 1);
    EXPECT_EQ(fresh.steps.front().skills[5], 0);
    EXPECT_EQ(fresh.steps.back().skills, Optimise(goal).skills);
}

// Each skill's limit, checked by solving again: the answer with the skill
// raised to its next value that helps (kept as spent) is no better; the
// points named do not reach it; a minimum named is what the goal without it
// would give up for a better plan with the skill raised.
TEST(GoalLimits, EachReasonHoldsWhenSolvedAgain)
{
    std::mt19937 random(RandomSeed(15));
    std::map<Limit, int> seen;
    for (int round = 0; round < 60; ++round) {
        const int classColumn = round % kClassCount;
        RandomCase c = RandomPathCase(random, classColumn, Uniform(random, 3, 120));
        if (round % 3 == 0) { // minimums on rows of the skills the class has
            for (int s = 1; s <= kSkillCount; ++s) {
                if (UnlockLevel(s, classColumn) <= c.goal.level && Uniform(random, 0, 3) == 0) {
                    SkillValues some;
                    some[s] = Uniform(random, 1, std::max(1, c.goal.level / 5));
                    const int row = BonusRowsOfSkill(s).front();
                    c.goal.minimum.at(static_cast<std::size_t>(row - 1))
                        = static_cast<std::int32_t>(BonusRowValue(row, some));
                }
            }
        }
        const Goal &goal = c.goal;
        const GoalAnswer answer = Optimise(goal);
        if (!answer.found)
            continue;
        const std::vector<SkillLimit> limits = WhatStops(goal, answer);
        for (int s = 1; s <= kSkillCount; ++s) {
            const bool listed
                = std::any_of(limits.begin(), limits.end(), [s](const SkillLimit &l) { return l.skill == s; });
            EXPECT_TRUE(listed || answer.skills[s] == 0) << "round " << round << " skill " << s;
        }
        for (const SkillLimit &limit : limits) {
            const int s = limit.skill;
            const std::int32_t v = answer.skills[s];
            const std::string where = "round " + std::to_string(round) + ": " + DescribeLimit(limit);
            ASSERT_EQ(limit.value, v) << where;
            ++seen[limit.limit];
            std::optional<std::int32_t> next;
            for (std::int32_t up = v + 1; up <= goal.level && !next; ++up) {
                SkillValues raised = answer.skills;
                raised[s] = up;
                if (GoalObjective(goal, raised) > answer.objective)
                    next = up;
            }
            if (limit.limit == Limit::Cap) {
                EXPECT_EQ(v, goal.level) << where;
                continue;
            }
            if (limit.limit == Limit::NothingMore) {
                EXPECT_FALSE(next) << where;
                continue;
            }
            ASSERT_TRUE(next) << where;
            Goal raised = goal;
            raised.keepSpent = true;
            for (int t = 1; t <= kSkillCount; ++t)
                raised.current[t] = goal.keepSpent ? goal.current[t] : (UnlockLevel(t, classColumn) == 0 ? 1 : 0);
            raised.current[s] = std::max(raised.current[s], *next);
            const GoalAnswer withMinimums = Optimise(raised);
            EXPECT_TRUE(!withMinimums.found || withMinimums.objective <= answer.objective) << where;
            if (limit.limit == Limit::Minimum)
                raised.minimum.at(static_cast<std::size_t>(limit.row - 1)) = 0;
            const GoalAnswer without = Optimise(raised); // the named minimum dropped
            switch (limit.limit) {
            case Limit::Slots:
                EXPECT_EQ(v, 0) << where;
                EXPECT_EQ(ChosenSkillCount(answer.skills), *SkillSlots(goal.level)) << where;
                break;
            case Limit::Minimum:
                EXPECT_GT(goal.minimum.at(static_cast<std::size_t>(limit.row - 1)), 0) << where;
                EXPECT_TRUE(without.found && without.objective > answer.objective)
                    << where << ": without that minimum the skill raised gives a better plan";
                break;
            case Limit::Points:
                EXPECT_LT(FreeSkillPoints(goal.level, answer.skills), *next - v) << where;
                break;
            default:
                break;
            }
        }
    }
    for (const Limit limit : {Limit::Cap, Limit::NothingMore, Limit::Slots, Limit::Minimum, Limit::Points})
        EXPECT_GT(seen[limit], 0) << "no case of limit " << static_cast<int>(limit);
    EXPECT_EQ(DescribeLimit({5, 40, Limit::Cap, 0, 0}), "Schwertkunde 40: Die Stufe 40 erlaubt nicht mehr");
    EXPECT_EQ(DescribeLimit({5, 12, Limit::Minimum, 23, 60}),
        "Schwertkunde 12: Der Mindestwert von Lebensenergie verlangt 60");
}

// The rows of a path: the start, a row per level that changes, a run of
// levels that add the same as one row, a level that opens a skill alone.
TEST(PathTexts, RowPerChangeAndOneRowPerRunOfTheSameStep)
{
    LevelPath path;
    path.found = true;
    SkillValues plan;
    plan[1] = 1;
    plan[18] = 1;
    const auto at = [&](std::int32_t level) { path.steps.push_back({level, plan, 0}); };
    at(1);
    plan[1] = 2;
    at(2); // Waffenkunde +1
    at(3); // nothing
    plan[5] = 1;
    plan[1] = 3;
    at(4); // Schwertkunde opens
    for (std::int32_t level = 5; level <= 8; ++level) {
        plan[5] += 2;
        at(level); // the same step four times
    }
    plan[5] += 2;
    plan[18] += 1;
    at(9);
    plan[5] += 2;
    plan[18] += 1;
    at(10); // the same two-skill step twice

    const std::vector<PathRow> rows = DescribePath(path);
    const std::vector<PathRow> expected{
        {1, 1, "Stufe 1: Beginn mit Waffenkunde 1, Konzentration 1"},
        {2, 2, "Stufe 2: Waffenkunde +1 (2)"},
        {4, 4, "Stufe 4: Waffenkunde +1 (3), Schwertkunde neu (1)"},
        {5, 8, "Stufe 5\u20138: je +2 Schwertkunde"},
        {9, 10, "Stufe 9\u201310: je +2 Schwertkunde, +1 Konzentration"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(PathClipboardText(rows).find("Stufe 2: Waffenkunde +1 (2)\nStufe 4:"), rows.front().text.size() + 1);
    EXPECT_EQ(PathCurveTitle(path, 9), "Zielwert \u00fcber die Stufen 1\u201310: Stufe 9 hat 0");
    EXPECT_TRUE(DescribePath(LevelPath{}).empty());
}

} // namespace
} // namespace rollwerk
