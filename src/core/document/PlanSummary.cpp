#include "PlanSummary.h"

#include "PlanCode.h"

namespace rollwerk {

std::string BonusText(const Planner &planner)
{
    std::string text;
    for (const std::string &line : planner.LBBoni.Lines())
        text += line + "\n";
    return text;
}

std::string PlanSummary(const Planner &planner)
{
    const Plan plan = CurrentPlan(planner);
    std::string text = plan.className + ", Stufe " + std::to_string(plan.level) + "\n";
    for (int s = 1; s <= kSkillCount; ++s) {
        if (plan.skills[s] != 0)
            text += std::string(SkillCaption(s)) + ": " + std::to_string(plan.skills[s]) + "\n";
    }
    // The counters as the window shows them, each with its caption.
    text += planner.LFertFrei.Text() + "\n" + std::string(kFreeSlotsCaption) + " " + planner.LFertGesAnzeige.Text()
        + "\n";
    if (!planner.LBBoni.Lines().empty())
        text += "\nBoni:\n" + BonusText(planner);
    // A value typed but not yet taken over by its field can stand outside the code's ranges.
    const std::string code = EncodePlan(plan);
    text += "\n" + (code.empty() ? "Kein Plan-Code: " + PlanProblem(plan) : code) + "\n";
    return text + "Geplant mit " + std::string(kProgramTitle) + "\n";
}

} // namespace rollwerk
