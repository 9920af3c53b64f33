#include "Plan.h"

#include "Planner.h"

namespace rollwerk {

Plan CurrentPlan(const Planner &planner)
{
    Plan plan{planner.CBCharwahl.Text(), planner.SpEStufeH.Value(), {}};
    for (int s = 1; s <= kSkillCount; ++s)
        plan.skills[s] = planner.SpEFert[s].Value();
    return plan;
}

} // namespace rollwerk
