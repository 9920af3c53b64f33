// The preview tells the truth: on random plans, for every skill, it equals
// what stepping the skill's field up and down does, a step it does not offer
// changes nothing that shows, and previewing changes nothing.
// A table shows its German text for the reasons a step is refused.

#include "Preview.h"
#include "CaseName.h"
#include "RandomUser.h"

#include <gtest/gtest.h>

#include <random>

namespace rollwerk {
namespace {

using namespace rollwerk::testing;

constexpr int kPlans = 10000;

std::int64_t Shown(std::string_view text)
{
    return ParseInteger(text).value_or(-99999);
}

// What a step did, read off the planner before (a snapshot) and after.
StepPreview Observed(const PlannerState &before, const Planner &after, int skill)
{
    StepPreview seen;
    seen.offered = true;
    for (int s = 1; s <= kSkillCount; ++s) {
        const std::int32_t was = ParseInteger(before.skills[s].text).value_or(before.skills[s].minimum);
        if (was != after.SpEFert[s].Value())
            seen.skills.push_back({s, was, after.SpEFert[s].Value()});
    }
    seen.takesEffect
        = std::any_of(seen.skills.begin(), seen.skills.end(), [skill](auto &c) { return c.skill == skill; });
    seen.freePoints = Shown(std::string_view(after.LFertFrei.Text()).substr(kFreePointsCaption.size()));
    seen.freeSlots = Shown(after.LFertGesAnzeige.Text());
    for (int row = 1; row <= kBonusRowCount; ++row) {
        auto lineOf = [row](const std::vector<std::string> &lines) {
            const auto found = std::find_if(lines.begin(), lines.end(),
                [row](const std::string &line) { return line.starts_with(BonusLabel(row)); });
            return found == lines.end() ? std::string() : *found;
        };
        BonusChange change{lineOf(before.bonuses->lines), lineOf(after.LBBoni.Lines())};
        if (change.before != change.after)
            seen.bonuses.push_back(change);
    }
    return seen;
}

bool IsIrregular(const Planner &p)
{
    const std::int32_t level = p.SpEStufeH.Value();
    if (FreeSkillPoints(level, p.SkillValue) < 0)
        return true;
    return std::any_of(p.SpEFert.items.begin(), p.SpEFert.items.end(),
        [level](const NumberField &f) { return f.Value() > level || (!f.Enabled() && f.Value() > 0); });
}

::testing::AssertionResult Matches(const StepPreview &preview, StepPreview seen, int skill)
{
    if (preview.reason.empty() != preview.takesEffect)
        return ::testing::AssertionFailure()
            << "a reason exactly when the step does nothing: '" << preview.reason << "'";
    const bool othersLowered = std::any_of(seen.skills.begin(), seen.skills.end(),
        [skill](const SkillChange &c) { return c.skill != skill && c.after < c.before; });
    if (preview.othersLowered.empty() == othersLowered)
        return ::testing::AssertionFailure()
            << "a reason exactly when other skills are lowered: '" << preview.othersLowered << "'";
    seen.reason = preview.reason;
    seen.othersLowered = preview.othersLowered;
    if (preview == seen)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "preview:\n"
                                         << DescribePreview(skill, {preview, {}}) << "\nseen:\n"
                                         << DescribePreview(skill, {seen, {}});
}

TEST(Preview, EqualsWhatSteppingDoesAndChangesNothing)
{
    RandomUser user(RandomSeed(20261208U));
    std::mt19937 choice(99);
    PlannerDriver walker;
    Planner scratch;
    scratch.FormCreate();
    int refusedSteps = 0;
    int takenSteps = 0;
    int irregular = 0;
    for (int plan = 0; plan < kPlans; ++plan) {
        // A lowered level leaves the plans whose steps run cascades: locked
        // skills holding points, values above the level, points overspent.
        const std::int32_t level = walker.planner.SpEStufeH.Value();
        if (choice() % 5 == 0)
            walker.Type(kLevelField, std::to_string(std::uniform_int_distribution<int>(1, level)(choice)));
        else
            user.Act(walker);
        irregular += IsIrregular(walker.planner) ? 1 : 0;
        const PlannerState state = walker.planner.CaptureState();
        const PlanPreview preview = PreviewPlan(walker.planner);
        ASSERT_TRUE(walker.planner.CaptureState() == state) << "plan " << plan << ": " << user.Describe();
        const std::int64_t freePoints = Shown(std::string_view(state.freePointsText).substr(kFreePointsCaption.size()));
        const std::int64_t freeSlots = Shown(state.freeSlotsText);

        // Every step a button or an arrow key can take, offered or not: a step
        // the preview does not offer changes nothing that shows.
        for (int s = 1; s <= kSkillCount; ++s) {
            ASSERT_TRUE(preview[s].up.offered);
            for (const bool up : {true, false}) {
                const StepPreview &step = up ? preview[s].up : preview[s].down;
                scratch.LoadState(state);
                up ? scratch.SpEFert[s].StepUp() : scratch.SpEFert[s].StepDown();
                const StepPreview seen = Observed(state, scratch, s);
                if (!step.offered) {
                    ASSERT_TRUE(seen.skills.empty() && seen.bonuses.empty() && seen.freePoints == freePoints
                        && seen.freeSlots == freeSlots)
                        << "plan " << plan << " after " << user.Describe() << ", skill " << s << " down not offered:\n"
                        << DescribePreview(s, {seen, {}});
                    continue;
                }
                ASSERT_TRUE(Matches(step, seen, s))
                    << "plan " << plan << " after " << user.Describe() << ", skill " << s << (up ? " up" : " down");
                ++(step.takesEffect ? takenSteps : refusedSteps);
            }
        }

        // Now step the planner itself, without a scratch copy, and walk on from there.
        const int s = std::uniform_int_distribution<int>(1, kSkillCount)(choice);
        const bool up = !preview[s].down.offered || choice() % 2 == 0;
        up ? walker.planner.SpEFert[s].StepUp() : walker.planner.SpEFert[s].StepDown();
        ASSERT_TRUE(Matches(up ? preview[s].up : preview[s].down, Observed(state, walker.planner, s), s))
            << "plan " << plan << ", skill " << s << (up ? " up" : " down") << " on the planner itself";
    }
    RecordProperty("irregular_plans", irregular);
    EXPECT_GT(irregular, kPlans / 40);
    RecordProperty("steps_taken", takenSteps);
    RecordProperty("steps_refused", refusedSteps);
    EXPECT_GT(refusedSteps, 0);
    EXPECT_GT(takenSteps, 0);
}

struct TextCase {
    const char *name;
    std::vector<Action> actions;
    int skill;
    std::string text;
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.name;
}

class PreviewText : public ::testing::TestWithParam<TextCase> { };

TEST_P(PreviewText, SaysWhatTheStepBringsOrWhyNot)
{
    PlannerDriver driver;
    for (const Action &action : GetParam().actions)
        action.run(driver);
    const int skill = GetParam().skill;
    EXPECT_EQ(DescribePreview(skill, PreviewPlan(driver.planner)[skill]), GetParam().text);
    // The text both front ends show as the field's tooltip.
    EXPECT_EQ(SkillTipTexts(driver.planner)[skill], GetParam().text);
}

Action PasteSkill(int skill, const std::string &text)
{
    return {"paste " + text + " over skill " + std::to_string(skill), [=](PlannerDriver &d) { d.Paste(skill, text); }};
}

// A locked field that still shows points, a state the preview must expect.
Action LockedHolding(int skill, const std::string &text)
{
    return {"skill " + std::to_string(skill) + " locked holding " + text, [=](PlannerDriver &d) {
                const NumberField &field = d.Field(skill);
                d.Field(skill).Restore(text, field.Minimum(), field.Maximum(), false, kLockedColour, false);
            }};
}

std::vector<TextCase> TextCases()
{
    return {
        TextCase{"new character: no point free", {}, 1,
            "Ein Punkt mehr ist nicht m\u00f6glich: Kein Fertigkeitspunkt ist frei."},
        TextCase{"a skill the class never learns", {}, 2,
            "Ein Punkt mehr ist nicht m\u00f6glich: \u201eMagiekunde\u201c kann diese Klasse nie lernen."},
        TextCase{"a skill opened later", {TypeLevel("3")}, 24,
            "Ein Punkt mehr ist nicht m\u00f6glich: Diese Klasse bekommt \u201eParade\u201c erst ab Stufe 30."},
        TextCase{"a new skill with its bonus lines", {TypeLevel("3")}, 3,
            "Ein Punkt mehr: Faustkampf 0 \u2192 1\nDanach frei: 2 Fertigkeitspunkte, 0 Fertigkeitspl\u00e4tze\n"
            "neu: Angriffswert beim Faustkampf: +12 %\nneu: Angriffsgeschwindigkeit beim Faustkampf: +6 %"},
        TextCase{"no slot free", {TypeLevel("3"), TypeSkill(3, "1")}, 4,
            "Ein Punkt mehr ist nicht m\u00f6glich: Kein Fertigkeitsplatz ist frei."},
        TextCase{"the level caps the skill; one point less", {TypeLevel("3"), TypeSkill(1, "3")}, 1,
            "Ein Punkt mehr ist nicht m\u00f6glich: Die Stufe 3 begrenzt \u201eWaffenkunde\u201c auf 3 Punkte.\n\n"
            "Ein Punkt weniger: Waffenkunde 3 \u2192 2\nDanach frei: 2 Fertigkeitspunkte, 1 Fertigkeitsplatz\n"
            "Schaden bei physischen Angriffen: +27 % \u2192 +20 %"},
        TextCase{"overspent after a lower level: one point less is undone",
            {TypeLevel("3"), TypeSkill(1, "2"), TypeSkill(18, "2"), TypeSkill(3, "1"), TypeLevel("2")}, 1,
            "Ein Punkt mehr ist nicht m\u00f6glich: Die Stufe 2 begrenzt \u201eWaffenkunde\u201c auf 2 Punkte.\n\n"
            "Ein Punkt weniger ist nicht m\u00f6glich: Auch mit einem Punkt weniger sind mehr Punkte verteilt, als "
            "die Stufe gew\u00e4hrt."},
        TextCase{"values clamped by a level passed on the way",
            {TypeLevel("30"), TypeSkill(1, "10"), TypeSkill(18, "10"), TypeSkill(3, "20"), TypeLevel("25")}, 1,
            "Ein Punkt mehr: Waffenkunde 2 \u2192 3\nDanach frei: 56 Fertigkeitspunkte, 3 Fertigkeitspl\u00e4tze\n"
            "Schaden bei physischen Angriffen: +20 % \u2192 +27 %\n\n"
            "Ein Punkt weniger: Waffenkunde 2 \u2192 1\nDanach frei: 58 Fertigkeitspunkte, 3 Fertigkeitspl\u00e4tze\n"
            "Schaden bei physischen Angriffen: +20 % \u2192 +12 %"},
        TextCase{"a field at its minimum showing no number, in a plan under a lowered level",
            {TypeLevel("15"), Leave(kLevelField), TypeSkill(5, "13"), Leave(5), PasteSkill(1, "x"), Leave(1),
                TypeLevel("6"), Leave(kLevelField)},
            1,
            "Ein Punkt mehr ist nicht m\u00f6glich: Kein Fertigkeitspunkt ist frei.\nDabei: Schwertkunde 13 \u2192 6\n"
            "Die Stufe 6 begrenzt \u201eSchwertkunde\u201c auf 6 Punkte.\n"
            "Danach frei: 3 Fertigkeitspunkte, 1 Fertigkeitsplatz\n"
            "Angriffswert beim Schwertkampf: +64 % \u2192 +35 %\n"
            "Angriffsgeschwindigkeit beim Schwertkampf: +43 % \u2192 +23 %\n\n"
            "Ein Punkt weniger ist nicht m\u00f6glich: \u201eWaffenkunde\u201c hat schon den kleinsten Wert 1.\n"
            "Dabei: Schwertkunde 13 \u2192 6\nDie Stufe 6 begrenzt \u201eSchwertkunde\u201c auf 6 Punkte.\n"
            "Danach frei: 3 Fertigkeitspunkte, 1 Fertigkeitsplatz\n"
            "Angriffswert beim Schwertkampf: +64 % \u2192 +35 %\n"
            "Angriffsgeschwindigkeit beim Schwertkampf: +43 % \u2192 +23 %"},
        TextCase{"a step that locks a skill holding points",
            {TypeLevel("20"), Leave(kLevelField), LockedHolding(24, "5")}, 1,
            "Ein Punkt mehr: Waffenkunde 1 \u2192 2, Parade 5 \u2192 0\n"
            "\u201eParade\u201c wird gesperrt: Diese Klasse bekommt \u201eParade\u201c erst ab Stufe 30.\n"
            "Danach frei: 45 Fertigkeitspunkte, 4 Fertigkeitspl\u00e4tze\n"
            "Schaden bei physischen Angriffen: +12 % \u2192 +20 %"},
    };
}

INSTANTIATE_TEST_SUITE_P(Preview, PreviewText, ::testing::ValuesIn(TextCases()), ByCaseName());

} // namespace
} // namespace rollwerk
