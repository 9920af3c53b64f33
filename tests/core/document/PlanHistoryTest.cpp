// The plan's history: random use through the real models, then undo all the
// way and redo all the way, each step bringing back exactly the state it
// left, with a view that follows every restored field and settles once; and
// a table of the steps that user actions make and the names they get.

#include "PlanHistory.h"
#include "PlanApply.h"
#include "PlanCode.h"
#include "RandomUser.h"

#include <gtest/gtest.h>

namespace rollwerk {
namespace {

using namespace rollwerk::testing;

constexpr int kRounds = 100;
constexpr int kActionsPerRound = 80; // fewer steps than the history keeps

// A view that keeps what the models announce, as the windows do.
struct Mirror {
    explicit Mirror(Planner &p) : shown(p.CaptureState())
    {
        const auto follow = [this](NumberField &field, FieldState &state) {
            connections.push_back(field.propertyChanged.Connect([&state](const NumberField::Change &change) {
                switch (change.property) {
                case NumberField::Property::Text:
                    state.text = std::get<std::string>(change.value);
                    break;
                case NumberField::Property::Minimum:
                    state.minimum = std::get<std::int32_t>(change.value);
                    break;
                case NumberField::Property::Maximum:
                    state.maximum = std::get<std::int32_t>(change.value);
                    break;
                case NumberField::Property::Enabled:
                    state.enabled = std::get<bool>(change.value);
                    break;
                case NumberField::Property::Colour:
                    state.colour = std::get<Rgb>(change.value);
                    break;
                case NumberField::Property::CaptionEnabled:
                    state.captionEnabled = std::get<bool>(change.value);
                    break;
                }
            }));
        };
        follow(p.SpEStufeH, shown.level);
        for (int s = 1; s <= kSkillCount; ++s)
            follow(p.SpEFert[s], shown.skills[s]);
        connections.push_back(p.CBCharwahl.textShown.Connect([this](const std::string &t) { shown.classText = t; }));
        connections.push_back(
            p.LFertFrei.textShown.Connect([this](const std::string &t) { shown.freePointsText = t; }));
        connections.push_back(
            p.LFertGesAnzeige.textShown.Connect([this](const std::string &t) { shown.freeSlotsText = t; }));
        connections.push_back(p.LBBoni.linesShown.Connect([this](const BonusLines &l) { shown.bonuses = l; }));
        connections.push_back(p.settled.Connect([this] { ++settles; }));
    }

