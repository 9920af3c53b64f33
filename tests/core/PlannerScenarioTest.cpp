// Worked examples of the planner, written as the user's actions and the
// fields they end with.

#include "PlannerDriver.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>

namespace rollwerk {
namespace {

using namespace rollwerk::testing;

const std::string kRow15 = "Schaden bei physischen Angriffen: +";
const std::string kRow16 = "Schaden bei magischen Angriffen: +";
const std::string kRow17 = "Regeneration von Kampfk\u00fcnsten: +";

struct Expected {
    std::string className = "Gladiator";
    std::string level = "1";
    std::map<int, std::string> skills;       // every other skill shows "0"
    std::optional<std::vector<int>> enabled; // the enabled skills, all others locked
    std::string freePoints;
    std::string freeSlots;
    std::optional<std::vector<std::string>> bonus;
    std::optional<Planner::RunCounts> lastActionCounts;
};

struct Scenario {
    const char *name;
    std::vector<Action> actions;
    Expected expected;
};

std::ostream &operator<<(std::ostream &out, const Scenario &scenario)
{
    return out << scenario.name;
}

class PlannerScenario : public ::testing::TestWithParam<Scenario> { };

TEST_P(PlannerScenario, EndsAsExpected)
{
    const Scenario &scenario = GetParam();
    PlannerDriver driver;
    for (const Action &action : scenario.actions) {
        driver.planner.ResetCounts();
        action.run(driver);
    }
    const Planner &p = driver.planner;
    const Expected &e = scenario.expected;
    EXPECT_EQ(p.CBCharwahl.Text(), e.className);
    EXPECT_EQ(p.SpEStufeH.Text(), e.level);
    for (int s = 1; s <= kSkillCount; ++s) {
        const auto listed = e.skills.find(s);
        EXPECT_EQ(p.SpEFert[s].Text(), listed == e.skills.end() ? "0" : listed->second) << "skill " << s;
        EXPECT_EQ(p.SpEFert[s].Maximum(), p.SpEStufeH.Value()) << "skill " << s;
        if (e.enabled) {
            const bool enabled = std::find(e.enabled->begin(), e.enabled->end(), s) != e.enabled->end();
            EXPECT_EQ(p.SpEFert[s].Enabled(), enabled) << "skill " << s;
            EXPECT_EQ(p.SpEFert[s].CaptionEnabled(), enabled) << "skill " << s;
            EXPECT_EQ(p.SpEFert[s].Colour(), enabled ? kAvailableColour : kLockedColour) << "skill " << s;
        }
    }
    EXPECT_EQ(p.LFertFrei.Text(), "Freie Fertigkeitspunkte: " + e.freePoints);
    EXPECT_EQ(p.LFertGesAnzeige.Text(), e.freeSlots);
    if (e.bonus) {
        EXPECT_EQ(p.LBBoni.Lines(), *e.bonus);
    }
    if (e.lastActionCounts) {
        EXPECT_EQ(p.Counts().classChanges, e.lastActionCounts->classChanges);
        EXPECT_EQ(p.Counts().skillChanges, e.lastActionCounts->skillChanges);
        EXPECT_EQ(p.Counts().maxDepth, e.lastActionCounts->maxDepth);
    }
    EXPECT_EQ(p.Counts().repeatsStopped, 0) << "no run of a worked example repeats an ancestor";
}

const std::vector<int> kGladiatorLevel3 = {1, 3, 4, 5, 6, 9, 18, 22, 23, 25};
const std::vector<std::string> kNewGladiatorBonus = {kRow15 + "12 %", kRow17 + "12 %"};

INSTANTIATE_TEST_SUITE_P(WorkedExamples, PlannerScenario,
    ::testing::Values(Scenario{"start_up", {},
                          {.skills = {{1, "1"}, {18, "1"}},
                              .enabled = {{1, 18}},
                              .freePoints = "0",
                              .freeSlots = "0",
                              .bonus = kNewGladiatorBonus}},
        Scenario{"level_3_unlocks_by_the_table", {TypeLevel("3")},
            {.level = "3",
                .skills = {{1, "1"}, {18, "1"}},
                .enabled = kGladiatorLevel3,
                .freePoints = "3",
                .freeSlots = "1",
                .bonus = kNewGladiatorBonus}},
        Scenario{"overspending_with_the_up_key_is_undone", {Up(1)},
            {.skills = {{1, "1"}, {18, "1"}},
                .enabled = {{1, 18}},
                .freePoints = "0",
                .freeSlots = "0",
                .bonus = kNewGladiatorBonus,
                .lastActionCounts = Planner::RunCounts{0, 2, 2, 0}}},
        Scenario{"the_last_slot_taken_locks_every_skill_at_0", {TypeLevel("3"), TypeSkill(22, "1")},
            {.level = "3",
                .skills = {{1, "1"}, {18, "1"}, {22, "1"}},
                .enabled = {{1, 18, 22}},
                .freePoints = "2",
                .freeSlots = "0"}},
        Scenario{"a_freed_slot_unlocks_by_the_table_again", {TypeLevel("3"), TypeSkill(22, "1"), TypeSkill(22, "0")},
            {.level = "3",
                .skills = {{1, "1"}, {18, "1"}},
                .enabled = kGladiatorLevel3,
                .freePoints = "3",
                .freeSlots = "1",
                .bonus = kNewGladiatorBonus}},
        Scenario{"lowering_the_level_locks_and_zeroes_a_skill", {TypeLevel("3"), TypeSkill(3, "2"), Down(kLevelField)},
            {.level = "2",
                .skills = {{1, "1"}, {18, "1"}},
                .enabled = {{1, 18}},
                .freePoints = "1",
                .freeSlots = "0",
                .bonus = kNewGladiatorBonus}},
        Scenario{"a_locked_skill_keeps_its_points_while_the_plan_is_overspent",
            {TypeLevel("3"), Up(1), Up(18), TypeSkill(3, "1"), Down(kLevelField)},
            {.level = "2",
                .skills = {{1, "2"}, {3, "1"}, {18, "2"}},
                .enabled = {{1, 18}},
                .freePoints = "-2",
                .freeSlots = "-1"}},
        Scenario{"a_level_change_is_never_undone",
            {TypeLevel("12"), TypeSkill(5, "12"), TypeSkill(3, "8"), TypeLevel("3")},
            {.level = "3",
                .skills = {{1, "1"}, {3, "8"}, {5, "12"}, {18, "1"}},
                .enabled = kGladiatorLevel3,
                .freePoints = "-17",
                .freeSlots = "-1"}},
        Scenario{"typing_300_at_level_250_is_kept_while_typing", {TypeLevel("250"), TypeSkill(1, "300")},
            {.level = "250", .skills = {{1, "300"}, {18, "1"}}, .freePoints = "658", .freeSlots = "6"}},
        Scenario{"typing_300_at_level_250_then_leaving_the_field", {TypeLevel("250"), TypeSkill(1, "300"), Leave(1)},
            {.level = "250",
                .skills = {{1, "250"}, {18, "1"}},
                .freePoints = "708",
                .freeSlots = "6",
                .bonus = {{kRow15 + "326 %", kRow17 + "12 %"}},
                .lastActionCounts = Planner::RunCounts{0, 1, 1, 0}}},
        Scenario{"typing_25_over_30_passes_through_level_2", {TypeLevel("30"), TypeSkill(3, "5"), TypeLevel("2")},
            {.level = "2", .skills = {{1, "1"}, {18, "1"}}, .enabled = {{1, 18}}, .freePoints = "1", .freeSlots = "0"}},
        Scenario{"typing_25_over_30_unlocks_the_zeroed_skill_again",
            {TypeLevel("30"), TypeSkill(3, "5"), TypeLevel("25")},
            {.level = "25",
                .skills = {{1, "1"}, {18, "1"}},
                .enabled = {{1, 3, 4, 5, 6, 8, 9, 18, 22, 23, 25, 27, 28}},
                .freePoints = "61",
                .freeSlots = "4"}},
        Scenario{"level_2_clamps_an_overspent_plan_by_the_undo",
            {TypeLevel("30"), TypeSkill(1, "10"), TypeSkill(18, "10"), TypeSkill(3, "20"), TypeLevel("2")},
            {.level = "2",
                .skills = {{1, "2"}, {3, "2"}, {18, "2"}},
                .enabled = {{1, 18}},
                .freePoints = "-3",
                .freeSlots = "-1",
                .bonus = {{"Angriffswert beim Faustkampf: +20 %", "Angriffsgeschwindigkeit beim Faustkampf: +10 %",
                    kRow15 + "20 %", kRow17 + "20 %"}}}},
        Scenario{"level_25_keeps_the_clamped_values_and_the_list",
            {TypeLevel("30"), TypeSkill(1, "10"), TypeSkill(18, "10"), TypeSkill(3, "20"), TypeLevel("25")},
            {.level = "25",
                .skills = {{1, "2"}, {3, "2"}, {18, "2"}},
                .freePoints = "57",
                .freeSlots = "3",
                .bonus = {{"Angriffswert beim Faustkampf: +20 %", "Angriffsgeschwindigkeit beim Faustkampf: +10 %",
                    kRow15 + "20 %", kRow17 + "20 %"}}}},
        Scenario{"changing_the_class_restarts_the_plan",
            {TypeLevel("10"), TypeSkill(1, "5"), TypeSkill(18, "3"), Pick("Seraphim")},
            {.className = "Seraphim",
                .skills = {{1, "1"}, {2, "1"}},
                .enabled = {{1, 2}},
                .freePoints = "0",
                .freeSlots = "0",
                .bonus = {{kRow15 + "12 %", kRow16 + "12 %"}},
                .lastActionCounts = Planner::RunCounts{2, 10, 5, 0}}},
        Scenario{"a_class_typed_in_lower_case_restarts_and_shows_the_default", {TypeLevel("5"), TypeClass("g")},
            {.skills = {{1, "1"}, {18, "1"}},
                .enabled = {{1, 18}},
                .freePoints = "0",
                .freeSlots = "0",
                .bonus = kNewGladiatorBonus}},
        Scenario{"a_level_typed_right_after_an_unknown_class_is_lost", {TypeClass("x"), TypeLevel("5")},
            {.skills = {{1, "1"}, {18, "1"}}, .enabled = {{1, 18}}, .freePoints = "0", .freeSlots = "0"}},
        Scenario{"a_typed_class_name_completes_and_restarts", {TypeClass("Vam")},
            {.className = "Vampirin",
                .skills = {{1, "1"}, {20, "1"}},
                .enabled = {{1, 20}},
                .freePoints = "0",
                .freeSlots = "0",
                .bonus = {{kRow15 + "12 %", "Regeneration von der Vampir-Kampfk\u00fcnste: +12 %"}}}},
        Scenario{"a_negative_level_reads_as_typed_and_is_set_back_to_1", {TypeLevel("20"), TypeLevel("-5")},
            {.skills = {{1, "1"}, {18, "1"}}, .enabled = {{1, 18}}, .freePoints = "0", .freeSlots = "0"}},
        Scenario{"unreadable_skill_text_reads_as_the_minimum", {TypeLevel("5"), TypeSkill(3, "4"), TypeSkill(3, "-")},
            {.level = "5", .skills = {{1, "1"}, {3, "-"}, {18, "1"}}, .freePoints = "7", .freeSlots = "1"}}),
    [](const ::testing::TestParamInfo<Scenario> &info) { return std::string(info.param.name); });

TEST(Planner, StartStateHoldsTheInitialRanges)
{
    PlannerDriver driver;
    const Planner &p = driver.planner;
    EXPECT_EQ(p.LastClass, "Gladiator");
    EXPECT_EQ(p.SpEStufeH.Minimum(), 1);
    EXPECT_EQ(p.SpEStufeH.Maximum(), 250);
    for (int s = 1; s <= kSkillCount; ++s) {
        const bool starting = s == 1 || s == 18;
        EXPECT_EQ(p.SpEFert[s].Minimum(), starting ? 1 : 0) << s;
        EXPECT_EQ(p.SpEFert[s].Maximum(), 1) << s;
    }
    EXPECT_EQ(p.Counts().classChanges + p.Counts().skillChanges, 0) << "creating the window runs no procedure";
}

TEST(Planner, AClassChangePinsTheStartingSkills)
{
    PlannerDriver driver;
    driver.Pick("Kampfmagier");
    const Planner &p = driver.planner;
    for (int s : {2, 21}) {
        EXPECT_EQ(p.SpEFert[s].Minimum(), 1);
        EXPECT_EQ(p.SpEFert[s].Maximum(), 1);
    }
    EXPECT_EQ(p.SpEFert[1].Minimum(), 0) << "the previous class's starting skill is released";
    EXPECT_EQ(p.LastClass, "Kampfmagier");
}

TEST(Planner, AnUnknownClassIsRememberedWhileTheBoxShowsTheDefault)
{
    PlannerDriver driver;
    driver.TypeClass("g");
    EXPECT_EQ(driver.planner.LastClass, "gladiator");
    EXPECT_EQ(driver.planner.CBCharwahl.Text(), "Gladiator");
}

// The remembered class lives from window creation to the end: a planner
// destroyed in the middle of a plan leaves no class behind for the next one.
TEST(Planner, DestructionClearsTheRememberedClass)
{
    auto driver = std::make_unique<PlannerDriver>();
    driver->Pick("Seraphim");
    driver->TypeClass("v");
    EXPECT_EQ(driver->planner.LastClass, "vampirin") << "completed in the typed case, naming no class";
    driver.reset();
    Planner next;
    EXPECT_EQ(next.LastClass, "") << "empty before the window is created";
    next.FormCreate();
    EXPECT_EQ(next.LastClass, "Gladiator");
}

} // namespace
} // namespace rollwerk
