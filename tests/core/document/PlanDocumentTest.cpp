// The plan document: random commands of every kind (the fields, the class
// box, undo, redo, "Neuer Plan", pasted plans, opened links and saved
// plans, taken proposals and plans of the levelling path). After each one, a
// view that applies nothing but the records shows what the planner shows, and
// everything that reads the shown plan
// (the comparison with its own code, the goals window's "before") agrees
// with the bonus list; and a table of how many records and list redraws an
// action makes.

#include "PlanDocument.h"

#include "Goal.h"
#include "GoalTexts.h"
#include "Preview.h"
#include "RandomUser.h"
#include "ShownValues.h"

#include <gtest/gtest.h>

namespace rollwerk {
namespace {

using namespace rollwerk::testing;

// A view that learns of the plan only from the records.
struct RecordView {
    explicit RecordView(PlanDocument &d) : document(d), shown(d.Models().CaptureState())
    {
        tips = d.Tips();
        items = d.Items();
        code = d.Code();
        connection = d.recorded.Connect([this](const PlanRecord &record) { Apply(record); });
    }

    void Apply(const PlanRecord &record)
    {
        ++records;
        const PlannerState now = document.Models().CaptureState();
        const auto copy = [](std::uint8_t changed, FieldState &to, const FieldState &from) {
            using P = NumberField::Property;
            const auto has = [changed](P p) { return (changed & PlanRecord::Bit(p)) != 0; };
            if (has(P::Text))
                to.text = from.text;
            if (has(P::Minimum))
                to.minimum = from.minimum;
            if (has(P::Maximum))
                to.maximum = from.maximum;
            if (has(P::Enabled))
                to.enabled = from.enabled;
            if (has(P::Colour))
                to.colour = from.colour;
            if (has(P::CaptionEnabled))
                to.captionEnabled = from.captionEnabled;
        };
        copy(record.fields[kLevelField], shown.level, now.level);
        for (int s = 1; s <= kSkillCount; ++s)
            copy(record.fields[static_cast<std::size_t>(s)], shown.skills[s], now.skills[s]);
        if (record.classText)
            shown.classText = now.classText;
        if (record.freePoints)
            shown.freePointsText = now.freePointsText;
        if (record.freeSlots)
            shown.freeSlotsText = now.freeSlotsText;
        if (record.bonuses) {
            shown.bonuses = now.bonuses;
            ++listRedraws;
        }
        if (record.tips)
            tips = document.Tips();
        if (record.history)
            items = document.Items();
        if (record.code)
            code = document.Code();
    }

    ::testing::AssertionResult ShowsThePlan() const
    {
        const Planner &p = document.Models();
        const PlannerState now = p.CaptureState();
        if (!(shown.level == now.level && shown.skills == now.skills && shown.classText == now.classText
                && shown.freePointsText == now.freePointsText && shown.freeSlotsText == now.freeSlotsText
                && SameBonuses(shown.bonuses, now.bonuses)))
            return ::testing::AssertionFailure() << "the view of the records differs from the planner";
        if (tips != SkillTipTexts(p))
            return ::testing::AssertionFailure() << "stale tooltips";
        const PlanHistory &h = document.History();
        if (items != HistoryItems{h.UndoText(), h.RedoText(), h.UndoCount() > 0, h.RedoCount() > 0})
            return ::testing::AssertionFailure() << "stale history items: " << items.undo << " / " << items.redo;
        if (code != EncodePlan(CurrentPlan(p)))
            return ::testing::AssertionFailure() << "stale plan code " << code;
        return ::testing::AssertionSuccess();
    }

