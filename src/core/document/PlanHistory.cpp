#include "PlanHistory.h"

#include "Catalogue.h"
#include "Commands.h"

#include <set>

namespace rollwerk {

namespace {

using UserEdit = NumberField::UserEdit;

// What the window shows of a state: everything but the planner arrays.
bool SameShown(const PlannerState &a, const PlannerState &b)
{
    return a.level == b.level && a.skills == b.skills && a.classText == b.classText
        && a.freePointsText == b.freePointsText && a.freeSlotsText == b.freeSlotsText
        && SameBonuses(a.bonuses, b.bonuses);
}

const FieldState &Field(const PlannerState &state, int field)
{
    return field == kLevelField ? state.level : state.skills[field];
}

std::string Shown(const std::string &text)
{
    return text.empty() ? std::string("leer") : text;
}

// "Klasse Vampirin" when the plan restarted; otherwise "Stufe 60 → 55" for
// the field the action began on or, without one, the first field whose
// text changed.
std::string StepName(const PlannerState &before, const PlannerState &after, int field)
{
    if (before.lastClass != after.lastClass || before.classText != after.classText)
        return "Klasse " + after.classText;
    for (int f = kLevelField; field < 0 && f <= kSkillCount; ++f) {
        if (Field(before, f).text != Field(after, f).text)
            field = f;
    }
    if (field < 0)
        return "Plan ge\u00e4ndert";
    const std::string name = field == kLevelField ? std::string("Stufe") : std::string(SkillCaption(field));
    std::string step = name + " " + Shown(Field(before, field).text) + " \u2192 " + Shown(Field(after, field).text);
    // A lower level takes points from skills on the way: the step names how
    // many, so that the way back to them is found.
    int lowered = 0;
    for (int s = 1; field == kLevelField && s <= kSkillCount; ++s)
        lowered += after.skillValue[s] < before.skillValue[s] ? 1 : 0;
    return lowered == 0 ? step : step + " " + LoweredSkillsText(lowered);
}

std::size_t HeapBytes(const std::string &text)
{
    static const std::size_t inPlace = std::string().capacity();
    return text.capacity() > inPlace ? text.capacity() + 1 : 0;
}

std::size_t StateBytes(const PlannerState &state)
{
    std::size_t bytes = sizeof(PlannerState) + HeapBytes(state.level.text) + HeapBytes(state.classText)
        + HeapBytes(state.freePointsText) + HeapBytes(state.freeSlotsText) + HeapBytes(state.lastClass);
    for (int s = 1; s <= kSkillCount; ++s)
        bytes += HeapBytes(state.skills[s].text);
    return bytes;
}

} // namespace

PlanHistory::NamedAction::NamedAction(PlanHistory &history, std::string_view name) : action_(history.planner_)
{
    // After the action began: its beginning forgets the name of the last one.
    history.name_ = name;
}

PlanHistory::PlanHistory(Planner &planner) : planner_(planner)
{
    connections_.push_back(planner_.actionStarted.Connect([this] { ActionStarted(); }));
    connections_.push_back(planner_.settled.Connect([this] { Settled(); }));
    connections_.push_back(
        planner_.SpEStufeH.userEdited.Connect([this](UserEdit edit) { UserEdited(kLevelField, edit); }));
    for (int s = 1; s <= kSkillCount; ++s)
        connections_.push_back(
            planner_.SpEFert[s].userEdited.Connect([this, s](UserEdit edit) { UserEdited(s, edit); }));
}

std::string PlanHistory::UndoText() const
{
    const std::string text(kUndoText);
    return done_ > 0 ? text + ": " + steps_[done_ - 1].name : text;
}

std::string PlanHistory::RedoText() const
{
    const std::string text(kRedoText);
    return done_ < steps_.size() ? text + ": " + steps_[done_].name : text;
}

bool PlanHistory::Undo()
{
    if (done_ == 0 || planner_.InUserAction())
        return false;
    --done_;
    return Load(*steps_[done_].before);
}

bool PlanHistory::Redo()
{
    if (done_ == steps_.size() || planner_.InUserAction())
        return false;
    ++done_;
    return Load(*steps_[done_ - 1].after);
}

void PlanHistory::Restart()
{
    steps_.clear();
    done_ = 0;
    open_ = {};
}

bool PlanHistory::Load(const PlannerState &state)
{
    // The next key starts a step of its own, also in the field that was open.
    open_ = {};
    loading_ = true;
    struct Loaded {
        bool &loading;
        ~Loaded() { loading = false; }
    } loaded{loading_};
    planner_.LoadState(state);
    return true;
}

void PlanHistory::ActionStarted()
{
    if (loading_)
        return;
    // The last action left a field without changing anything.
    if (leaving_)
        open_ = {};
    leaving_ = false;
    planner_.CaptureState(started_);
    name_.clear();
    origin_ = {};
}

void PlanHistory::UserEdited(int field, UserEdit edit)
{
    if (edit == UserEdit::Left)
        leaving_ = true;
    if (origin_.field < 0)
        origin_ = {field, edit};
}

void PlanHistory::Settled()
{
    if (loading_)
        return;
    PlannerState after = planner_.CaptureState();
    if (!SameShown(started_, after))
        Record(std::move(after));
    if (leaving_)
        open_ = {};
    leaving_ = false;
}

void PlanHistory::Record(PlannerState after)
{
    const bool continues
        = (open_.edit == UserEdit::Typed && origin_.edit != UserEdit::Stepped && origin_.edit != UserEdit::HeldStep)
        || (open_.edit == UserEdit::Stepped && origin_.edit == UserEdit::HeldStep);
    if (name_.empty() && open_.field >= 0 && open_.field == origin_.field && continues && done_ == steps_.size()
        && done_ > 0) {
        Step &last = steps_.back();
        if (SameShown(*last.before, after)) {
            // Typed back to what it was: nothing left to undo.
            steps_.pop_back();
            done_ = steps_.size();
            open_ = {};
            return;
        }
        last.after = std::make_shared<const PlannerState>(std::move(after));
        last.name = StepName(*last.before, *last.after, origin_.field);
        return;
    }

    // A new step drops what could be redone.
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    // Mostly the plan that the last step left: kept once.
    auto before = !steps_.empty() && *steps_.back().after == started_ ? steps_.back().after
                                                                      : std::make_shared<const PlannerState>(started_);
    std::string name = name_.empty() ? StepName(*before, after, origin_.field) : name_;
    steps_.push_back({std::move(before), std::make_shared<const PlannerState>(std::move(after)), std::move(name)});
    if (steps_.size() > kKeptSteps)
        steps_.pop_front();
    done_ = steps_.size();

    open_ = {};
    if (name_.empty() && origin_.field >= 0 && origin_.edit != UserEdit::Left)
        open_ = {origin_.field, origin_.edit == UserEdit::Typed ? UserEdit::Typed : UserEdit::Stepped};
}

std::size_t PlanHistory::MemoryBytes() const
{
    std::set<const void *> states;
    std::set<const void *> lines;
    std::size_t bytes = 0;
    const auto count = [&](const std::shared_ptr<const PlannerState> &state) {
        if (!states.insert(state.get()).second)
            return;
        bytes += StateBytes(*state);
        if (!state->bonuses || !lines.insert(state->bonuses.get()).second)
            return;
        bytes += sizeof(ShownBonuses) + state->bonuses->lines.capacity() * sizeof(std::string);
        for (const std::string &line : state->bonuses->lines)
            bytes += HeapBytes(line);
    };
    for (const Step &step : steps_) {
        bytes += sizeof(Step) + HeapBytes(step.name);
        count(step.before);
        count(step.after);
    }
    return bytes;
}

void LoadNewPlan(Planner &planner)
{
    Planner fresh;
    fresh.FormCreate();
    planner.LoadState(fresh.CaptureState());
}

} // namespace rollwerk
