#include "PlanApply.h"

#include "Utf8.h"

namespace rollwerk {

namespace {

// Selects the field's whole text, pastes the number and leaves the field,
// which clamps a value above the level as it does for the user.
void Enter(NumberField &field, std::int32_t value)
{
    field.Paste(0, CharCount(field.Text()), std::to_string(value));
    field.FocusLost();
}

std::string Name(int skill)
{
    return skill == 0 ? std::string("Stufe") : std::string(SkillCaption(skill));
}

} // namespace

Plan CurrentPlan(const Planner &planner)
{
    Plan plan{planner.CBCharwahl.Text(), planner.SpEStufeH.Value(), {}};
    for (int s = 1; s <= kSkillCount; ++s)
        plan.skills[s] = planner.SpEFert[s].Value();
    return plan;
}

PlanApplication ApplyPlan(Planner &planner, const Plan &plan)
{
    if (std::string problem = PlanProblem(plan); !problem.empty())
        return {false, {}, std::move(problem)};
    const auto column = static_cast<std::size_t>(*ClassColumn(plan.className));
    // One action for the user: the views settle once, when the plan is in.
    const Planner::UserAction action(planner);
    // Picking another class first makes the pick of the plan's class a class
    // change, which restarts the plan: level 1, every skill at its minimum,
    // locked skills that still hold points included.
    planner.CBCharwahl.Pick((column + 1) % kClassCount);
    planner.CBCharwahl.Pick(column);
    Enter(planner.SpEStufeH, plan.level);
    for (int s = 1; s <= kSkillCount; ++s) {
        NumberField &field = planner.SpEFert[s];
        if (field.Enabled() && field.Value() != plan.skills[s])
            Enter(field, plan.skills[s]);
    }

    PlanApplication result{true, {}, {}};
    const Plan shown = CurrentPlan(planner);
    if (shown.level != plan.level)
        result.differences.push_back({0, plan.level, shown.level});
    for (int s = 1; s <= kSkillCount; ++s) {
        if (shown.skills[s] != plan.skills[s])
            result.differences.push_back({s, plan.skills[s], shown.skills[s]});
    }
    if (!result.differences.empty())
        result.message = "Der Plan lie\u00df sich nach den Regeln des Planers nicht ganz \u00fcbernehmen:\n"
            + DescribeDifferences(result.differences);
    return result;
}

PlanApplication ApplyPlanText(Planner &planner, std::string_view text)
{
    PlanDecoding decoding = FindPlanCode(text);
    if (!decoding.plan)
        return {false, {}, std::move(decoding.error)};
    return ApplyPlan(planner, *decoding.plan);
}

std::string DescribeDifferences(const std::vector<PlanDifference> &differences)
{
    std::string text;
    for (const PlanDifference &d : differences) {
        const std::int64_t by = std::int64_t{d.shown} - d.wanted;
        text += (text.empty() ? "" : "\n") + Name(d.skill) + ": " + std::to_string(d.shown) + " statt "
            + std::to_string(d.wanted) + " (" + std::to_string(by < 0 ? -by : by) + (by < 0 ? " weniger" : " mehr")
            + ")";
    }
    return text;
}

} // namespace rollwerk
