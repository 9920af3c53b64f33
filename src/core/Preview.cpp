#include "Preview.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <exception>
#include <optional>

namespace rollwerk {

namespace {

std::string Quoted(int skill)
{
    return "\u201e" + std::string(SkillCaption(skill)) + "\u201c";
}

std::string LockedReason(const Planner &planner, int skill, int column, std::int32_t level)
{
    const int unlock = UnlockLevel(skill, column);
    if (unlock == kNever)
        return Quoted(skill) + " kann diese Klasse nie lernen.";
    if (level < unlock)
        return "Diese Klasse bekommt " + Quoted(skill) + " erst ab Stufe " + std::to_string(unlock) + ".";
    if (ParseInteger(planner.LFertGesAnzeige.Text()).value_or(0) <= 0)
        return "Kein Fertigkeitsplatz ist frei.";
    return Quoted(skill) + " ist gesperrt.";
}

std::string CapReason(int skill, std::int32_t level)
{
    return "Die Stufe " + std::to_string(level) + " begrenzt " + Quoted(skill) + " auf " + std::to_string(level)
        + (level == 1 ? " Punkt." : " Punkte.");
}

std::string AtMinimumReason(int skill, std::int32_t minimum)
{
    return Quoted(skill) + " hat schon den kleinsten Wert " + std::to_string(minimum) + ".";
}

const std::string kNoPoint = "Kein Fertigkeitspunkt ist frei.";
const std::string kStillOverspent
    = "Auch mit einem Punkt weniger sind mehr Punkte verteilt, als die Stufe gew\u00e4hrt.";

// What the analytic path needs, for a plan whose every step is a plain one:
// the step's own field changes, the counters and the list are rewritten from
// the values, and every other write of the procedures finds its field as it
// would leave it.
struct Regular {
    int column = 0;
    std::int32_t level = 0;
    SkillValues values;
    std::int64_t freePoints = 0;
    std::int64_t freeSlots = 0;
};

std::optional<Regular> RegularPlan(const Planner &planner)
{
    Regular r;
    const std::optional<int> column = ClassColumn(planner.CBCharwahl.Text());
    r.level = planner.SpEStufeH.Value();
    // A skill step never runs the class change, so a remembered class that
    // differs from the box (after a text that named no class) does not matter.
    if (!column || r.level < kMinLevel || r.level > kMaxLevel)
        return std::nullopt;
    r.column = *column;
    // A field whose text a procedure would rewrite ("05", "" or "-") is fine:
    // the rewrite keeps its value, so the nested run it raises changes nothing.
    for (int s = 1; s <= kSkillCount; ++s) {
        const NumberField &field = planner.SpEFert[s];
        const std::int32_t value = field.Value();
        const int unlock = UnlockLevel(s, r.column);
        const bool inRange = field.Minimum() == field.Maximum() ? value == field.Minimum()
                                                                : value >= field.Minimum() && value <= field.Maximum();
        if (!inRange || planner.SkillValue[s] != value || field.Maximum() != r.level
            || field.Minimum() > field.Maximum() || (value > 0 && unlock > r.level)
            || (r.level == 1 && unlock == 0 && value != 1))
            return std::nullopt;
        r.values[s] = value;
    }
    r.freePoints = FreeSkillPoints(r.level, r.values);
    r.freeSlots = *SkillSlots(r.level) - ChosenSkillCount(r.values);
    if (r.freePoints < 0 || planner.LFertFrei.Text() != std::string(kFreePointsCaption) + std::to_string(r.freePoints)
        || planner.LFertGesAnzeige.Text() != std::to_string(r.freeSlots))
        return std::nullopt;
    // The list shows the lines of these values, so a run that changes no value rewrites it unchanged.
    const std::vector<std::string> &shown = planner.LBBoni.Lines();
    std::size_t line = 0;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        const std::int64_t value = BonusRowValue(row, r.values);
        if (value <= 0)
            continue;
        if (line >= shown.size() || shown[line] != BonusLine(row, value))
            return std::nullopt;
        ++line;
    }
    if (line != shown.size())
        return std::nullopt;
    return r;
}

StepPreview Refused(std::string reason, std::int64_t freePoints, std::int64_t freeSlots)
{
    StepPreview step;
    step.offered = true;
    step.reason = std::move(reason);
    step.freePoints = freePoints;
    step.freeSlots = freeSlots;
    return step;
}

StepPreview Taken(const Regular &r, int skill, std::int32_t value)
{
    SkillValues after = r.values;
    after[skill] = value;
    StepPreview step;
    step.offered = true;
    step.takesEffect = true;
    step.skills.push_back({skill, r.values[skill], value});
    step.freePoints = FreeSkillPoints(r.level, after);
    step.freeSlots = *SkillSlots(r.level) - ChosenSkillCount(after);
    for (int row : BonusRowsOfSkill(skill)) {
        std::string before = BonusLine(row, BonusRowValue(row, r.values));
        std::string now = BonusLine(row, BonusRowValue(row, after));
        if (before != now)
            step.bonuses.push_back({std::move(before), std::move(now)});
    }
    return step;
}

SkillPreview PreviewRegular(const Planner &planner, const Regular &r, int skill)
{
    const NumberField &field = planner.SpEFert[skill];
    const std::int32_t value = r.values[skill];
    SkillPreview preview;
    // The up button sets the value plus one, clamped unless minimum and maximum are equal.
    std::int64_t up = std::int64_t{value} + 1;
    if (field.Minimum() != field.Maximum())
        up = std::clamp<std::int64_t>(up, field.Minimum(), field.Maximum());
    SkillValues after = r.values;
    after[skill] = static_cast<std::int32_t>(up);
    if (!field.Enabled())
        preview.up = Refused(LockedReason(planner, skill, r.column, r.level), r.freePoints, r.freeSlots);
    else if (up == value)
        preview.up = Refused(CapReason(skill, r.level), r.freePoints, r.freeSlots);
    else if (FreeSkillPoints(r.level, after) < 0)
        preview.up = Refused(kNoPoint, r.freePoints, r.freeSlots);
    else
        preview.up = Taken(r, skill, static_cast<std::int32_t>(up));
    if (field.Enabled() && value > field.Minimum())
        preview.down = Taken(r, skill, value - 1);
    return preview;
}

std::int64_t ShownNumber(std::string_view text)
{
    return ParseInteger(text).value_or(0);
}

std::vector<BonusChange> ChangedLines(const std::vector<std::string> &before, const std::vector<std::string> &after)
{
    std::vector<BonusChange> changes;
    std::size_t b = 0;
    std::size_t a = 0;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        const std::string_view label = BonusLabel(row);
        std::string old = b < before.size() && before[b].starts_with(label) ? before[b++] : std::string();
        std::string now = a < after.size() && after[a].starts_with(label) ? after[a++] : std::string();
        if (old != now)
            changes.push_back({std::move(old), std::move(now)});
    }
    return changes;
}

