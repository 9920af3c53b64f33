// The best plan for a goal against every valid plan at low levels, against
// a second search written on its own at high levels, the reasons when there
// is none, the comparison of two plans, the window's texts and the goal in
// a link.

#include "Goal.h"
#include "AccessKey.h"
#include "BonusCurve.h"
#include "ComparisonTexts.h"
#include "GoalLink.h"
#include "GoalTexts.h"
#include "GoalWindowTable.h"
#include "RandomGoal.h"
#include "RandomUser.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <tuple>

namespace rollwerk {
namespace {

using testing::Choosable;
using testing::RandomGoal;
using testing::RandomSeed;
using testing::Uniform;

// Why a plan is no answer to the goal, or nothing.
std::string Violation(const Goal &goal, const SkillValues &skills)
{
    for (int s = 1; s <= kSkillCount; ++s) {
        if (skills[s] < (UnlockLevel(s, goal.classColumn) == 0 ? 1 : 0) || skills[s] > goal.level
            || (skills[s] > 0 && !Choosable(s, goal)) || (goal.keepSpent && skills[s] < goal.current[s]))
            return "skill " + std::to_string(s);
    }
    if (FreeSkillPoints(goal.level, skills) < 0 || ChosenSkillCount(skills) > SkillSlots(goal.level))
        return "points or slots";
    for (int row = 1; row <= kBonusRowCount; ++row) {
        if (BonusRowValue(row, skills) < goal.minimum.at(static_cast<std::size_t>(row - 1)))
            return "row " + std::to_string(row);
    }
    return {};
}

// The answer's order: objective, points, skills, then nearest the current
// plan skill by skill, Parade right after Wendigkeit. Smaller is better.
std::vector<std::int64_t> Rank(const Goal &goal, const SkillValues &skills)
{
    std::vector<std::int64_t> rank{-GoalObjective(goal, skills),
        std::accumulate(skills.items.begin(), skills.items.end(), std::int64_t{0}), ChosenSkillCount(skills)};
    for (int s :
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24, 23, 25, 26, 27, 28}) {
        rank.push_back(std::abs(skills[s] - goal.current[s]));
        rank.push_back(skills[s]);
    }
    return rank;
}

// Every valid plan, skill by skill within the points and slots left.
template <typename Visit>
void EveryPlan(const Goal &goal, int skill, SkillValues &plan, std::int64_t points, int slots, Visit &visit)
{
    if (skill > kSkillCount) {
        visit(plan);
        return;
    }
    const std::int32_t high = Choosable(skill, goal) ? goal.level : 0;
    for (std::int32_t v = UnlockLevel(skill, goal.classColumn) == 0 ? 1 : 0; v <= high && v <= points; ++v) {
        if (v > 0 && slots == 0)
            break;
        plan[skill] = v;
        EveryPlan(goal, skill + 1, plan, points - v, slots - (v > 0 ? 1 : 0), visit);
    }
    plan[skill] = 0;
}

struct LowLevel {
    int classColumn;
    int level;
};

void PrintTo(const LowLevel &p, std::ostream *out)
{
    *out << kClassNames.at(static_cast<std::size_t>(p.classColumn)) << " at level " << p.level;
}

class GoalAgainstEveryPlan : public ::testing::TestWithParam<LowLevel> { };

TEST_P(GoalAgainstEveryPlan, AnswerIsTheBestValidPlanInTheStatedOrder)
{
    const auto [classColumn, level] = GetParam();
    std::mt19937 random(RandomSeed(static_cast<std::uint32_t>(classColumn * 10 + level)));
    for (int round = 0; round < 6; ++round) {
        const Goal goal = RandomGoal(random, classColumn, level);
        std::optional<std::vector<std::int64_t>> bestRank;
        SkillValues best;
        auto visit = [&](const SkillValues &plan) {
            if (!Violation(goal, plan).empty())
                return;
            std::vector<std::int64_t> rank = Rank(goal, plan);
            if (!bestRank || rank < *bestRank) {
                bestRank = std::move(rank);
                best = plan;
            }
        };
        SkillValues plan;
        EveryPlan(goal, 1, plan, SkillPointBudget(level), *SkillSlots(level), visit);

        const GoalAnswer answer = Optimise(goal);
        ASSERT_EQ(answer.found, bestRank.has_value()) << "round " << round << ": " << answer.reason;
        if (answer.found) {
            EXPECT_EQ(answer.skills, best) << "round " << round;
            EXPECT_EQ(answer.objective, -bestRank->front());
        } else {
            EXPECT_FALSE(answer.reason.empty());
        }
    }
}

std::vector<LowLevel> LowLevels()
{
    std::vector<LowLevel> levels;
    for (int c = 0; c < kClassCount; ++c) {
        for (int level = 1; level <= 6; ++level)
            levels.push_back({c, level});
    }
    return levels;
}

INSTANTIATE_TEST_SUITE_P(EveryClassLevelsOneToSix, GoalAgainstEveryPlan, ::testing::ValuesIn(LowLevels()));

// A second method, written apart from the optimiser: a memoised search over
// the skills with at most p points and k slots left, Wendigkeit and Parade
// tried in pairs before it, every row read from the bonus table for the
// plan as a whole. A value worth no more than a lower one of the same skill
// is passed over (the lower saves points). It finds the objective, then the
// fewest points and skills, packed into one number.
class PlainSearch {
public:
    explicit PlainSearch(const Goal &goal) : goal_(goal)
    {
        for (int s = 1; s <= kSkillCount; ++s) {
            if (s == 22 || s == 24 || !Choosable(s, goal))
                continue;
            skills_.push_back(s);
            // Each value the skill may take, with its worth, if its rows meet
            // their minimums and it is worth more than every lower value.
            std::vector<std::pair<std::int32_t, std::int64_t>> &values = values_.emplace_back();
            for (const std::int32_t v : Values(s)) {
                SkillValues alone;
                alone[s] = v;
                const std::int64_t worth = Worth(alone, BonusRowsOfSkill(s));
                if (Meets(alone, BonusRowsOfSkill(s)) && (values.empty() || worth > values.back().second))
                    values.emplace_back(v, worth);
            }
        }
        width_ = SkillPointBudget(goal.level) + 1;
        slots_ = *SkillSlots(goal.level);
        memo_.assign(skills_.size() * static_cast<std::size_t>(width_ * (slots_ + 1)), kUnknown);
    }

