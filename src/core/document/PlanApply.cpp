#include "PlanApply.h"

#include "ClipboardTexts.h"
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

// Why the planner shows a skill other than the plan asked, as found while entering it.
enum class Cause { None, NeverLearned, OpensLater, NoSlot, LevelCap, NoPoints, StartingSkill };

// For a skill that was not entered, because its field was locked.
Cause LockCause(int skill, int column, std::int32_t level)
{
    const int unlock = UnlockLevel(skill, column);
    return unlock == kNever ? Cause::NeverLearned : unlock > level ? Cause::OpensLater : Cause::NoSlot;
}

// For a skill that was entered and shows another value.
Cause EntryCause(const NumberField &field, std::int32_t wanted)
{
    if (wanted < field.Minimum())
        return Cause::StartingSkill;
    return wanted > field.Maximum() ? Cause::LevelCap : Cause::NoPoints;
}

std::string Because(Cause cause, int skill, int column, std::int32_t level)
{
    switch (cause) {
    case Cause::OpensLater:
        return "diese Klasse bekommt sie erst ab Stufe " + std::to_string(UnlockLevel(skill, column));
    case Cause::NoSlot:
        return "kein Fertigkeitsplatz war mehr frei";
    case Cause::LevelCap:
        return "die Stufe " + std::to_string(level) + " begrenzt sie auf " + std::to_string(level)
            + (level == 1 ? " Punkt" : " Punkte");
    case Cause::NoPoints:
        return "die Fertigkeitspunkte der Stufe reichen nicht";
    case Cause::StartingSkill:
        return "eine Startfertigkeit hat mindestens 1 Punkt";
    case Cause::None:
    case Cause::NeverLearned:
        break;
    }
    return {};
}

// "Waffenkunde: 3 statt 5 (2 weniger)".
std::string DescribeDifference(const SkillChange &d)
{
    const std::int64_t by = std::int64_t{d.after} - d.before;
    return Name(d.skill) + ": " + std::to_string(d.after) + " statt " + std::to_string(d.before) + " ("
        + std::to_string(by < 0 ? -by : by) + (by < 0 ? " weniger" : " mehr") + ")";
}

// One line per difference with its reason; the skills the class never learns share one line.
std::string DescribeDifferences(
    const std::vector<SkillChange> &differences, const SkillArray<Cause> &causes, int column, std::int32_t level)
{
    std::string text;
    std::string never;
    for (const SkillChange &d : differences) {
        const Cause cause = d.skill == 0 ? Cause::None : causes[d.skill];
        if (cause == Cause::NeverLearned) {
            never += (never.empty() ? "" : ", ") + Name(d.skill) + " (" + std::to_string(d.before) + ")";
            continue;
        }
        const std::string why = Because(cause, d.skill, column, level);
        text += (text.empty() ? "" : "\n") + DescribeDifference(d) + (why.empty() ? "" : ": " + why);
    }
    if (!never.empty())
        text += (text.empty() ? "" : "\n")
            + ("Die Klasse " + std::string(kClassNames[static_cast<std::size_t>(column)])
                + " lernt nie, daher 0 statt der Werte im Plan: " + never);
    return text;
}

} // namespace

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
    SkillArray<Cause> causes;
    for (int s = 1; s <= kSkillCount; ++s) {
        NumberField &field = planner.SpEFert[s];
        if (!field.Enabled()) {
            causes[s] = LockCause(s, static_cast<int>(column), plan.level);
        } else if (field.Value() != plan.skills[s]) {
            Enter(field, plan.skills[s]);
            causes[s] = EntryCause(field, plan.skills[s]);
        }
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
            + DescribeDifferences(result.differences, causes, static_cast<int>(column), plan.level);
    return result;
}

PlanApplication PastePlan(Planner &planner, ClipboardContent content, std::string_view text)
{
    PlanDecoding decoding = FindPastedPlanCode(content, text);
    if (!decoding.plan)
        return {false, {}, std::move(decoding.error)};
    PlanApplication result = ApplyPlan(planner, *decoding.plan);
    if (!decoding.note.empty())
        result.message = decoding.note + (result.message.empty() ? "" : "\n\n" + result.message);
    return result;
}

} // namespace rollwerk