// Whether the step button would change the field's text, and so run the rules.
bool StepChangesText(const NumberField &field, int by)
{
    std::int64_t value = std::int64_t{field.Value()} + by;
    if (field.Minimum() != field.Maximum())
        value = std::clamp<std::int64_t>(value, field.Minimum(), field.Maximum());
    return field.Enabled() && std::to_string(value) != field.Text();
}

std::string Listed(const std::vector<int> &skills)
{
    std::string text;
    for (std::size_t i = 0; i < skills.size(); ++i)
        text += (i == 0 ? "" : i + 1 == skills.size() ? " und " : ", ") + Quoted(skills[i]);
    return text;
}

// Why a cascade lowered skills other than the stepped one: the level caps
// the values written back, or the rules lock a skill and empty it.
std::string OthersLowered(const Planner &after, const std::vector<SkillChange> &changes, int skill)
{
    const std::optional<int> column = ClassColumn(after.CBCharwahl.Text());
    const std::int32_t level = after.SpEStufeH.Value();
    std::vector<int> capped;
    std::vector<int> other;
    std::string locked;
    for (const SkillChange &change : changes) {
        if (change.skill == skill || change.after >= change.before)
            continue;
        const NumberField &field = after.SpEFert[change.skill];
        if (!field.Enabled() && change.after == 0 && column)
            locked
                += " " + Quoted(change.skill) + " wird gesperrt: " + LockedReason(after, change.skill, *column, level);
        else if (change.after == field.Maximum())
            capped.push_back(change.skill);
        else
            other.push_back(change.skill);
    }
    std::string text;
    if (!capped.empty())
        text += " Die Stufe " + std::to_string(level) + " begrenzt " + Listed(capped) + " auf " + std::to_string(level)
            + (level == 1 ? " Punkt." : " Punkte.");
    text += locked;
    if (!other.empty())
        text += " Die Regeln des Planers senken dabei " + Listed(other) + ".";
    return text.empty() ? text : text.substr(1);
}