    PlanDocument &document;
    PlannerState shown;
    SkillArray<std::string> tips;
    HistoryItems items;
    std::string code;
    int records = 0;
    int listRedraws = 0;
    Connection connection;
};

// Everything that reads the shown plan agrees with the bonus list.
::testing::AssertionResult ReadersAgreeWithTheList(const PlanDocument &d, bool askGoals)
{
    const Planner &p = d.Models();
    if (const char *view = MismatchWithShownValues(p))
        return ::testing::AssertionFailure() << view << " does not describe the values the fields show";
    const PlanSide shown = d.Shown();
    std::vector<std::string> lines;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        if (std::string line = BonusLine(row, shown.rows.at(static_cast<std::size_t>(row - 1))); !line.empty())
            lines.push_back(std::move(line));
    }
    if (lines != p.LBBoni.Lines())
        return ::testing::AssertionFailure() << "the compared rows are not the list's";
    if (const PlanDecoding own = DecodePlanCode(d.Code()); own.plan) {
        const PlanComparison self = ComparePlans(shown, SideOf(own.plan->level, own.plan->skills));
        if (self.levelBefore != self.levelAfter || !self.skills.empty() || !self.rows.empty())
            return ::testing::AssertionFailure() << "the plan differs from its own code";
    }
    if (askGoals && ClassColumn(p.CBCharwahl.Text())) {
        // No weights, the points kept: the answer is the plan shown (where the
        // plan is regular), and then "before" and "after" are the same.
        Goal goal;
        goal.classColumn = *ClassColumn(p.CBCharwahl.Text());
        goal.level = shown.level;
        goal.current = shown.skills;
        const GoalAnswer answer = Optimise(goal);
        if (answer.found && answer.skills == shown.skills
            && !DescribeGoalAnswer(goal, answer, shown).comparison.empty())
            return ::testing::AssertionFailure() << "the goals window compares the plan with itself: "
                                                 << DescribeGoalAnswer(goal, answer, shown).comparison.front();
    }
    return ::testing::AssertionSuccess();
}

// A plan anywhere in the rules' range, mostly with few skills.
Plan RandomPlan(RandomUser &user)
{
    Plan plan{std::string(kClassNames[static_cast<std::size_t>(user.Pick(0, kClassCount - 1))]), user.Pick(1, 250), {}};
    for (int k = user.Pick(0, 6); k > 0; --k)
        plan.skills[user.Pick(1, kSkillCount)] = user.Pick(0, plan.level);
    return plan;
}

// The goals window's answer for a random goal on the plan shown, or the
// plan of its levelling path at a random level.
Command Proposal(RandomUser &user, const Planner &p)
{
    Goal goal;
    goal.classColumn = ClassColumn(p.CBCharwahl.Text()).value_or(0);
    goal.level = user.Pick(1, 250);
    goal.keepSpent = user.Pick(0, 1) == 0;
    goal.current = CurrentPlan(p).skills;
    for (int k = user.Pick(1, 4); k > 0; --k)
        goal.weight.at(static_cast<std::size_t>(user.Pick(0, kBonusRowCount - 1))) = user.Pick(1, 10);
    const GoalAnswer answer = Optimise(goal);
    if (answer.found && user.Pick(0, 1) == 0) {
        const LevelPath path = PathToGoal(goal, CurrentPlan(p).level, answer);
        const PathStep &step
            = path.steps.at(static_cast<std::size_t>(user.Pick(0, static_cast<int>(path.steps.size()) - 1)));
        return command::TakePathPlan{
            {std::string(kClassNames.at(static_cast<std::size_t>(goal.classColumn))), step.level, step.skills}};
    }
    return command::TakeProposal{answer.found ? ProposedPlan(goal, answer.skills) : RandomPlan(user)};
}

Command NextCommand(RandomUser &user, const Planner &p)
{
    const int kind = user.Pick(0, 99);
    if (kind < 8)
        return command::Undo{};
    if (kind < 12)
        return command::Redo{};
    if (kind < 13)
        return command::NewPlan{};
    if (kind < 15)
        return command::PastePlan{ClipboardContent::Text, "Mein Plan: " + EncodePlan(RandomPlan(user))};
    if (kind < 16)
        return user.Pick(0, 1) == 0
            ? Command(command::OpenLink{EncodePlan(RandomPlan(user))})
            : Command(command::OpenSaved{"Plan " + std::to_string(kind), EncodePlan(RandomPlan(user))});
    if (kind < 17 && user.Pick(0, 9) == 0)
        return command::OpenFirst{EncodePlan(RandomPlan(user))};
    if (kind < 18)
        return Proposal(user, p);
    return user.Next(p);
}

TEST(PlanDocument, RecordsAndReadersFollowRandomCommands)
{
    constexpr int kCommands = 4000;
    const std::uint32_t seed = RandomSeed(20261210U);
    RandomUser user(seed);
    PlanDocument document;
    RecordView view(document);
    for (int i = 0; i < kCommands; ++i) {
        const Command command = NextCommand(user, document.Models());
        const int records = view.records;
        document.Run(command);
        const std::string what
            = "seed " + std::to_string(seed) + ", command " + std::to_string(i) + ": " + DescribeCommand(command);
        ASSERT_LE(view.records, records + 1) << what;
        ASSERT_TRUE(view.ShowsThePlan()) << what;
        ASSERT_TRUE(ReadersAgreeWithTheList(document, i % 8 == 0)) << what;
    }
}

// The worked example of the comparison fault: a skill raised, then undone.
TEST(PlanDocument, UndoBringsBackWhatTheComparisonReads)
{
    PlanDocument document;
    document.Run(command::Type{kLevelField, 0, 1, U'2'});
    document.Run(command::Type{kLevelField, 1, 0, U'0'});
    document.Run(command::Leave{kLevelField});
    document.Run(command::Type{1, 0, 1, U'1'});
    document.Run(command::Type{1, 1, 0, U'0'});
    document.Run(command::Leave{1});
    document.Run(command::Undo{});
    EXPECT_EQ(document.Models().LBBoni.Lines().front(), "Schaden bei physischen Angriffen: +12 %");
    EXPECT_TRUE(ReadersAgreeWithTheList(document, true));
}

// A step button held down: the press waits, each tick over the button steps,
// off it the ticks pause, and the release over it steps once more; the whole
// press is one step of the history.
TEST(PlanDocument, AHeldButtonStepsAsTheCoreTimesIt)
{
    PlanDocument document;
    document.Run(command::Edit{kLevelField, "20"});
    document.Run(command::Leave{kLevelField});
    const std::size_t steps = document.History().UndoCount();
    const auto value = [&] { return document.Models().SpEFert[1].Value(); };
    EXPECT_EQ(document.Run(command::HoldPress{1, 1}).waitMs, NumberField::kFirstRepeatMs);
    EXPECT_EQ(value(), 1) << "a press alone does not step";
    EXPECT_EQ(document.Run(command::HoldTick{}).waitMs, NumberField::kRepeatMs);
    EXPECT_EQ(document.Run(command::HoldTick{}).waitMs, NumberField::kRepeatMs);
    EXPECT_EQ(value(), 3);
    document.Run(command::HoldMove{false});
    document.Run(command::HoldTick{});
    EXPECT_EQ(value(), 3) << "off the button the steps pause";
    document.Run(command::HoldMove{true});
    document.Run(command::HoldTick{});
    document.Run(command::HoldLift{true});
    EXPECT_EQ(value(), 5);
    EXPECT_EQ(document.Run(command::HoldTick{}).waitMs, 0) << "the hold is over";
    EXPECT_EQ(value(), 5);
    EXPECT_EQ(document.History().UndoCount(), steps + 1);
    EXPECT_EQ(document.History().UndoText(), "R\u00fcckg\u00e4ngig: Waffenkunde 1 \u2192 5");
    // Let go off the button: no further step.
    document.Run(command::HoldPress{1, -1});
    document.Run(command::HoldLift{false});
    EXPECT_EQ(value(), 5);
}

// "Plan dieser Stufe übernehmen": the path's plan at a level enters as one
// step named after the level, which undo takes back whole and redo repeats.
TEST(PlanDocument, APathPlanIsOneStepOfTheHistory)
{
    PlanDocument document;
    document.Run(command::Edit{kLevelField, "20"});
    document.Run(command::Leave{kLevelField});
    const PlanSide before = document.Shown();
    const std::size_t steps = document.History().UndoCount();

    Goal goal;
    goal.level = 60;
    goal.keepSpent = true;
    goal.weight.at(2) = 5;  // Angriffswert beim Schwertkampf
    goal.weight.at(22) = 3; // Lebensenergie
    const GoalView view = document.AnswerGoal(goal);
    ASSERT_TRUE(view.answer.found);
    EXPECT_EQ(view.path.steps.front().level, 20) << "the path starts at the plan shown";
    EXPECT_EQ(view.path.steps.back().skills, view.answer.skills);
    EXPECT_EQ(view.pathRows.front().from, 20);
    EXPECT_FALSE(PathPlanAt(view, 19));
    const std::optional<Plan> plan = PathPlanAt(view, 40);
    ASSERT_TRUE(plan);

    const CommandReply reply = document.Run(command::TakePathPlan{*plan});
    EXPECT_TRUE(reply.applied) << reply.message;
    EXPECT_EQ(CurrentPlan(document.Models()), *plan);
    EXPECT_EQ(document.History().UndoCount(), steps + 1);
    EXPECT_EQ(document.History().UndoText(), "R\u00fcckg\u00e4ngig: Stufenweg: Stufe 40");
    document.Run(command::Undo{});
    EXPECT_TRUE(ComparePlans(document.Shown(), before).Same());
    document.Run(command::Redo{});
    EXPECT_EQ(CurrentPlan(document.Models()), *plan);
    EXPECT_EQ(DescribeCommand(command::TakePathPlan{*plan}).rfind("take the path's plan at level 40 ", 0), 0U);
}

// "Übernehmen" has nothing to enter once the plan shown is the proposal,
// and something again once the plan changes.
TEST(PlanDocument, TheProposalShownIsNothingToEnter)
{
    PlanDocument document;
    Goal goal;
    goal.level = 30;
    goal.weight.at(2) = 5; // Angriffswert beim Schwertkampf
    const GoalView before = document.AnswerGoal(goal);
    ASSERT_TRUE(before.proposal);
    document.Run(command::TakeProposal{*before.proposal});
    const GoalView taken = document.AnswerGoal(goal);
    EXPECT_TRUE(taken.answer.found);
    EXPECT_FALSE(taken.proposal);
    document.Run(command::Undo{});
    EXPECT_EQ(document.AnswerGoal(goal).proposal, before.proposal);
}

struct RecordCase {
    const char *name;
    std::vector<Command> commands; // the last one is counted
    int records;
    int listRedraws;
};

void PrintTo(const RecordCase &c, std::ostream *out)
{
    *out << c.name;
}

class Records : public ::testing::TestWithParam<RecordCase> { };

TEST_P(Records, OneRecordPerActionThatChangesWhatIsShown)
{
    PlanDocument document;
    const std::vector<Command> &commands = GetParam().commands;
    for (std::size_t k = 0; k + 1 < commands.size(); ++k)
        document.Run(commands[k]);
    RecordView view(document);
    document.Run(commands.back());
    EXPECT_EQ(view.records, GetParam().records);
    EXPECT_EQ(view.listRedraws, GetParam().listRedraws);
    EXPECT_TRUE(view.ShowsThePlan());
}

INSTANTIATE_TEST_SUITE_P(Cases, Records,
    ::testing::Values(RecordCase{"a class pick", {command::ClassPick{1}}, 1, 1},
        RecordCase{"a class pick at level 60",
            {command::Type{kLevelField, 0, 1, U'6'}, command::Type{kLevelField, 1, 0, U'0'}, command::Step{1, 1, false},
                command::ClassPick{2}},
            1, 1},
        RecordCase{"leaving a field that needs no change", {command::Leave{5}}, 0, 0},
        RecordCase{"a locked field's step", {command::Step{5, 1, false}}, 0, 0},
        RecordCase{"a refused character", {command::Type{kLevelField, 0, 0, U'x'}}, 0, 0},
        RecordCase{"undo with nothing to undo", {command::Undo{}}, 0, 0},
        RecordCase{"a new plan of the new plan", {command::NewPlan{}}, 0, 0},
        RecordCase{"the plan the window opens with", {command::OpenFirst{EncodePlan({"Kampfmagier", 60, {}})}}, 1, 1},
        RecordCase{"a step up and its undo",
            {command::Type{kLevelField, 0, 1, U'5'}, command::Step{1, 1, false}, command::Undo{}}, 1, 1}));

} // namespace
} // namespace rollwerk
