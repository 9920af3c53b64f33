#include "PlannerState.h"

namespace rollwerk {

bool operator==(const PlannerState &a, const PlannerState &b)
{
    return a.skillValue == b.skillValue && a.editDelta == b.editDelta && a.previousValues == b.previousValues
        && a.level == b.level && a.skills == b.skills && a.freePointsText == b.freePointsText
        && a.freeSlotsText == b.freeSlotsText && a.classText == b.classText && a.lastClass == b.lastClass
        && SameBonuses(a.bonuses, b.bonuses);
}

} // namespace rollwerk
