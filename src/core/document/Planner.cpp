#include "Planner.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>

namespace rollwerk {

namespace {

std::vector<std::string> ClassItems()
{
    return {kClassNames.begin(), kClassNames.end()};
}

void CopyField(const NumberField &field, FieldState &state)
{
    state.text = field.Text();
    state.minimum = field.Minimum();
    state.maximum = field.Maximum();
    state.enabled = field.Enabled();
    state.colour = field.Colour();
    state.captionEnabled = field.CaptionEnabled();
}

// The first plan: the default class's two starting skills at 1, the rest locked at 0.
NumberField InitialSkillField(int skill)
{
    const bool starting = UnlockLevel(skill, 0) == 0;
    return starting ? NumberField(1, 1, 1, true, kAvailableColour) : NumberField(0, 1, 0, false, kLockedColour);
}

} // namespace

Planner::Planner()
    : CBCharwahl(ClassItems(), std::string(kDefaultClass)), SpEStufeH(kMinLevel, kMaxLevel, 1, true, kSkyBlue),
      LFertFrei(std::string(kFreePointsCaption) + "0"), LFertGesAnzeige("0")
{
    for (int s = 1; s <= kSkillCount; ++s) {
        SpEFert[s] = InitialSkillField(s);
        SpEFert[s].onChange = [this] { SpEFertChange(); };
        SpEFert[s].actions = this;
    }
    SpEStufeH.onChange = [this] { CBCharwahlChange(); };
    SpEStufeH.actions = this;
    CBCharwahl.onChange = [this] { CBCharwahlChange(); };
    CBCharwahl.actions = this;
    // Room for deeper nesting than any plan has shown, so that the slots never move.
    runs_.reserve(kUsualNesting);
}

void Planner::FormCreate()
{
    LastClass = kDefaultClass;
    Bonus.Initialise();
    ReadSkills();
    RebuildBonusList();
}

void Planner::CBCharwahlChange()
{
    Guarded(Procedure::ClassChange, [this] { ClassChangeBody(); });
}

void Planner::SpEFertChange()
{
    Guarded(Procedure::SkillChange, [this] { SkillChangeBody(); });
}

template <typename Body> void Planner::Guarded(Procedure procedure, Body body)
{
    if (depth_ >= kMaxNesting)
        throw std::runtime_error("Die Planerregeln sind zu tief verschachtelt.");
    // Outside any user action the outermost procedure is one of its own.
    const UserAction action(depth_ == 0 ? this : nullptr);
    if (static_cast<std::size_t>(depth_) == runs_.size())
        runs_.emplace_back();
    Run &run = runs_[static_cast<std::size_t>(depth_)];
    run.procedure = procedure;
    CaptureState(run.state);
    const auto ancestors = runs_.begin() + depth_;
    if (std::any_of(runs_.begin(), ancestors,
            [&](const Run &ancestor) { return ancestor.procedure == procedure && ancestor.state == run.state; })) {
        ++counts_.repeatsStopped;
        return;
    }

    // Nested runs may grow runs_, so run is not used past this point.
    ++(procedure == Procedure::ClassChange ? counts_.classChanges : counts_.skillChanges);
    ++depth_;
    counts_.maxDepth = std::max(counts_.maxDepth, depth_);
    {
        struct LeaveOnExit {
            int &depth;
            ~LeaveOnExit() { --depth; }
        } leave{depth_};
        body();
    }
    if (depth_ == 0)
        MarkRan();
}

void Planner::ClassChangeBody()
{
    if (CBCharwahl.Text() != LastClass) {
        LastClass = CBCharwahl.Text();
        SpEStufeH.SetValue(1);
        SkillValue = {};
        EditDelta = {};
        UndoEdit(); // writes 0 into every skill field
    }
    CheckLevel();
    const std::int32_t level = SpEStufeH.Value();
    SetSkillCaps(level);
    if (!ClassColumn(CBCharwahl.Text()))
        CBCharwahl.SetText(std::string(kDefaultClass));
    ApplyUnlockAll(level);
    ReadSkills();
    ShowCounters(level);
}

void Planner::SkillChangeBody()
{
    PreviousValues = SkillValue;
    ReadSkills();
    for (int s = 1; s <= kSkillCount; ++s)
        EditDelta[s] = std::int64_t{SkillValue[s]} - PreviousValues[s];
    if (FreeSkillPoints(SpEStufeH.Value(), SkillValue) < 0) {
        UndoEdit();
        // A field whose maximum has dropped clamps the value written back;
        // what follows must describe the values the fields show.
        ReadSkills();
    }
    RebuildBonusList();
    CheckLevel();
    const std::int32_t level = SpEStufeH.Value();
    ShowCounters(level);
    if (ParseInteger(LFertGesAnzeige.Text()).value_or(0) <= 0)
        LockUnchosenSkills();
    else
        ApplyUnlockAll(level);
}

void Planner::ReadSkills()
{
    for (int s = 1; s <= kSkillCount; ++s)
        SkillValue[s] = SpEFert[s].Value();
}

void Planner::UndoEdit()
{
    // EditDelta[s] is the difference of two 32-bit values, so the result is one of them.
    for (int s = 1; s <= kSkillCount; ++s)
        SkillValue[s] = static_cast<std::int32_t>(SkillValue[s] - EditDelta[s]);
    // Each write may run SpEFertChange nested, which re-reads SkillValue:
    // later writes put back what that run read.
    for (int s = 1; s <= kSkillCount; ++s)
        SpEFert[s].SetValue(SkillValue[s]);
}

void Planner::LockSkill(int skill)
{
    NumberField &field = SpEFert[skill];
    // Most calls find the skill locked already; then every step below would
    // change nothing and raise nothing.
    if (!field.CaptionEnabled() && !field.Enabled() && field.Colour() == kLockedColour && field.Minimum() == 0
        && field.Text() == "0")
        return;
    field.SetCaptionEnabled(false);
    field.SetEnabled(false);
    field.SetColour(kLockedColour);
    field.SetValue(0); // while the old minimum still holds
    field.SetMinimum(0);
}

void Planner::LockUnchosenSkills()
{
    for (int s = 1; s <= kSkillCount; ++s) {
        if (SpEFert[s].Value() == 0)
            LockSkill(s);
    }
}

void Planner::ApplyUnlock(int skill, std::int32_t level)
{
    const std::optional<int> column = ClassColumn(CBCharwahl.Text());
    const int unlock = column ? UnlockLevel(skill, *column) : kNever;
    NumberField &field = SpEFert[skill];
    if (column && unlock == 0 && level == 1) {
        field.SetValue(1);
        field.SetMinimum(1);
    }
    if (column && level >= unlock) {
        field.SetCaptionEnabled(true);
        field.SetEnabled(true);
        field.SetColour(kAvailableColour);
    } else {
        LockSkill(skill);
    }
}

void Planner::ApplyUnlockAll(std::int32_t level)
{
    for (int s = 1; s <= kSkillCount; ++s)
        ApplyUnlock(s, level);
}

void Planner::SetSkillCaps(std::int32_t level)
{
    for (int s = 1; s <= kSkillCount; ++s)
        SpEFert[s].SetMaximum(level);
}

void Planner::ShowCounters(std::int32_t level)
{
    // Formatted on the stack: the counters are shown after every change and mostly stay the same.
    std::array<char, 64> text{};
    if (const std::optional<int> slots = SkillSlots(level)) {
        const auto end
            = std::to_chars(text.data(), text.data() + text.size(), *slots - ChosenSkillCount(SkillValue)).ptr;
        LFertGesAnzeige.SetText(std::string_view(text.data(), static_cast<std::size_t>(end - text.data())));
    }
    const auto start = std::copy(kFreePointsCaption.begin(), kFreePointsCaption.end(), text.begin());
    const auto end = std::to_chars(start, text.data() + text.size(), FreeSkillPoints(level, SkillValue)).ptr;
    LFertFrei.SetText(std::string_view(text.data(), static_cast<std::size_t>(end - text.data())));
}

void Planner::CheckLevel()
{
    const std::int32_t level = SpEStufeH.Value();
    if (level < kMinLevel || level > kMaxLevel)
        SpEStufeH.SetValue(1);
}

void Planner::RebuildBonusList()
{
    LBBoni.Replace(RebuildBonusTexts(Bonus, SkillValue));
}

PlannerState Planner::CaptureState() const
{
    PlannerState state;
    CaptureState(state);
    return state;
}

void Planner::CaptureState(PlannerState &state) const
{
    CopyField(SpEStufeH, state.level);
    for (int s = 1; s <= kSkillCount; ++s)
        CopyField(SpEFert[s], state.skills[s]);
    state.classText = CBCharwahl.Text();
    state.freePointsText = LFertFrei.Text();
    state.freeSlotsText = LFertGesAnzeige.Text();
    state.bonuses = LBBoni.Shown();
    state.skillValue = SkillValue;
    state.previousValues = PreviousValues;
    state.editDelta = EditDelta;
    state.lastClass = LastClass;
}

void Planner::LoadState(const PlannerState &state)
{
    // A change of the plan like a procedure's: the views hear of every field
    // that changes and settle once, when the outermost user action ends.
    const UserAction action(*this);
    const auto restore = [](NumberField &field, const FieldState &from) {
        field.Restore(from.text, from.minimum, from.maximum, from.enabled, from.colour, from.captionEnabled);
    };
    restore(SpEStufeH, state.level);
    for (int s = 1; s <= kSkillCount; ++s)
        restore(SpEFert[s], state.skills[s]);
    CBCharwahl.SetText(state.classText);
    LFertFrei.SetText(state.freePointsText);
    LFertGesAnzeige.SetText(state.freeSlotsText);
    // A list view refills itself on every rebuild: lines it shows already are left alone.
    if (!SameBonuses(LBBoni.Shown(), state.bonuses))
        LBBoni.Replace(state.bonuses);
    SkillValue = state.skillValue;
    PreviousValues = state.previousValues;
    EditDelta = state.editDelta;
    LastClass = state.lastClass;
    // The value texts are the list's values: undo brings both back together.
    Bonus.Restore(state.bonuses);
    MarkRan();
}

Plan CurrentPlan(const Planner &planner)
{
    Plan plan{planner.CBCharwahl.Text(), planner.SpEStufeH.Value(), {}};
    for (int s = 1; s <= kSkillCount; ++s)
        plan.skills[s] = planner.SpEFert[s].Value();
    return plan;
}

} // namespace rollwerk
