#pragma once

// Why the answer stops each skill where it does, asked of the optimiser
// rather than guessed: for every skill the class may choose at the goal's
// level that holds points or that more points would help, what keeps it
// from going higher. In the order they are tried:
// - Cap: the skill stands at the level, the most any skill may hold.
// - NothingMore: no higher value of the skill raises the objective (the
//   objective is a sum of one term per skill, so this holds whatever the
//   other skills hold).
// - Slots: the skill holds nothing and every slot is taken.
// - Minimum: the answer with the skill raised to the next value that helps,
//   the points it lacks taken from a skill of another row's minimum, would
//   be valid and better, and breaks that minimum alone. The first such row
//   is named; required is what that row's skills hold in the answer.
// - Points: otherwise. The free points do not reach the next value that
//   helps (else the answer would have taken it: no row falls when a skill
//   rises), and no such exchange with a minimum's skill is better.
// None of them solves the goal again: each is read from the answer, the
// objective and the rows.

#include "Goal.h"

#include <cstdint>
#include <vector>

namespace rollwerk {

enum class Limit { Cap, NothingMore, Slots, Minimum, Points };

struct SkillLimit {
    int skill = 0;
    std::int32_t value = 0;
    Limit limit = Limit::Points;
    int row = 0;               // Minimum: the row whose minimum holds the points
    std::int32_t required = 0; // Minimum: the points its skills hold in the answer
    friend bool operator==(const SkillLimit &, const SkillLimit &) = default;
};

// Per skill in skill order; nothing when the goal has no answer.
std::vector<SkillLimit> WhatStops(const Goal &goal, const GoalAnswer &answer);

} // namespace rollwerk
