// Inputs for which the plain rules would repeat a run for ever: the planner
// stops a run that would start in exactly the state of a run of the same
// procedure still in progress, and every run that ends is unchanged.

#include "PlannerDriver.h"

#include <gtest/gtest.h>

#include <ostream>

namespace rollwerk {
namespace {

using namespace rollwerk::testing;

std::vector<int> EnabledSkills(const Planner &p)
{
    std::vector<int> enabled;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (p.SpEFert[s].Enabled())
            enabled.push_back(s);
    }
    return enabled;
}

struct ClassChangeCase {
    const char *name;
    const char *fromClass; // picked first, or typed when it names no class
    int raisedSkill;       // raised by one at level 2
    const char *toClass;
    std::vector<int> startingSkills;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ClassChangeCase &c, std::ostream *out)
{
    *out << c.name;
}

class RepeatingClassChange : public ::testing::TestWithParam<ClassChangeCase> { };

// Level 2 with a raised skill: setting the level to 1 before the skills are
// zeroed used to undo and re-apply a starting skill for ever.
TEST_P(RepeatingClassChange, EndsAsAnyClassChange)
{
    const ClassChangeCase &c = GetParam();
    PlannerDriver d;
    if (ClassColumn(c.fromClass))
        d.Pick(c.fromClass);
    d.Type(kLevelField, "2");
    d.Up(c.raisedSkill);
    ASSERT_EQ(d.planner.SpEFert[c.raisedSkill].Text(), "2");
    d.planner.ResetCounts();
    if (ClassColumn(c.toClass))
        d.Pick(c.toClass);
    else
        d.TypeClass(c.toClass);

    const Planner &p = d.planner;
    EXPECT_GT(p.Counts().repeatsStopped, 0);
    EXPECT_LE(p.Counts().maxDepth, 30);
    EXPECT_EQ(p.SpEStufeH.Text(), "1");
    EXPECT_EQ(EnabledSkills(p), c.startingSkills);
    for (int s = 1; s <= kSkillCount; ++s) {
        const bool starting = std::find(c.startingSkills.begin(), c.startingSkills.end(), s) != c.startingSkills.end();
        EXPECT_EQ(p.SpEFert[s].Text(), starting ? "1" : "0") << s;
        EXPECT_EQ(p.SpEFert[s].Minimum(), starting ? 1 : 0) << s;
        EXPECT_EQ(p.SpEFert[s].Maximum(), 1) << s;
    }
    EXPECT_EQ(p.LFertFrei.Text(), "Freie Fertigkeitspunkte: 0");
    EXPECT_EQ(p.LFertGesAnzeige.Text(), "0");
}

INSTANTIATE_TEST_SUITE_P(Cases, RepeatingClassChange,
    ::testing::Values(ClassChangeCase{"gladiator_to_kampfmagier", "Gladiator", 18, "Kampfmagier", {2, 21}},
        ClassChangeCase{"kampfmagier_to_gladiator", "Kampfmagier", 21, "Gladiator", {1, 18}},
        ClassChangeCase{"kampfmagier_to_a_text_naming_no_class", "Kampfmagier", 21, "x", {1, 18}}),
    [](const ::testing::TestParamInfo<ClassChangeCase> &info) { return std::string(info.param.name); });

TEST(RepeatingClassChange, KampfmagierShowsItsTwoBonusRows)
{
    PlannerDriver d;
    d.Type(kLevelField, "2");
    d.Up(18);
    d.Pick("Kampfmagier");
    EXPECT_EQ(d.planner.LBBoni.Lines(),
        (std::vector<std::string>{"Schaden bei magischen Angriffen: +12 %", "Mentale Regeneration: +12 %"}));
}

// Lowering the level locks skill 28 while the plan stays overspent; the undo
// writes 12 back, the field clamps it to 11, and a later undo would write 12
// again while the field already shows 11.
TEST(RepeatingLevelChange, EndsWithTheClampedValues)
{
    PlannerDriver d;
    d.Type(kLevelField, "12");
    d.Type(1, "12");
    d.Type(18, "11");
    d.Type(28, "1");
    ASSERT_EQ(d.planner.SpEFert[1].Text(), "12");
    ASSERT_EQ(d.planner.SpEFert[18].Text(), "11");
    ASSERT_EQ(d.planner.SpEFert[28].Text(), "1");
    d.planner.ResetCounts();
    d.Down(kLevelField);

    const Planner &p = d.planner;
    EXPECT_GT(p.Counts().repeatsStopped, 0);
    EXPECT_EQ(p.SpEStufeH.Text(), "11");
    EXPECT_EQ(p.SpEFert[1].Text(), "11");
    EXPECT_EQ(p.SpEFert[18].Text(), "11");
    EXPECT_EQ(p.SpEFert[28].Text(), "0");
    EXPECT_FALSE(p.SpEFert[28].Enabled());
    EXPECT_EQ(p.LFertFrei.Text(), "Freie Fertigkeitspunkte: -1");
    EXPECT_EQ(p.LFertGesAnzeige.Text(), "2");
}

TEST(NestingBound, ARunDeeperThanTheBoundRaisesAnError)
{
    PlannerDriver d;
    d.Type(kLevelField, "250");
    // A view that writes a skill whenever the counters change nests the
    // skill procedure once more per write, each time in a new state.
    auto writer = d.planner.LFertFrei.textShown.Connect([&](const std::string &) {
        NumberField &field = d.planner.SpEFert[7];
        field.SetValue(field.Value() + 1);
    });
    d.planner.ResetCounts();
    EXPECT_THROW(d.Up(22), std::runtime_error);
    EXPECT_EQ(d.planner.Counts().maxDepth, Planner::kMaxNesting);
    // The planner is usable again once the error has been shown.
    writer.Disconnect();
    d.planner.ResetCounts();
    d.Pick("Seraphim");
    EXPECT_EQ(d.planner.SpEFert[2].Text(), "1");
    EXPECT_EQ(d.planner.SpEFert[7].Text(), "0");
}

} // namespace
} // namespace rollwerk
