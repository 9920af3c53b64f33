#pragma once

// The difference between two plans: the level, every skill value that
// changes, the free points and slots of both, and every bonus row whose
// value changes, old -> new.

#include "BonusTable.h"
#include "Plan.h"

#include <cstdint>
#include <vector>

namespace rollwerk {

// A bonus row before and after a change.
struct RowChange {
    int row = 0;
    std::int64_t before = 0;
    std::int64_t after = 0;
    friend bool operator==(const RowChange &, const RowChange &) = default;
};

// One plan as compared: its level, its values and its rows.
struct PlanSide {
    std::int32_t level = 1;
    SkillValues skills;
    BonusRowValues rows{};
};

struct PlanComparison {
    std::int32_t levelBefore = 1;
    std::int32_t levelAfter = 1;
    std::vector<SkillChange> skills; // in skill order
    std::int64_t freePointsBefore = 0;
    std::int64_t freePointsAfter = 0;
    std::int64_t freeSlotsBefore = 0;
    std::int64_t freeSlotsAfter = 0;
    std::vector<RowChange> rows; // in the list's order

    // Nothing a window shows differs.
    bool Same() const;
};

// Every row's value for a plan, as a rebuild of the bonus list computes it.
BonusRowValues RowValues(const SkillValues &skills);

PlanSide SideOf(std::int32_t level, const SkillValues &skills);

// The counters of a plan: its free skill points and its free skill slots.
std::int64_t FreePoints(const PlanSide &side);
std::int64_t FreeSlots(const PlanSide &side);

PlanComparison ComparePlans(const PlanSide &before, const PlanSide &after);

} // namespace rollwerk
