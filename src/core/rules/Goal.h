#pragma once

// The best plan for a goal: a target level, a weight and a minimum per bonus
// row, and whether the points already spent stay. Plain structs in and out,
// so that both front ends call it the same way.
//
// Why the answer is exact. Every bonus row is a function of one skill's
// value, except the defence row, which adds one contribution of Parade and
// one of Wendigkeit. The objective (weight times row value, summed) is
// therefore a sum of one term per skill, each term any function of that
// skill's value: nothing assumes that a curve's steps shrink, or even that
// a curve rises. A minimum on a row of one skill only forbids some values of
// that skill. The defence row's minimum ties its two skills: they become
// one item whose choices are the allowed pairs of values. The problem is
// then a choice of one value per item under two sums, the points spent (at
// most the level's budget) and the skills chosen (at most its slots): a
// multiple-choice knapsack. A dynamic programme over the items with the
// exact points and the exact skill count as its state enumerates every
// valid plan implicitly, keeping for each state only the best objective of
// the items not yet decided, which is sound because an item's term and its
// points and skills depend on that item's value alone. The best state over
// every points total up to the budget and every count up to the slots is
// the optimum; the choice of each item is then read back from the tables.
// A choice of an item that costs at least the points and skills of another
// choice of it and is worth no more is left out of the tables: swapping it
// for the other never lowers the objective and saves points or a skill, so
// it is in no answer.
//
// Ties: the highest objective first; among those the fewest points spent;
// then the fewest skills chosen; then, skill by skill in the catalogue's
// order (Parade taken right after Wendigkeit), the value nearest to the
// current plan's, the lower one when two are equally near.

#include "Comparison.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace rollwerk {

inline constexpr int kMaxGoalWeight = 10;
inline constexpr std::int32_t kMaxGoalMinimum = 999;

struct Goal {
    int classColumn = 0;                                // column of the unlock table, 0 to 5
    std::int32_t level = 1;                             // target level, 1 to 250
    std::array<int, kBonusRowCount> weight{};           // per row 1..45 at index row - 1, 0 to 10
    std::array<std::int32_t, kBonusRowCount> minimum{}; // the row's shown value at least; 0: none
    bool keepSpent = true;                              // no skill below its current value
    SkillValues current;                                // the plan as it is: for keepSpent and the last tie
};

// What the last point of a skill brings: the rows it raises and the part of
// the objective it adds (both against the same plan with one point less).
struct LastPoint {
    int skill = 0;
    std::int32_t value = 0;
    std::int64_t objective = 0;
    std::vector<RowChange> rows;
    friend bool operator==(const LastPoint &, const LastPoint &) = default;
};

struct GoalAnswer {
    bool found = false;
    std::string reason; // German, when nothing was found
    SkillValues skills;
    std::int64_t objective = 0;
    std::int64_t freePoints = 0;
    std::int64_t freeSlots = 0;
    std::vector<LastPoint> lastPoints; // of the answer, per skill with points, in skill order
    std::int64_t currentObjective = 0;
    std::vector<LastPoint> currentLastPoints; // the same for the current plan
};

// The best valid plan for the goal, or the reason there is none. A row the
// class cannot have at the level counts for nothing, its minimum included.
GoalAnswer Optimise(const Goal &asked);

// The objective of a plan: weight times row value, summed over the rows.
std::int64_t GoalObjective(const Goal &goal, const SkillValues &skills);

// The part of the objective that one skill's value gives: the objective is
// the sum of these over the skills (the defence row adds one part of Parade
// and one of Wendigkeit). Minimums play no part.
std::int64_t SkillTerm(const Goal &goal, int skill, std::int32_t value);

// Per skill with points: what its last point brings, in skill order.
std::vector<LastPoint> LastPoints(const Goal &goal, const SkillValues &skills);

// A weighted row's value over one of its skills' values 0 to the level, the
// other skills as in the proposed plan; the current and proposed value marked.
struct RowCurve {
    int row = 0;
    int skill = 0;
    std::vector<std::int64_t> values; // at skill values 0, 1, ... level
    std::int32_t current = 0;
    std::int32_t proposed = 0;
};

// The curves of every weighted row, for each of its skills the class may choose at the level.
std::vector<RowCurve> GoalCurves(const Goal &goal, const SkillValues &proposed);

// The plan that entering an answer asks for: the goal's class and level, the answer's values.
Plan ProposedPlan(const Goal &goal, const SkillValues &skills);

// Whether a row can hold a value at all for the class at the level.
bool RowReachable(int row, int classColumn, std::int32_t level);

} // namespace rollwerk