// Steps the skill on a scratch planner in the plan's state and reads off what changed.
StepPreview Simulate(const Planner &planner, const PlannerState &state, Planner &scratch, int skill, bool up)
{
    const NumberField &field = planner.SpEFert[skill];
    const std::int32_t value = field.Value();
    const std::optional<int> column = ClassColumn(planner.CBCharwahl.Text());
    const std::int32_t level = planner.SpEStufeH.Value();
    StepPreview step;
    step.offered = true;
    if (!field.Enabled()) {
        // A disabled field ignores its buttons: nothing runs.
        step.reason = column ? LockedReason(planner, skill, *column, level) : Quoted(skill) + " ist gesperrt.";
        step.freePoints = ShownNumber(std::string_view(state.freePointsText).substr(kFreePointsCaption.size()));
        step.freeSlots = ShownNumber(state.freeSlotsText);
        return step;
    }
    scratch.LoadState(state);
    try {
        up ? scratch.SpEFert[skill].StepUp() : scratch.SpEFert[skill].StepDown();
    } catch (const std::exception &error) {
        step.reason = std::string("Der Schritt endet in einem Fehler: ") + error.what();
        scratch.LoadState(state);
    }
    for (int s = 1; s <= kSkillCount; ++s) {
        const std::int32_t before = planner.SpEFert[s].Value();
        const std::int32_t after = scratch.SpEFert[s].Value();
        if (before != after)
            step.skills.push_back({s, before, after});
    }
    step.othersLowered = OthersLowered(scratch, step.skills, skill);
    step.takesEffect = scratch.SpEFert[skill].Value() != value;
    step.freePoints = ShownNumber(std::string_view(scratch.LFertFrei.Text()).substr(kFreePointsCaption.size()));
    step.freeSlots = ShownNumber(scratch.LFertGesAnzeige.Text());
    step.bonuses = ChangedLines(planner.LBBoni.Lines(), scratch.LBBoni.Lines());
    if (!step.takesEffect && step.reason.empty()) {
        const bool ranged = field.Minimum() != field.Maximum();
        if (up)
            step.reason = ranged && value >= field.Maximum() ? CapReason(skill, level) : kNoPoint;
        else
            step.reason
                = ranged && value <= field.Minimum() ? AtMinimumReason(skill, field.Minimum()) : kStillOverspent;
    }
    return step;
}

std::string Plural(std::int64_t count, const char *one, const char *many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "Angriffswert: +44 % → +52 %", or the whole line that comes or goes.
std::string DescribeLine(const BonusChange &change)
{
    if (change.before.empty())
        return "neu: " + change.after;
    if (change.after.empty())
        return "entf\u00e4llt: " + change.before;
    const std::size_t valueAt = change.before.rfind(": ");
    if (valueAt == std::string::npos || change.after.compare(0, valueAt + 2, change.before, 0, valueAt + 2) != 0)
        return change.before + " \u2192 " + change.after;
    return change.before + " \u2192 " + change.after.substr(valueAt + 2);
}

std::string DescribeStep(const char *title, int skill, const StepPreview &step)
{
    std::string text = title;
    if (step.takesEffect) {
        text += ": ";
    } else {
        text += " ist nicht m\u00f6glich: " + step.reason;
        if (step.skills.empty() && step.bonuses.empty())
            return text + "\n";
        text += "\nDabei: ";
    }
    bool first = true;
    for (const SkillChange &change : step.skills) {
        text += (first ? "" : ", ") + std::string(SkillCaption(change.skill)) + " " + std::to_string(change.before)
            + " \u2192 " + std::to_string(change.after);
        first = false;
    }
    if (step.skills.empty())
        text += std::string(SkillCaption(skill)) + " bleibt";
    if (!step.othersLowered.empty())
        text += "\n" + step.othersLowered;
    text += "\nDanach frei: " + Plural(step.freePoints, "Fertigkeitspunkt", "Fertigkeitspunkte") + ", "
        + Plural(step.freeSlots, "Fertigkeitsplatz", "Fertigkeitspl\u00e4tze") + "\n";
    for (const BonusChange &change : step.bonuses)
        text += DescribeLine(change) + "\n";
    return text;
}

} // namespace

PlanPreview PreviewPlan(const Planner &planner)
{
    PlanPreview preview;
    if (const std::optional<Regular> regular = RegularPlan(planner)) {
        for (int s = 1; s <= kSkillCount; ++s)
            preview[s] = PreviewRegular(planner, *regular, s);
        return preview;
    }
    const PlannerState state = planner.CaptureState();
    Planner scratch;
    for (int s = 1; s <= kSkillCount; ++s) {
        const NumberField &field = planner.SpEFert[s];
        preview[s].up = Simulate(planner, state, scratch, s, true);
        // At its minimum a field showing text that is not its value ("x") is
        // rewritten by the down button, which runs the rules.
        if (StepChangesText(field, -1))
            preview[s].down = Simulate(planner, state, scratch, s, false);
    }
    return preview;
}

std::string DescribePreview(int skill, const SkillPreview &preview)
{
    std::string text = DescribeStep("Ein Punkt mehr", skill, preview.up);
    if (preview.down.offered)
        text += "\n" + DescribeStep("Ein Punkt weniger", skill, preview.down);
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

SkillArray<std::string> SkillTipTexts(const Planner &planner)
{
    const PlanPreview preview = PreviewPlan(planner);
    SkillArray<std::string> texts;
    for (int s = 1; s <= kSkillCount; ++s)
        texts[s] = DescribePreview(s, preview[s]);
    return texts;
}

} // namespace rollwerk