    PlannerState shown;
    int settles = 0;
    std::vector<Connection> connections;
};

// What the window shows of a state: the planner arrays left out.
PlannerState ShownPart(PlannerState state)
{
    state.skillValue = {};
    state.previousValues = {};
    state.editDelta = {};
    state.lastClass.clear();
    return state;
}

::testing::AssertionResult MirrorFollows(const Mirror &mirror, const Planner &p)
{
    if (ShownPart(mirror.shown) == ShownPart(p.CaptureState()))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the view does not show what the planner holds";
}

TEST(PlanHistory, UndoAndRedoBringBackEveryStateOfRandomUse)
{
    const std::uint32_t seed = RandomSeed(20261209U);
    RandomUser user(seed);
    PlannerDriver driver;
    Planner &p = driver.planner;
    Mirror mirror(p);
    std::size_t longest = 0;
    for (int round = 0; round < kRounds; ++round) {
        PlanHistory history(p);
        // Per step the whole state before and after it, as the test saw them.
        std::vector<PlannerState> before;
        std::vector<PlannerState> after;
        for (int i = 0; i < kActionsPerRound; ++i) {
            const PlannerState start = p.CaptureState();
            const std::size_t steps = history.UndoCount();
            user.Act(driver);
            const PlannerState end = p.CaptureState();
            ASSERT_TRUE(MirrorFollows(mirror, p)) << "seed " << seed << ", " << user.Describe();
            const bool changed = !(ShownPart(start) == ShownPart(end));
            if (history.UndoCount() == steps + 1) {
                before.push_back(start);
                after.push_back(end);
            } else if (history.UndoCount() + 1 == steps) {
                // Typed back to what the field showed before the step.
                ASSERT_TRUE(ShownPart(before.back()) == ShownPart(end)) << user.Describe();
                before.pop_back();
                after.pop_back();
            } else if (changed) {
                // Joined the last step: a further key in the same field.
                ASSERT_EQ(history.UndoCount(), steps) << user.Describe();
                ASSERT_FALSE(after.empty()) << user.Describe();
                after.back() = end;
            }
            if (!changed) {
                ASSERT_EQ(history.UndoCount(), steps) << "a step of nothing shown: " << user.Describe();
            }
            ASSERT_EQ(history.RedoCount(), 0U);
        }
        longest = std::max(longest, before.size());
        for (std::size_t k = before.size(); k-- > 0;) {
            const int settles = mirror.settles;
            ASSERT_TRUE(history.Undo());
            ASSERT_EQ(mirror.settles, settles + 1);
            ASSERT_TRUE(p.CaptureState() == before[k]) << "seed " << seed << ", round " << round << ", undo " << k;
            ASSERT_TRUE(MirrorFollows(mirror, p));
        }
        ASSERT_FALSE(history.Undo());
        for (std::size_t k = 0; k < after.size(); ++k) {
            const int settles = mirror.settles;
            ASSERT_TRUE(history.Redo());
            ASSERT_EQ(mirror.settles, settles + 1);
            ASSERT_TRUE(p.CaptureState() == after[k]) << "seed " << seed << ", round " << round << ", redo " << k;
            ASSERT_TRUE(MirrorFollows(mirror, p));
        }
        ASSERT_FALSE(history.Redo());

        // A new step after an undo drops what could be redone.
        if (before.size() >= 2) {
            ASSERT_TRUE(history.Undo());
            ASSERT_TRUE(history.Undo());
            const std::string other(kClassNames[(*ClassColumn(p.CBCharwahl.Text()) + 1) % kClassCount]);
            driver.Pick(other);
            EXPECT_EQ(history.RedoCount(), 0U);
            EXPECT_EQ(history.UndoText(), "R\u00fcckg\u00e4ngig: Klasse " + other);
            ASSERT_TRUE(history.Undo());
            EXPECT_TRUE(p.CaptureState() == before[before.size() - 2]);
        }
    }
    RecordProperty("longest_history", static_cast<int>(longest));
}

TEST(PlanHistory, KeepsTheLast100Steps)
{
    PlannerDriver driver;
    driver.Type(kLevelField, "200");
    driver.Leave(kLevelField);
    PlanHistory history(driver.planner);
    std::vector<PlannerState> before;
    for (int i = 0; i < 150; ++i) {
        before.push_back(driver.planner.CaptureState());
        driver.Up(1);
    }
    EXPECT_EQ(history.UndoCount(), PlanHistory::kKeptSteps);
    {
        // Only between user actions: inside one, the state would be the action's to compare.
        const UserAction action(driver.planner);
        EXPECT_FALSE(history.Undo());
    }
    while (history.Undo()) { }
    EXPECT_TRUE(driver.planner.CaptureState() == before[150 - PlanHistory::kKeptSteps]);
    RecordProperty("bytes_for_100_steps", static_cast<int>(history.MemoryBytes()));
}

// Gladiator at level 60 with Waffenkunde 40, Konzentration 20, Parade 20 and Handel 10.
void Gladiator60(PlannerDriver &d)
{
    Plan plan{"Gladiator", 60, {}};
    plan.skills[1] = 40;
    plan.skills[18] = 20;
    plan.skills[24] = 20;
    plan.skills[26] = 10;
    ASSERT_TRUE(ApplyPlan(d.planner, plan).message.empty());
}

struct NameCase {
    const char *name;
    std::function<void(PlannerDriver &, PlanHistory &)> act;
    std::size_t steps;    // the steps the action made
    std::string lastStep; // the name of the last one
};

void PrintTo(const NameCase &c, std::ostream *out)
{
    *out << c.name;
}

class StepNames : public ::testing::TestWithParam<NameCase> { };

TEST_P(StepNames, OneStepPerCompletedUserAction)
{
    PlannerDriver driver;
    Gladiator60(driver);
    PlanHistory history(driver.planner);
    const PlannerState start = driver.planner.CaptureState();
    GetParam().act(driver, history);
    ASSERT_EQ(history.UndoCount(), GetParam().steps);
    if (GetParam().steps == 0)
        return;
    EXPECT_EQ(history.UndoText(), "R\u00fcckg\u00e4ngig: " + GetParam().lastStep);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(history.RedoText(), "Wiederholen: " + GetParam().lastStep);
    while (history.Undo()) { }
    EXPECT_TRUE(driver.planner.CaptureState() == start);
}

std::string MageCode()
{
    Plan plan{"Kampfmagier", 60, {}};
    plan.skills[2] = 40;
    plan.skills[21] = 30;
    plan.skills[11] = 50;
    plan.skills[13] = 12;
    return EncodePlan(plan);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepNames,
    ::testing::Values(NameCase{"level typed 55 over 60, still in the field",
                          [](PlannerDriver &d, PlanHistory &) { d.Type(kLevelField, "55"); }, 1,
                          "Stufe 60 \u2192 55 (4 Fertigkeiten gesenkt)"},
        NameCase{"a level that lowers one skill",
            [](PlannerDriver &d, PlanHistory &) {
                d.Send(command::Edit{kLevelField, "35"});
            },
            1, "Stufe 60 \u2192 35 (1 Fertigkeit gesenkt)"},
        NameCase{"a higher level lowers nothing",
            [](PlannerDriver &d, PlanHistory &) {
                d.Send(command::Edit{kLevelField, "70"});
            },
            1, "Stufe 60 \u2192 70"},
        NameCase{"typing then leaving the field",
            [](PlannerDriver &d, PlanHistory &) {
                d.Type(1, "3");
                d.Type(1, "35");
                d.Leave(1);
            },
            1, "Waffenkunde 40 \u2192 35"},
        NameCase{"leaving ends the typing",
            [](PlannerDriver &d, PlanHistory &) {
                d.Type(1, "31");
                d.Leave(1);
                d.Type(1, "32");
            },
            2, "Waffenkunde 31 \u2192 32"},
        NameCase{"a field emptied",
            [](PlannerDriver &d, PlanHistory &) {
                d.Send(command::Edit{1, ""});
            },
            1, "Waffenkunde 40 \u2192 leer"},
        NameCase{"typed back to what it showed",
            [](PlannerDriver &d, PlanHistory &) {
                d.Type(1, "4");
                d.Type(1, "40");
            },
            0, ""},
        NameCase{"two presses of a step button",
            [](PlannerDriver &d, PlanHistory &) {
                d.Down(1);
                d.Down(1);
            },
            2, "Waffenkunde 39 \u2192 38"},
        NameCase{"a step button held down",
            [](PlannerDriver &d, PlanHistory &) {
                d.Send(command::Step{26, -1, false});
                d.Send(command::Step{26, -1, true});
                d.Send(command::Step{26, -1, true});
            },
            1, "Handel 10 \u2192 7"},
        NameCase{"leaving a field that needs no change", [](PlannerDriver &d, PlanHistory &) { d.Leave(1); }, 0, ""},
        NameCase{"a class pick", [](PlannerDriver &d, PlanHistory &) { d.Pick("Vampirin"); }, 1, "Klasse Vampirin"},
        NameCase{"a class box arrow key",
            [](PlannerDriver &d, PlanHistory &) { d.planner.CBCharwahl.SelectAdjacent(1); }, 1, "Klasse Seraphim"},
        NameCase{"a pasted plan",
            [](PlannerDriver &d, PlanHistory &h) {
                const PlanHistory::NamedAction action(h, kPastePlanStep);
                PastePlan(d.planner, ClipboardContent::Text, "Mein Plan: " + MageCode());
            },
            1, "Plan einf\u00fcgen"},
        NameCase{"a new plan",
            [](PlannerDriver &d, PlanHistory &h) {
                const PlanHistory::NamedAction action(h, kNewPlanStep);
                LoadNewPlan(d.planner);
            },
            1, "Neuer Plan"}));

} // namespace
} // namespace rollwerk
