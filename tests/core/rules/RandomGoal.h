#pragma once

// A random goal for the optimiser's property tests and for the trace that
// compares the native and the WebAssembly core. Drawn with the engine's own
// output, not std::uniform_int_distribution, whose algorithm differs between
// standard libraries: both builds must draw the same goal from one seed.

#include "BonusTable.h"
#include "Catalogue.h"
#include "Goal.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace rollwerk::testing {

inline int Uniform(std::mt19937 &random, int low, int high)
{
    return low + static_cast<int>(random() % static_cast<std::uint32_t>(high - low + 1));
}

inline bool Choosable(int skill, const Goal &goal)
{
    return UnlockLevel(skill, goal.classColumn) <= goal.level;
}

// Weights on about half the rows; up to two minimums on rows the class can
// have, each what its skill gives at a value up to half the level; a current
// plan with up to two skills beside the starting ones, which the level may
// or may not hold.
inline Goal RandomGoal(std::mt19937 &random, int classColumn, std::int32_t level)
{
    Goal goal{classColumn, level, {}, {}, Uniform(random, 0, 1) == 1, {}};
    std::vector<int> rows;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        goal.weight.at(static_cast<std::size_t>(row - 1))
            = Uniform(random, 0, 1) == 1 ? Uniform(random, 1, kMaxGoalWeight) : 0;
        if (RowReachable(row, classColumn, level))
            rows.push_back(row);
    }
    for (int n = Uniform(random, 0, 2); n > 0; --n) {
        const int row = rows.at(static_cast<std::size_t>(Uniform(random, 0, static_cast<int>(rows.size()) - 1)));
        SkillValues one;
        for (const int skill : BonusSourceSkills(row))
            one[skill] = Uniform(random, 1, std::max(1, level / 2));
        goal.minimum.at(static_cast<std::size_t>(row - 1)) = static_cast<std::int32_t>(BonusRowValue(row, one));
    }
    std::vector<int> choosable;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (UnlockLevel(s, classColumn) == 0)
            goal.current[s] = 1;
        else if (Choosable(s, goal))
            choosable.push_back(s);
    }
    for (int n = choosable.empty() ? 0 : Uniform(random, 0, 2); n > 0; --n) {
        const int skill
            = choosable.at(static_cast<std::size_t>(Uniform(random, 0, static_cast<int>(choosable.size()) - 1)));
        goal.current[skill] = Uniform(random, 1, std::max(1, level / 3));
    }
    return goal;
}

} // namespace rollwerk::testing
