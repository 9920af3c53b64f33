#include "Preview.h"

#include "Utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <exception>
#include <optional>

namespace rollwerk {

namespace {

// The texts are made for every skill after every user action: each is
// written into one string, without the temporaries of operator+.
void AppendNumber(std::string &text, std::int64_t number)
{
    std::array<char, 24> digits{};
    const char *end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    text.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

std::string Quoted(int skill)
{
    return rollwerk::Quoted(SkillCaption(skill));
}

std::string LockedReason(const Planner &planner, int skill, int column, std::int32_t level)
{
    const int unlock = UnlockLevel(skill, column);
    std::string text;
    text.reserve(96);
    if (unlock == kNever) {
        text.append(Quoted(skill)).append(" kann diese Klasse nie lernen.");
    } else if (level < unlock) {
        text.append("Diese Klasse bekommt ").append(Quoted(skill)).append(" erst ab Stufe ");
        AppendNumber(text, unlock);
        text.append(".");
    } else if (ParseInteger(planner.LFertGesAnzeige.Text()).value_or(0) <= 0) {
        text.append("Kein Fertigkeitsplatz ist frei.");
    } else {
        text.append(Quoted(skill)).append(" ist gesperrt.");
    }
    return text;
}

std::string CapReason(int skill, std::int32_t level)
{
    std::string text = "Die Stufe ";
    AppendNumber(text, level);
    text.append(" begrenzt ").append(Quoted(skill)).append(" auf ");
    AppendNumber(text, level);
    text.append(level == 1 ? " Punkt." : " Punkte.");
    return text;
}

std::string AtMinimumReason(int skill, std::int32_t minimum)
{
    return Quoted(skill) + " hat schon den kleinsten Wert " + std::to_string(minimum) + ".";
}

const std::string kNoPoint = "Kein Fertigkeitspunkt ist frei.";
const std::string kStillOverspent
    = "Auch mit einem Punkt weniger sind mehr Punkte verteilt, als die Stufe gew\u00e4hrt.";

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

void AppendPlural(std::string &text, std::int64_t count, std::string_view one, std::string_view many)
{
    AppendNumber(text, count);
    text += ' ';
    text += count == 1 ? one : many;
}

// "Angriffswert: +44 % → +52 %", or the whole line that comes or goes.
void AppendLine(std::string &text, const BonusChange &change)
{
    if (change.before.empty()) {
        text.append("neu: ").append(change.after);
        return;
    }
    if (change.after.empty()) {
        text.append("entf\u00e4llt: ").append(change.before);
        return;
    }
    text.append(change.before).append(" \u2192 ");
    const std::size_t valueAt = change.before.rfind(": ");
    if (valueAt == std::string::npos || change.after.compare(0, valueAt + 2, change.before, 0, valueAt + 2) != 0)
        text.append(change.after);
    else
        text.append(change.after, valueAt + 2);
}

void AppendStep(std::string &text, std::string_view title, int skill, const StepPreview &step)
{
    text.append(title);
    if (step.takesEffect) {
        text.append(": ");
    } else {
        text.append(" ist nicht m\u00f6glich: ").append(step.reason);
        if (step.skills.empty() && step.bonuses.empty()) {
            text += '\n';
            return;
        }
        text.append("\nDabei: ");
    }
    bool first = true;
    for (const SkillChange &change : step.skills) {
        text.append(first ? "" : ", ").append(SkillCaption(change.skill)).append(" ");
        AppendNumber(text, change.before);
        text.append(" \u2192 ");
        AppendNumber(text, change.after);
        first = false;
    }
    if (step.skills.empty())
        text.append(SkillCaption(skill)).append(" bleibt");
    if (!step.othersLowered.empty())
        text.append("\n").append(step.othersLowered);
    text.append("\nDanach frei: ");
    AppendPlural(text, step.freePoints, "Fertigkeitspunkt", "Fertigkeitspunkte");
    text.append(", ");
    AppendPlural(text, step.freeSlots, "Fertigkeitsplatz", "Fertigkeitspl\u00e4tze");
    text += '\n';
    for (const BonusChange &change : step.bonuses) {
        AppendLine(text, change);
        text += '\n';
    }
}

} // namespace

PlanPreview PreviewPlan(const Planner &planner)
{
    PlanPreview preview;
    const PlannerState state = planner.CaptureState();
    Planner scratch;
    for (int s = 1; s <= kSkillCount; ++s) {
        const NumberField &field = planner.SpEFert[s];
        preview[s].up = Simulate(planner, state, scratch, s, true);
        // At its minimum a field showing text that is not its value ("x") is
        // rewritten by the down button, which runs the rules; a step there
        // that ends where it began is not offered.
        if (!StepChangesText(field, -1))
            continue;
        StepPreview down = Simulate(planner, state, scratch, s, false);
        if (down.takesEffect || !down.skills.empty() || !down.bonuses.empty() || field.Value() > field.Minimum())
            preview[s].down = std::move(down);
    }
    return preview;
}

std::string DescribePreview(int skill, const SkillPreview &preview)
{
    std::string text;
    text.reserve(512);
    AppendStep(text, "Ein Punkt mehr", skill, preview.up);
    if (preview.down.offered) {
        text += '\n';
        AppendStep(text, "Ein Punkt weniger", skill, preview.down);
    }
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
