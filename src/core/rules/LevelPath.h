#pragma once

// The levelling path to a goal: one plan for every level from the start to
// the goal's level, so that a player who spends points as they come knows
// where the next point goes, and never has to take one back.
//
// The start is a new character of the goal's class at level 1 (its starting
// skills at 1), or, when the goal keeps what is spent, the plan shown at its
// level (its starting skills at least 1): those points stay. Should that plan
// not be valid at its level (too many points, slots, a skill above the cap
// or not yet open), the path starts at the first level where it is. The
// path ends with the goal's answer at the goal's level. Going down from
// there, the plan at each level L between is the best valid plan at L (the
// unlock table at L, the cap L, the points and slots of L, the starting
// skills at least 1) that lies between the start and the plan at L + 1,
// skill by skill. "Best" is the goal's objective; its minimums count only
// at the goal's level.
//
// Ties among plans of the same objective: the most points spent, then the
// most skills kept, then, skill by skill in the catalogue's order, the
// higher value. Every point of the plan at L + 1 is spent by then anyway;
// holding one back buys nothing, so the path spends each point as soon as
// the level allows it and drops a skill only when it must. The counters stay
// as low as the goal allows at every level, and the plans of neighbouring
// levels differ as little as they can.
//
// Why the answer is exact, and why it is fast. Let p be the plan at L + 1.
// A plan x between the start and p is valid at L exactly when each skill's
// value lies in its own range (at most p, the cap and 0 when the skill is
// not yet open; at least the start) and two sums hold: the points taken
// back from p, the sum of p - x, are at least R = points of p - budget of L,
// and the skills dropped (p > 0, x = 0) are at least K = skills of p - slots
// of L. The objective is a sum of one term per skill (SkillTerm), so x is
// the choice of one value per skill that loses the least objective against
// p under those two sums: a multiple-choice knapsack whose capacity is R and
// K rather than the whole budget. p is valid at L + 1, so R is at most the
// points that level L + 1 grants (4) and K at most 1. A dynamic programme
// over the skills, whose state is the points and drops still needed (taking
// back more than needed meets the need as well, so the state stops at 0),
// and whose value is the loss, then the points taken back, then the drops,
// compared in that order, enumerates every such plan implicitly and keeps
// the best completion of each state: sound because each part of the value
// is a sum of one part per skill. Reading the tables skill by skill in the
// catalogue's order and taking the highest value that still completes the
// best gives the last tie. Nothing assumes that a term rises with its
// skill. A level costs a few thousand steps, so the whole path costs little
// more than the one answer at the goal's level.

#include "Goal.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rollwerk {

struct PathStep {
    std::int32_t level = 1;
    SkillValues skills;
    std::int64_t objective = 0; // the goal's weights, without its minimums
    friend bool operator==(const PathStep &, const PathStep &) = default;
};

struct LevelPath {
    bool found = false;
    std::string reason;          // the answer's, when the goal has none
    std::vector<PathStep> steps; // one per level, from the start to the goal's level
};

// The path to the answer of the goal; shownLevel is the level of the plan
// the goal keeps (goal.current), read only when the goal keeps what is spent.
LevelPath PathToGoal(const Goal &goal, std::int32_t shownLevel, const GoalAnswer &answer);
LevelPath PathToGoal(const Goal &goal, std::int32_t shownLevel);

// Whether a plan is valid for the class at the level: open skills only, the
// cap, the starting skills at least 1, the points and the slots.
bool ValidAtLevel(int classColumn, std::int32_t level, const SkillValues &skills);

// The path's step at a level, or none outside the path.
const PathStep *StepAt(const LevelPath &path, std::int32_t level);

} // namespace rollwerk