    // objective * 2^20 - points * 16 - skills, or no value.
    std::optional<std::int64_t> Best()
    {
        std::optional<std::int64_t> best;
        for (const std::int32_t agility : Values(22)) {
            for (const std::int32_t parry : Values(24)) {
                const int taken = (agility > 0) + (parry > 0);
                const std::int64_t points = width_ - 1 - agility - parry;
                if (points < 0 || taken > slots_)
                    continue;
                SkillValues pair;
                pair[22] = agility;
                pair[24] = parry;
                const std::int64_t attack = BonusRowValue(21, pair);
                const std::int64_t defence = BonusRowValue(22, pair);
                if (attack < goal_.minimum.at(20) || defence < goal_.minimum.at(21))
                    continue;
                const std::int64_t rest = Search(0, points, slots_ - taken);
                if (rest == kNone)
                    continue;
                const std::int64_t worth = goal_.weight.at(20) * attack + goal_.weight.at(21) * defence;
                const std::int64_t total = rest + (worth << 20) - 16 * std::int64_t{agility + parry} - taken;
                best = std::max(best.value_or(total), total);
            }
        }
        return best;
    }

private:
    static constexpr std::int64_t kUnknown = std::numeric_limits<std::int64_t>::max();
    static constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();

    std::vector<std::int32_t> Values(int skill) const
    {
        std::vector<std::int32_t> values;
        const std::int32_t low
            = std::max(goal_.keepSpent ? goal_.current[skill] : 0, UnlockLevel(skill, goal_.classColumn) == 0 ? 1 : 0);
        for (std::int32_t v = low; v <= (Choosable(skill, goal_) ? goal_.level : 0); ++v)
            values.push_back(v);
        return values;
    }

    bool Meets(const SkillValues &plan, std::span<const int> rows) const
    {
        return std::all_of(rows.begin(), rows.end(),
            [&](int row) { return BonusRowValue(row, plan) >= goal_.minimum.at(static_cast<std::size_t>(row - 1)); });
    }

    std::int64_t Worth(const SkillValues &plan, std::span<const int> rows) const
    {
        std::int64_t worth = 0;
        for (const int row : rows)
            worth += goal_.weight.at(static_cast<std::size_t>(row - 1)) * BonusRowValue(row, plan);
        return worth;
    }

