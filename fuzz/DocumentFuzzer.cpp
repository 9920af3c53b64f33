// Reads the input as a sequence of commands on a plan document: the field
// commands of the planner's fuzz target, and the commands that go through
// the history, the plan code, the goal's link and the optimiser. After each
// one the plan is consistent, the plan shown compared with its own code
// differs in nothing, and the history names its steps.
//
// Input format, one command after another (missing bytes read as 0):
//   kind  byte: below 200 a field command (the format of
//         PlannerActionsFuzzer.cpp, from the next byte on); 200.. undo,
//         redo, "Neuer Plan", a pasted text, a link's code, the plan the
//         window opens with, a goal's link whose answer is taken, a saved
//         plan's name and code
//   text  byte % 16 characters (for the pasted text, the codes, the goal and the name)

#include "FuzzCommands.h"
#include "GoalLink.h"
#include "PlanDocument.h"

using namespace rollwerk;
using namespace rollwerk::fuzz;

namespace {

Command NextCommand(const PlanDocument &document, Reader &in)
{
    const std::uint8_t kind = in.Byte();
    if (kind < 200)
        return FieldCommand(document.Models(), in);
    switch ((kind - 200) % 8) {
    case 0:
        return command::Undo{};
    case 1:
        return command::Redo{};
    case 2:
        return command::NewPlan{};
    case 3:
        return command::PastePlan{ClipboardContent::Text, in.Text()};
    case 4:
        return command::OpenLink{in.Text()};
    case 5:
        return command::OpenFirst{in.Text()};
    case 6: {
        std::string name = in.Text();
        return command::OpenSaved{std::move(name), in.Text()};
    }
    default: {
        // A goal read from a link: its answer for the plan shown, taken when there is one.
        const GoalLinkDecoding goal = DecodeGoalLink(in.Text());
        if (!goal.goal) {
            if (goal.error.empty())
                Violated("a goal's link neither read nor refused");
            return command::Leave{kLevelField};
        }
        const GoalView view = document.AnswerGoal(*goal.goal);
        // "Übernehmen" enters the answer, unless the answer is the plan shown already.
        const bool enters
            = view.answer.found && ProposedPlan(view.goal, view.answer.skills) != CurrentPlan(document.Models());
        if (enters != view.proposal.has_value())
            Violated("a proposal other than the answer to enter");
        if (!view.answer.found && view.answer.reason.empty())
            Violated("no answer and no reason");
        if (view.proposal && !PlanProblem(*view.proposal).empty())
            Violated("a proposal outside the code's ranges");
        if (view.proposal && (view.path.steps.empty() || view.path.steps.back().skills != view.answer.skills))
            Violated("a levelling path that does not end at the answer");
        // An odd byte takes a plan of the path instead, at a level the byte names.
        if (const std::uint8_t pick = view.proposal ? in.Byte() : 0; pick % 2 == 1) {
            const PathStep &step = view.path.steps.at(pick / 2 % view.path.steps.size());
            return command::TakePathPlan{*PathPlanAt(view, step.level)};
        }
        return view.proposal ? Command(command::TakeProposal{*view.proposal}) : Command(command::Leave{kLevelField});
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    PlanDocument document;
    Reader in(data, size);
    while (!in.AtEnd()) {
        document.Models().ResetCounts();
        document.Run(NextCommand(document, in));
        CheckPlan(document.Models());
        if (const PlanDecoding own = DecodePlanCode(document.Code()); own.plan) {
            if (!ComparePlans(document.Shown(), SideOf(own.plan->level, own.plan->skills)).Same())
                Violated("the plan shown differs from its own code");
        }
        if (document.History().UndoCount() > PlanHistory::kKeptSteps)
            Violated("the history keeps more steps than it promises");
        if (document.Items().canUndo != (document.History().UndoCount() > 0))
            Violated("the undo item disagrees with the history");
    }
    return 0;
}
