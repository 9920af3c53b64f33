#include "PlanDocument.h"

#include "ComparisonTexts.h"
#include "Overloaded.h"
#include "PlanApply.h"
#include "PlanShelfTexts.h"
#include "Preview.h"

namespace rollwerk {

namespace {

std::uint8_t ChangedProperties(const FieldState &before, const FieldState &after)
{
    using Property = NumberField::Property;
    std::uint8_t changed = 0;
    const auto note = [&](bool differs, Property property) {
        if (differs)
            changed |= PlanRecord::Bit(property);
    };
    note(before.text != after.text, Property::Text);
    note(before.minimum != after.minimum, Property::Minimum);
    note(before.maximum != after.maximum, Property::Maximum);
    note(before.enabled != after.enabled, Property::Enabled);
    note(before.colour != after.colour, Property::Colour);
    note(before.captionEnabled != after.captionEnabled, Property::CaptionEnabled);
    return changed;
}

// The history starts at the plan of a new window, after FormCreate.
Planner &Created(Planner &planner)
{
    planner.FormCreate();
    return planner;
}

// What entering a plan answers.
void Take(const PlanApplication &application, CommandReply &reply)
{
    reply.applied = application.applied;
    reply.message = application.message;
}

// A link's code read; without a plan, the reply says why and that nothing was applied.
PlanDecoding Decoded(std::string_view code, CommandReply &reply)
{
    PlanDecoding decoding = DecodePlanCode(code);
    reply.decoded = decoding.plan.has_value();
    reply.applied = false;
    reply.message = decoding.error;
    return decoding;
}

HistoryItems ItemsOf(const PlanHistory &history)
{
    return {history.UndoText(), history.RedoText(), history.UndoCount() > 0, history.RedoCount() > 0};
}

} // namespace

bool PlanRecord::Empty() const
{
    for (const std::uint8_t changed : fields) {
        if (changed != 0)
            return false;
    }
    return !(classText || freePoints || freeSlots || bonuses || tips || history || code);
}

PlanRecord PlanDocument::Everything()
{
    PlanRecord record;
    record.fields.fill(PlanRecord::kAllProperties);
    record.classText = record.freePoints = record.freeSlots = record.bonuses = true;
    record.tips = record.history = record.code = true;
    return record;
}

PlanDocument::PlanDocument() : history_(Created(planner_))
{
    // The history hears of a settled action first (it connected first) and
    // has kept its step by the time the record is made.
    settled_ = planner_.settled.Connect([this] { Publish(); });
    planner_.CaptureState(published_);
    items_ = ItemsOf(history_);
    code_ = EncodePlan(CurrentPlan(planner_));
}

const SkillArray<std::string> &PlanDocument::Tips() const
{
    if (!tips_)
        tips_ = SkillTipTexts(planner_);
    return *tips_;
}

CommandReply PlanDocument::Run(const Command &command)
{
    const int publishes = publishes_;
    CommandReply reply;
    bool onField = false;
    {
        const UserAction action(planner_);
        onField = RunHoldCommand(command, reply) || RunFieldCommand(planner_, command, reply);
    }
    // Undo and redo refuse to run inside a user action; the other plan
    // commands open their own, named for the history.
    if (!onField)
        reply = RunPlanCommand(command);
    // An action that ran no procedure did not settle, and the first plan
    // holds its record until the history has forgotten the step.
    if (publishes_ == publishes)
        Publish();
    return reply;
}

bool PlanDocument::RunHoldCommand(const Command &command, CommandReply &reply)
{
    const auto step = [&](const std::optional<command::Step> &taken) {
        if (!taken)
            return;
        // A step that fails ends the hold, so that an error cannot repeat.
        try {
            RunFieldCommand(planner_, *taken, reply);
        } catch (...) {
            hold_.Release();
            reply.waitMs = 0;
            throw;
        }
    };
    return std::visit(Overloaded{
                          [&](const command::HoldPress &c) {
                              FieldOf(planner_, c.field);
                              reply.waitMs = hold_.Press(c.field, c.direction).waitMs;
                              return true;
                          },
                          [&](const command::HoldTick &) {
                              const StepHold::Next next = hold_.Tick();
                              reply.waitMs = next.waitMs;
                              step(next.step);
                              return true;
                          },
                          [&](const command::HoldMove &c) {
                              hold_.Move(c.over);
                              return true;
                          },
                          [&](const command::HoldLift &c) {
                              step(hold_.Lift(c.over));
                              return true;
                          },
                          [&](const command::HoldRelease &) {
                              hold_.Release();
                              return true;
                          },
                          [](const auto &) { return false; },
                      },
        command);
}

void PlanDocument::OpenFirst(std::string_view code, CommandReply &reply)
{
    const PlanDecoding decoding = Decoded(code, reply);
    if (!decoding.plan)
        return;
    // One record, made once the history has forgotten the step.
    holding_ = true;
    const struct Release {
        bool &holding;
        ~Release() { holding = false; }
    } release{holding_};
    PlanApplication application;
    {
        const UserAction action(planner_);
        application = ApplyPlan(planner_, *decoding.plan);
    }
    Take(application, reply);
    history_.Restart();
}

CommandReply PlanDocument::RunPlanCommand(const Command &command)
{
    CommandReply reply;
    const auto enter = [&](std::string_view step, const Plan &plan, bool fresh) {
        const PlanHistory::NamedAction action(history_, step);
        if (fresh)
            LoadNewPlan(planner_);
        Take(ApplyPlan(planner_, plan), reply);
    };
    std::visit(Overloaded{
                   [&](const command::Undo &) { reply.moved = history_.Undo(); },
                   [&](const command::Redo &) { reply.moved = history_.Redo(); },
                   [&](const command::PastePlan &c) {
                       const PlanHistory::NamedAction action(history_, kPastePlanStep);
                       Take(PastePlan(planner_, c.content, c.text), reply);
                   },
                   [&](const command::NewPlan &) {
                       const PlanHistory::NamedAction action(history_, kNewPlanStep);
                       LoadNewPlan(planner_);
                   },
                   [&](const command::OpenLink &c) {
                       const PlanDecoding decoding = Decoded(c.code, reply);
                       if (decoding.plan)
                           enter(kOpenLinkStep, *decoding.plan, true);
                   },
                   [&](const command::OpenFirst &c) { OpenFirst(c.code, reply); },
                   [&](const command::TakeProposal &c) { enter(kTakeProposalStep, c.plan, false); },
                   [&](const command::TakePathPlan &c) {
                       enter(std::string(kTakePathPlanStep) + std::to_string(c.plan.level), c.plan, false);
                   },
                   [&](const command::OpenSaved &c) {
                       const PlanDecoding decoding = Decoded(c.code, reply);
                       if (decoding.plan)
                           enter(OpenSavedStep(c.name), *decoding.plan, true);
                   },
                   [](const auto &) {},
               },
        command);
    return reply;
}

PlanSide PlanDocument::Shown() const
{
    const Plan plan = CurrentPlan(planner_);
    return {plan.level, plan.skills, planner_.LBBoni.Values()};
}

std::string PlanDocument::CompareWithShown(const Plan &other) const
{
    return DescribeAgainstShown(planner_.CBCharwahl.Text(), Shown(), other);
}

GoalView PlanDocument::AnswerGoal(Goal goal) const
{
    const PlanSide shown = Shown();
    goal.classColumn = ClassColumn(planner_.CBCharwahl.Text()).value_or(0);
    goal.current = shown.skills;
    GoalView view;
    view.answer = Optimise(goal);
    view.texts = DescribeGoalAnswer(goal, view.answer, shown);
    view.curves = GoalCurves(goal, view.answer.found ? view.answer.skills : goal.current);
    for (int row = 1; row <= kBonusRowCount; ++row)
        view.reachable.at(static_cast<std::size_t>(row - 1)) = RowReachable(row, goal.classColumn, goal.level);
    // Entering the plan that is shown already would change nothing: "Übernehmen" has nothing to enter.
    if (view.answer.found) {
        Plan proposal = ProposedPlan(goal, view.answer.skills);
        if (proposal != CurrentPlan(planner_))
            view.proposal = std::move(proposal);
    }
    view.goal = goal;
    view.path = PathToGoal(goal, shown.level, view.answer);
    view.pathRows = DescribePath(view.path);
    return view;
}

std::optional<Plan> PathPlanAt(const GoalView &view, std::int32_t level)
{
    const PathStep *step = StepAt(view.path, level);
    if (!step)
        return std::nullopt;
    return Plan{
        std::string(kClassNames.at(static_cast<std::size_t>(view.goal.classColumn))), step->level, step->skills};
}

void PlanDocument::Publish()
{
    // Between actions only: inside one, the views wait for its end.
    if (planner_.InUserAction() || holding_)
        return;
    ++publishes_;
    const PlannerState now = planner_.CaptureState();
    PlanRecord record;
    record.fields[kLevelField] = ChangedProperties(published_.level, now.level);
    for (int s = 1; s <= kSkillCount; ++s)
        record.fields[static_cast<std::size_t>(s)] = ChangedProperties(published_.skills[s], now.skills[s]);
    record.classText = published_.classText != now.classText;
    record.freePoints = published_.freePointsText != now.freePointsText;
    record.freeSlots = published_.freeSlotsText != now.freeSlotsText;
    record.bonuses = !SameBonuses(published_.bonuses, now.bonuses);
    if (!record.Empty()) {
        SkillArray<std::string> tips = SkillTipTexts(planner_);
        record.tips = tips != tips_;
        tips_ = std::move(tips);
        std::string code = EncodePlan(CurrentPlan(planner_));
        record.code = code != code_;
        code_ = std::move(code);
    }
    HistoryItems items = ItemsOf(history_);
    record.history = items != items_;
    items_ = std::move(items);
    published_ = now;
    if (!record.Empty())
        recorded.Emit(record);
}

} // namespace rollwerk