    std::int64_t Search(std::size_t index, std::int64_t points, int slots)
    {
        if (index == skills_.size())
            return 0;
        std::int64_t &known = memo_[(index * static_cast<std::size_t>(slots_ + 1) + static_cast<std::size_t>(slots))
                * static_cast<std::size_t>(width_)
            + static_cast<std::size_t>(points)];
        if (known != kUnknown)
            return known;
        known = kNone;
        for (const auto &[v, worth] : values_[index]) {
            const int taken = v > 0 ? 1 : 0;
            if (v > points || taken > slots)
                break;
            const std::int64_t rest = Search(index + 1, points - v, slots - taken);
            if (rest != kNone)
                known = std::max(known, rest + (worth << 20) - 16 * std::int64_t{v} - taken);
        }
        return known;
    }

    const Goal &goal_;
    std::vector<int> skills_;
    std::vector<std::vector<std::pair<std::int32_t, std::int64_t>>> values_;
    std::int64_t width_ = 0;
    int slots_ = 0;
    std::vector<std::int64_t> memo_;
};

TEST(GoalAgainstPlainSearch, SameBestAtHighLevelsOnRandomGoals)
{
    const std::uint32_t seed = RandomSeed(20261209U);
    std::mt19937 random(seed);
    int found = 0;
    for (int round = 0; round < 200; ++round) {
        const Goal goal = RandomGoal(random, Uniform(random, 0, kClassCount - 1), Uniform(random, 30, kMaxLevel));
        const GoalAnswer answer = Optimise(goal);
        const std::optional<std::int64_t> best = PlainSearch(goal).Best();
        ASSERT_EQ(answer.found, best.has_value()) << "seed " << seed << ", round " << round << ": " << answer.reason;
        if (!answer.found)
            continue;
        ++found;
        ASSERT_EQ(Violation(goal, answer.skills), "") << "round " << round;
        const std::int64_t points = SkillPointBudget(goal.level) - answer.freePoints;
        EXPECT_EQ((answer.objective << 20) - 16 * points - ChosenSkillCount(answer.skills), *best)
            << "seed " << seed << ", round " << round;
    }
    RecordProperty("goals_with_an_answer", found);
    EXPECT_GT(found, 100);
}

struct ReasonCase {
    const char *name;
    int classColumn;
    std::int32_t level;
    bool keepSpent;
    std::vector<std::pair<int, std::int32_t>> current;  // skill, value, over the starting skills at 1
    std::vector<std::pair<int, std::int32_t>> minimums; // row, minimum
    std::string reason;
};

void PrintTo(const ReasonCase &c, std::ostream *out)
{
    *out << c.name;
}

class GoalReason : public ::testing::TestWithParam<ReasonCase> { };

TEST_P(GoalReason, NamesTheBoundAndWhatIsReachable)
{
    const ReasonCase &c = GetParam();
    Goal goal{c.classColumn, c.level, {}, {}, c.keepSpent, {}};
    for (int s = 1; s <= kSkillCount && c.classColumn < kClassCount; ++s)
        goal.current[s] = UnlockLevel(s, c.classColumn) == 0 ? 1 : 0;
    for (const auto &[skill, value] : c.current)
        goal.current[skill] = value;
    for (const auto &[row, minimum] : c.minimums) {
        // Row 0 stands for a weight out of range.
        if (row == 0)
            goal.weight.at(0) = minimum;
        else
            goal.minimum.at(static_cast<std::size_t>(row - 1)) = minimum;
    }
    const GoalAnswer answer = Optimise(goal);
    EXPECT_FALSE(answer.found);
    EXPECT_EQ(answer.reason, c.reason);
}

std::string Curve(int a, int b, int s)
{
    return std::to_string(BonusCurve(a, b, 50, s));
}

// Gladiator is column 0, Kampfmagier 4.
INSTANTIATE_TEST_SUITE_P(Table, GoalReason,
    ::testing::Values(
        ReasonCase{"life above what Konstitution at the level gives", 0, 10, false, {}, {{23, 300}},
            "Lebensenergie +300 % ist auf Stufe 10 nicht erreichbar (h\u00f6chstens +" + Curve(4, 130, 10) + " %)"},
        ReasonCase{"trade, a row without unit, capped by the level", 0, 50, false, {}, {{27, 60}},
            "Handel +60 ist auf Stufe 50 nicht erreichbar (h\u00f6chstens +50)"},
        ReasonCase{"defence from Parade and Wendigkeit together", 0, 30, false, {}, {{22, 999}},
            "Verteidigungswert +999 % ist auf Stufe 30 nicht erreichbar (h\u00f6chstens +"
                + std::to_string(BonusCurve(15, 250, 50, 30) + BonusCurve(13, 225, 50, 30)) + " %)"},
        ReasonCase{"two rows that each need the last slot", 0, 3, false, {}, {{1, 20}, {2, 12}},
            "Angriffswert beim Zwei-Waffenkampf +12 % ist auf Stufe 3 zusammen mit den Mindestwerten davor nicht "
            "erreichbar (h\u00f6chstens 0)"},
        ReasonCase{"kept points above the budget of a lower level", 0, 3, true, {{5, 12}, {3, 8}}, {},
            "Die vergebenen Punkte passen nicht in Stufe 3"},
        ReasonCase{"a kept value above the level", 4, 20, true, {{2, 21}}, {},
            "Die vergebenen Punkte passen nicht in Stufe 20"},
        ReasonCase{"kept skills more than the slots", 4, 50, true,
            {{11, 1}, {12, 1}, {13, 1}, {14, 1}, {5, 1}, {8, 1}, {1, 1}}, {},
            "Die vergebenen Punkte passen nicht in Stufe 50"},
        ReasonCase{"a level beyond the last", 0, 251, false, {}, {}, "Die Zielstufe muss zwischen 1 und 250 liegen"},
        ReasonCase{"no class", 6, 10, false, {}, {}, "Unbekannte Klasse"},
        ReasonCase{"a weight above 10", 0, 10, false, {}, {{0, 11}},
            "Gewichte liegen zwischen 0 und 10, Mindestwerte zwischen 0 und 999"},
        ReasonCase{"a current value above any level", 0, 10, false, {{3, 300}}, {},
            "Der Plan hat einen Wert au\u00dferhalb von 0 bis 250"}));

// The goals window disables a row the class cannot have and keeps its
// numbers: after a change of class or level, that row counts for nothing
// (a minimum there once ruled out every plan).
TEST(GoalReason, ARowTheClassCannotHaveCountsForNothing)
{
    int disabledRows = 0;
    for (int classColumn = 0; classColumn < kClassCount; ++classColumn) {
        for (const std::int32_t level : {10, 100, 250}) {
            Goal clear{classColumn, level, {}, {}, false, {}};
            clear.weight.at(0) = 5;
            Goal kept = clear;
            for (int row = 1; row <= kBonusRowCount; ++row) {
                if (RowReachable(row, classColumn, level))
                    continue;
                ++disabledRows;
                kept.weight.at(static_cast<std::size_t>(row - 1)) = 3;
                kept.minimum.at(static_cast<std::size_t>(row - 1)) = 50;
            }
            const GoalAnswer expected = Optimise(clear);
            const GoalAnswer answer = Optimise(kept);
            ASSERT_TRUE(answer.found) << "class " << classColumn << ", level " << level << ": " << answer.reason;
            EXPECT_EQ(answer.skills, expected.skills) << "class " << classColumn << ", level " << level;
            EXPECT_EQ(answer.objective, expected.objective);
        }
    }
    EXPECT_GT(disabledRows, 0);
}

TEST(PlanComparison, ListsTheChangesAsTheBonusListShowsThem)
{
    SkillValues before;
    before[1] = 1;
    before[18] = 1;
    before[24] = 10;
    SkillValues after = before;
    after[22] = 10;
    const PlanComparison comparison = ComparePlans(SideOf(30, before), SideOf(31, after));
    EXPECT_EQ(DescribeComparison(comparison),
        (std::vector<std::string>{"Stufe: 30 \u2192 31", "Wendigkeit: 0 \u2192 10",
            "Freie Fertigkeitspunkte: 67 \u2192 61", "Freie Pl\u00e4tze: 4 \u2192 3",
            "Angriffswert: 0 \u2192 +44 % (+44)", "Verteidigungswert: +88 % \u2192 +167 % (+79)"}));

    Goal goal;
    goal.weight.at(21) = 2; // the defence row
    const std::vector<LastPoint> last = LastPoints(goal, after);
    ASSERT_EQ(last.size(), 4U);
    EXPECT_EQ(last[2].skill, 22);
    EXPECT_EQ(last[2].rows,
        (std::vector<RowChange>{{21, BonusCurve(7, 125, 50, 9), 44}, {22, 88 + BonusCurve(13, 225, 50, 9), 167}}));
    EXPECT_EQ(last[2].objective, 2 * (167 - last[2].rows[1].before));
    EXPECT_EQ(DescribeLastPoint(last[2]),
        "Wendigkeit 10: Zielwert +" + std::to_string(last[2].objective) + " (Angriffswert +"
            + std::to_string(44 - last[2].rows[0].before) + " %, Verteidigungswert +"
            + std::to_string(167 - last[2].rows[1].before) + " %)");

    // The defence row over each of its skills, the other held where the plan has it.
    goal.level = 30;
    goal.current = before;
    const std::vector<RowCurve> curves = GoalCurves(goal, after);
    ASSERT_EQ(curves.size(), 2U);
    EXPECT_EQ(curves[0].skill, 22);
    EXPECT_EQ(curves[0].values.size(), 31U);
    EXPECT_EQ(curves[0].values[0], 88);
    EXPECT_EQ(curves[0].values[10], 167);
    EXPECT_EQ(std::tie(curves[1].skill, curves[1].current, curves[1].proposed, curves[1].values[10]),
        std::make_tuple(24, 10, 10, std::int64_t{167}));
}

TEST(GoalTexts, TheObjectiveWithTheLevelAndWhatIsLeftOrTheReason)
{
    Goal goal;
    goal.level = 10;
    goal.weight.at(2) = 5; // Angriffswert beim Schwertkampf
    goal.current[1] = 1;
    goal.current[18] = 1;
    const GoalAnswer answer = Optimise(goal);
    ASSERT_TRUE(answer.found);
    const GoalTexts texts = DescribeGoalAnswer(goal, answer, SideOf(1, goal.current));
    EXPECT_EQ(texts.value,
        "Zielwert " + std::to_string(answer.objective)
            + " (jetzt 0), der h\u00f6chste auf Stufe 10 erreichbare. "
              "Stufe 1 \u2192 10. Danach frei: 7 Punkte, 1 Platz.");
    EXPECT_EQ(texts.proposal, std::vector<std::string>{"Schwertkunde: 0 \u2192 10"});
    EXPECT_EQ(texts.proposalTips.size(), 1U);
    EXPECT_EQ(texts.lastPoints.size(), answer.lastPoints.size());
    EXPECT_EQ(texts.lastPointTips.at(1), "Jetzt ohne Punkte");
    EXPECT_EQ(EncodePlan(ProposedPlan(goal, answer.skills)).empty(), false);
    EXPECT_EQ(CurveTitle(GoalCurves(goal, answer.skills).at(0)),
        "Angriffswert beim Schwertkampf in % \u00fcber Schwertkunde: jetzt 0, Vorschlag 10");
    const int trader = BonusSourceSkills(27).front();
    EXPECT_EQ(CurveTitle(RowCurve{27, trader, {}, 3, 7}),
        "Handel \u00fcber " + std::string(SkillCaption(trader)) + ": jetzt 3, Vorschlag 7");

    Goal second = goal;
    second.level = 2; // no skill opens before level 3: one point and no slot stay free
    const GoalTexts one = DescribeGoalAnswer(second, Optimise(second), SideOf(2, goal.current));
    EXPECT_EQ(one.value.substr(one.value.find("Danach")), "Danach frei: 1 Punkt, 0 Pl\u00e4tze.");

    goal.minimum.at(22) = 300; // Lebensenergie
    const GoalTexts none = DescribeGoalAnswer(goal, Optimise(goal), SideOf(1, goal.current));
    EXPECT_EQ(none.value.substr(0, 49), "Lebensenergie +300 % ist auf Stufe 10 nicht errei");
    EXPECT_EQ(none.value.back(), '.');
    EXPECT_TRUE(none.proposal.empty() && none.comparison.empty());
}

// Both front ends take the window's captions and accessible names from one table.
TEST(GoalTexts, AccessibleNamesAreTheCaptionsWithoutAccessKeyAndColon)
{
    EXPECT_EQ(GoalAccessibleName("LBVergleich"), "Boni vorher und nachher");
    EXPECT_EQ(GoalAccessibleName("BSchliessen"), "Schlie\u00dfen");
    EXPECT_EQ(GoalAccessibleName("LZielWert"), "Zielwert");
    EXPECT_EQ(GoalAccessibleName("LFertFrei"), "");
    EXPECT_EQ(GoalCaption("SpEZielStufe"), "&Zielstufe:");
    EXPECT_EQ(WithoutAccessKey("B&oni && Plan&"), "Boni & Plan&");
}

TEST(GoalLink, ReadsWhatItWritesAndNamesWhatItCannotRead)
{
    std::mt19937 random(15);
    for (int round = 0; round < 200; ++round) {
        Goal goal;
        goal.level = std::uniform_int_distribution<std::int32_t>(kMinLevel, kMaxLevel)(random);
        goal.keepSpent = random() % 2 == 0;
        for (std::size_t row = 0; row < goal.weight.size(); ++row) {
            if (random() % 4 != 0)
                continue;
            goal.weight.at(row) = std::uniform_int_distribution<int>(0, kMaxGoalWeight)(random);
            goal.minimum.at(row) = random() % 2 ? 0 : std::uniform_int_distribution<std::int32_t>(0, 999)(random);
        }
        const std::string text = EncodeGoalLink(goal);
        const GoalLinkDecoding read = DecodeGoalLink(text + (round % 3 == 0 ? ")." : ""));
        ASSERT_TRUE(read.goal) << text << ": " << read.error;
        EXPECT_EQ(std::tie(read.goal->level, read.goal->keepSpent, read.goal->weight, read.goal->minimum),
            std::tie(goal.level, goal.keepSpent, goal.weight, goal.minimum))
            << text;
    }
    EXPECT_EQ(EncodeGoalLink(Goal{0, 120, {0, 0, 5}, {0, 0, 0, 7}, false, {}}), "120,frei,3:5,4:0:7");

    const std::vector<std::pair<std::string, std::string>> bad{
        {"", "Das Ziel ist leer"},
        {"0,3:5", "Die Zielstufe \u201e0\u201c ist keine Stufe von 1 bis 250"},
        {"12a", "Die Zielstufe \u201e12a\u201c ist keine Stufe von 1 bis 250"},
        {"12,3", "\u201e3\u201c ist weder Zeile:Gewicht noch Zeile:Gewicht:Mindestwert"},
        {"12,3:5:1:1", "\u201e3:5:1:1\u201c ist weder Zeile:Gewicht noch Zeile:Gewicht:Mindestwert"},
        {"12,3:-5", "In \u201e3:-5\u201c steht etwas anderes als Zahlen"},
        {"12,3:99999", "In \u201e3:99999\u201c steht etwas anderes als Zahlen"},
        {"12,frei,frei", "\u201efrei\u201c ist weder Zeile:Gewicht noch Zeile:Gewicht:Mindestwert"},
        {"12,46:1", "Eine Zeile 46 gibt es nicht (1 bis 45)"},
        {"12,23:1,23:2", "Zeile 23 (Lebensenergie) steht zweimal im Ziel"},
        {"12,23:11", "Das Gewicht 11 von Zeile 23 (Lebensenergie) ist zu hoch (h\u00f6chstens 10)"},
        {"12,23:1:1000", "Der Mindestwert 1000 von Zeile 23 (Lebensenergie) ist zu hoch (h\u00f6chstens 999)"},
        {"12,23:012345", "In \u201e23:012345\u201c steht etwas anderes als Zahlen"},
        {std::string(1 << 20, 'A'),
            "Die Zielstufe \u201eAAAAAAAAAAAAAAAAAAAAAAAA\u2026\u201c ist keine Stufe von 1 bis 250"},
        {"12,\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4:1:2:3:4:5:6:7",
            "\u201e\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4\u00e4:1:2:3:4:5:6\u2026\u201c "
            "ist weder "
            "Zeile:Gewicht noch Zeile:Gewicht:Mindestwert"},
        {std::string("12\0,3:5", 6),
            "Die Zielstufe \u201e12" + std::string(1, '\0') + "\u201c ist keine Stufe von 1 bis 250"},
    };
    for (const auto &[text, error] : bad) {
        const GoalLinkDecoding read = DecodeGoalLink(text);
        EXPECT_FALSE(read.goal) << text.substr(0, 40);
        EXPECT_EQ(read.error, error) << text.substr(0, 40);
    }
    // Leading zeros are read however many there are.
    for (const std::string_view text : {"0250,3:5", "250,03:005:0000000007", "00000250,3:5:7"}) {
        const GoalLinkDecoding read = DecodeGoalLink(text);
        ASSERT_TRUE(read.goal) << text << ": " << read.error;
        EXPECT_EQ(std::tie(read.goal->level, read.goal->weight.at(2)), std::make_tuple(250, 5)) << text;
    }
    EXPECT_EQ(DecodeGoalLink("00005").goal->level, 5);
}

} // namespace
} // namespace rollwerk
