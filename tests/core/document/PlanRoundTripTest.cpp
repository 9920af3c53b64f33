// Plans reached by random user actions travel through their code to a fresh
// planner and come back the same, or the planner says exactly where it
// differs, each difference with its reason; a text without a valid code
// changes nothing.

#include "CaseName.h"
#include "PlanApply.h"
#include "PlanSummary.h"
#include "RandomUser.h"

#include <gtest/gtest.h>

#include <map>

namespace rollwerk {
namespace {

using namespace rollwerk::testing;

constexpr int kPlans = 10000;

// Why entering the plan in a restarted planner (class, level, then each
// skill in order) cannot reach it, or an empty text when it can. Plans that
// cannot be entered are left behind by a level lowered under them or by a
// value typed into a field that still has the focus.
std::string NotEnterable(const Plan &plan)
{
    const int column = *ClassColumn(plan.className);
    if (FreeSkillPoints(plan.level, plan.skills) < 0)
        return "fewer than 0 free points";
    if (ChosenSkillCount(plan.skills) > *SkillSlots(plan.level))
        return "fewer than 0 free slots";
    for (int s = 1; s <= kSkillCount; ++s) {
        const std::int32_t value = plan.skills[s];
        const int unlock = UnlockLevel(s, column);
        if (value > plan.level)
            return "a value above the level";
        if (value > 0 && unlock > plan.level)
            return "points in a skill the level does not open";
        if (unlock == 0 && value < 1)
            return "a starting skill at 0";
    }
    return {};
}

std::vector<SkillChange> Differences(const Plan &wanted, const Plan &shown)
{
    std::vector<SkillChange> differences;
    if (wanted.level != shown.level)
        differences.push_back({0, wanted.level, shown.level});
    for (int s = 1; s <= kSkillCount; ++s) {
        if (wanted.skills[s] != shown.skills[s])
            differences.push_back({s, wanted.skills[s], shown.skills[s]});
    }
    return differences;
}

TEST(PlanRoundTrip, RandomPlansComeBackOrTheDifferencesAreReported)
{
    RandomUser user(RandomSeed(20261208U));
    RandomUser elsewhere(4711U);
    PlannerDriver walker;
    PlannerDriver busy; // a planner in use, to show that its old plan does not matter
    std::map<std::string, int> seen;
    int plans = 0;
    int started = 0;
    int settled = 0;
    const Connection startedCount = busy.planner.actionStarted.Connect([&] { ++started; });
    const Connection settledCount = busy.planner.settled.Connect([&] { ++settled; });
    for (int action = 0; plans < kPlans; ++action) {
        user.Act(walker);
        elsewhere.Act(busy);
        const Plan plan = CurrentPlan(walker.planner);
        const std::string code = EncodePlan(plan);
        if (code.empty()) {
            ++seen["value outside 0 to 250 in a focused field: no code"];
            continue;
        }
        ++plans;
        ASSERT_LE(code.size(), kPlanCodeMaxLength);

        PlannerDriver fresh;
        // The summary "Plan kopieren" puts on the clipboard carries the plan as its code.
        const PlanApplication result = PastePlan(fresh.planner, ClipboardContent::Text, PlanSummary(walker.planner));
        ASSERT_TRUE(result.applied) << code;
        const Plan shown = CurrentPlan(fresh.planner);
        ASSERT_EQ(shown.className, plan.className) << code;
        ASSERT_EQ(result.differences, Differences(plan, shown)) << code;
        ASSERT_EQ(result.message.empty(), result.differences.empty());
        const std::string why = NotEnterable(plan);
        if (why.empty())
            ASSERT_TRUE(result.differences.empty()) << code << "\n" << result.message;
        else
            ASSERT_FALSE(result.differences.empty()) << code << " (" << why << ") came back";
        ++seen[why.empty() ? "came back exactly" : why + ": reported"];

        // The same code on a planner in use gives the same plan and the same
        // views, which settle once, for all the plan's entries.
        started = settled = 0;
        PastePlan(busy.planner, ClipboardContent::Text, code);
        ASSERT_EQ(started, 1);
        ASSERT_EQ(settled, 1);
        ASSERT_EQ(CurrentPlan(busy.planner), shown) << code;
        ASSERT_EQ(busy.planner.LFertFrei.Text(), fresh.planner.LFertFrei.Text());
        ASSERT_EQ(busy.planner.LFertGesAnzeige.Text(), fresh.planner.LFertGesAnzeige.Text());
        ASSERT_EQ(busy.planner.LBBoni.Lines(), fresh.planner.LBBoni.Lines());

        // A code with one character dropped changes nothing at all.
        const PlannerState before = walker.planner.CaptureState();
        const PlanApplication refused = PastePlan(
            walker.planner, ClipboardContent::Text, code.substr(0, code.size() / 2) + code.substr(code.size() / 2 + 1));
        ASSERT_FALSE(refused.applied);
        ASSERT_FALSE(refused.message.empty());
        ASSERT_TRUE(walker.planner.CaptureState() == before) << code;
    }
    for (const auto &[what, count] : seen)
        RecordProperty(what, count);
    EXPECT_GT(seen["came back exactly"], kPlans / 2);
}

struct ReasonCase {
    const char *name;
    Plan plan;
    std::string lines; // after the message's first line
};

void PrintTo(const ReasonCase &c, std::ostream *os)
{
    *os << c.name;
}

class PlanReasons : public ::testing::TestWithParam<ReasonCase> { };

TEST_P(PlanReasons, EachDifferenceSaysWhy)
{
    PlannerDriver driver;
    const PlanApplication result = ApplyPlan(driver.planner, GetParam().plan);
    EXPECT_EQ(result.message,
        "Der Plan lie\u00df sich nach den Regeln des Planers nicht ganz \u00fcbernehmen:\n" + GetParam().lines);
}

Plan Gladiator(std::int32_t level, std::initializer_list<std::pair<int, std::int32_t>> values)
{
    Plan plan{"Gladiator", level, {}};
    for (const auto &[skill, value] : values)
        plan.skills[skill] = value;
    return plan;
}

Plan EverySkillAt250()
{
    Plan plan{"Gladiator", 250, {}};
    for (int s = 1; s <= kSkillCount; ++s)
        plan.skills[s] = 250;
    return plan;
}

INSTANTIATE_TEST_SUITE_P(PlanApply, PlanReasons,
    ::testing::Values(ReasonCase{"the level caps a skill", Gladiator(5, {{1, 10}, {18, 1}}),
                          "Waffenkunde: 1 statt 10 (9 weniger): die Stufe 5 begrenzt sie auf 5 Punkte"},
        ReasonCase{"the points run out", Gladiator(3, {{1, 3}, {18, 3}}),
            "Konzentration: 1 statt 3 (2 weniger): die Fertigkeitspunkte der Stufe reichen nicht"},
        ReasonCase{"no slot left", Gladiator(3, {{1, 1}, {18, 1}, {3, 1}, {4, 1}}),
            "Zwei-Waffenkampf: 0 statt 1 (1 weniger): kein Fertigkeitsplatz war mehr frei"},
        ReasonCase{"a skill opened later", Gladiator(3, {{1, 1}, {18, 1}, {24, 1}}),
            "Parade: 0 statt 1 (1 weniger): diese Klasse bekommt sie erst ab Stufe 30"},
        ReasonCase{"a starting skill at 0", Gladiator(5, {{18, 1}}),
            "Waffenkunde: 1 statt 0 (1 mehr): eine Startfertigkeit hat mindestens 1 Punkt"},
        ReasonCase{"every skill at 250: the ones never learned on one line", EverySkillAt250(),
            [] {
                std::string lines;
                for (const char *skill : {"Schwertkunde", "Axtkampf", "Stangenwaffen", "Fernkampf"})
                    lines += std::string(skill)
                        + ": 0 statt 250 (250 weniger): die Fertigkeitspunkte der Stufe "
                          "reichen nicht\n";
                lines += "Konzentration: 1 statt 250 (249 weniger): die Fertigkeitspunkte der Stufe reichen nicht\n";
                for (const char *skill :
                    {"Wendigkeit", "Konstitution", "Parade", "R\u00fcstung", "Handel", "Reiten", "Entwaffnung"})
                    lines += std::string(skill)
                        + ": 0 statt 250 (250 weniger): die Fertigkeitspunkte der Stufe "
                          "reichen nicht\n";
                return lines
                    + "Die Klasse Gladiator lernt nie, daher 0 statt der Werte im Plan: Magiekunde (250), "
                      "Klingenwaffen (250), Himmelsmagie (250), Feuermagie (250), Wassermagie (250), Luftmagie "
                      "(250), Erdmagie (250), Mondmagie (250), Ballistik (250), Blutrausch (250), Fallenkunst (250), "
                      "Vampirismus (250), Meditation (250)";
            }()}),
    ByCaseName());

} // namespace
} // namespace rollwerk
