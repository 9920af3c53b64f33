// Speed of the planner core: the bonus curve, a bonus-list rebuild, one skill
// edit, a full class change with all its nested runs, the plan code, entering
// a plan, finding a code in long texts, the preview of every skill and the
// best plan for a goal.

#include "BonusCurve.h"
#include "BonusTable.h"
#include "Goal.h"
#include "GoalLimits.h"
#include "LevelPath.h"
#include "PlanApply.h"
#include "PlanCode.h"
#include "Planner.h"
#include "Preview.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>

namespace {

using namespace rollwerk;

void BM_BonusCurve(benchmark::State &state)
{
    std::int32_t s = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BonusCurve(12, 200, 50, s));
        s = s % 250 + 1;
    }
}
BENCHMARK(BM_BonusCurve);

void BM_BonusListRebuild(benchmark::State &state)
{
    BonusTexts texts;
    texts.Initialise();
    SkillValues values;
    // A developed character: eight chosen skills, Parade and Wendigkeit among them.
    for (int s : {1, 3, 4, 18, 22, 23, 24, 25})
        values[s] = 40;
    for (auto _ : state)
        benchmark::DoNotOptimize(RebuildBonusTexts(texts, values));
}
BENCHMARK(BM_BonusListRebuild);

// Types a value over the whole text of a field, as the user does.
void Type(NumberField &field, const char *text)
{
    std::size_t selected = field.Text().size();
    for (const char *c = text; *c; ++c) {
        field.TypeCharacter(selected ? 0 : field.Text().size(), selected, static_cast<char32_t>(*c), U',');
        selected = 0;
    }
}

void BM_SkillEdit(benchmark::State &state)
{
    Planner planner;
    planner.FormCreate();
    Type(planner.SpEStufeH, "100");
    Type(planner.SpEFert[1], "40");
    Type(planner.SpEFert[3], "30");
    bool up = true;
    for (auto _ : state) {
        // One edit through SpEFertChange, alternately up and down.
        up ? planner.SpEFert[3].StepUp() : planner.SpEFert[3].StepDown();
        up = !up;
    }
}
BENCHMARK(BM_SkillEdit);

void BM_ClassChangeCascade(benchmark::State &state)
{
    // One planner for the whole run, as the program keeps one.
    Planner planner;
    planner.FormCreate();
    for (auto _ : state) {
        planner.CBCharwahl.Pick(0);
        Type(planner.SpEStufeH, "10");
        Type(planner.SpEFert[1], "5");
        Type(planner.SpEFert[18], "3");
        planner.ResetCounts();
        // Only the pick is timed: "Seraphim", 2 class runs, 10 skill runs, 5 deep.
        const auto start = std::chrono::steady_clock::now();
        planner.CBCharwahl.Pick(1);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (planner.Counts().skillChanges != 10 || planner.Counts().maxDepth != 5)
            state.SkipWithError("the cascade did not run as expected");
    }
}
BENCHMARK(BM_ClassChangeCascade)->UseManualTime();

// A developed "Kampfmagier" at level 60: seven skills, 165 of 199 points.
Plan DevelopedPlan()
{
    Plan plan{"Kampfmagier", 60, {}};
    for (const auto &[skill, value] : {std::pair{2, 40}, {21, 30}, {11, 50}, {13, 12}, {5, 10}, {8, 8}, {27, 15}})
        plan.skills[skill] = value;
    return plan;
}

void BM_EncodePlan(benchmark::State &state)
{
    const Plan plan = DevelopedPlan();
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodePlan(plan));
}
BENCHMARK(BM_EncodePlan);

void BM_DecodePlanCode(benchmark::State &state)
{
    const std::string code = EncodePlan(DevelopedPlan());
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodePlanCode(code));
}
BENCHMARK(BM_DecodePlanCode);

// Finding a code in pasted text of any size: the time must grow with the
// text, not with its square. The texts that froze the window once, a long
// chat text with the code at its end, and a run of code-like words.
std::string Repeated(std::string_view piece, std::size_t length)
{
    std::string text;
    text.reserve(length + piece.size());
    while (text.size() < length)
        text += piece;
    text.resize(length);
    return text;
}

void BM_FindPlanCode(benchmark::State &state, std::string (*makeText)())
{
    const std::string text = makeText();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindPlanCode(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(BM_FindPlanCode, prefix_and_1MiB_of_dashes, [] {
    return "RW" + std::string(1 << 20, '-');
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindPlanCode, prefix_and_256KiB_of_dashes, [] {
    return "RW" + std::string(1 << 18, '-');
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindPlanCode, dash_RW_200000_characters, [] {
    return Repeated("-RW", 200000);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindPlanCode, dash_RW1_1MiB, [] {
    return Repeated("-RW1", 1 << 20);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindPlanCode, code_like_groups_1MiB, [] {
    return Repeated("RW1 AAA AAA AAA AAA AAA AAA AAA AAA AAA AAA AAA AAA\n", 1 << 20);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindPlanCode, chat_1MiB_code_at_the_end, [] {
    return Repeated("Mein Gladiator (RW-Version?) hat Schwertkunde 25, was meint ihr? RWTH_Aachen-RW2_x\n", 1 << 20)
        + EncodePlan(DevelopedPlan());
})->Unit(benchmark::kMillisecond);

void BM_ApplyPlan(benchmark::State &state)
{
    // One planner for the whole run, as the program keeps one: each run starts from the plan the last one left.
    Planner planner;
    planner.FormCreate();
    const std::string code = EncodePlan(DevelopedPlan());
    for (auto _ : state) {
        const PlanApplication applied = PastePlan(planner, ClipboardContent::Text, code);
        if (!applied.applied || !applied.differences.empty())
            state.SkipWithError("the plan did not come back");
    }
}
BENCHMARK(BM_ApplyPlan);

void BM_PreviewAllSkills(benchmark::State &state)
{
    Planner planner;
    planner.FormCreate();
    ApplyPlan(planner, DevelopedPlan());
    for (auto _ : state)
        benchmark::DoNotOptimize(PreviewPlan(planner));
}
BENCHMARK(BM_PreviewAllSkills);

// The tooltip texts of all 28 skills, as each front end makes them after every user action.
void BM_SkillTipTexts(benchmark::State &state)
{
    Planner planner;
    planner.FormCreate();
    ApplyPlan(planner, DevelopedPlan());
    for (auto _ : state)
        benchmark::DoNotOptimize(SkillTipTexts(planner));
}
BENCHMARK(BM_SkillTipTexts);

// The rare plan that is tried on a scratch planner: a "Gladiator" at level
// 100 lowered to 90 under a skill at 100, with every skill the class may
// take open, so that each of them is stepped up and down on the scratch.
void BM_PreviewAllSkillsIrregular(benchmark::State &state)
{
    Planner planner;
    planner.FormCreate();
    Plan plan{"Gladiator", 100, {}};
    plan.skills[1] = 100;
    plan.skills[18] = 50;
    plan.skills[3] = 40;
    plan.skills[5] = 30;
    ApplyPlan(planner, plan);
    planner.SpEStufeH.Paste(0, 3, "90");
    if (planner.SpEFert[1].Value() != 100)
        state.SkipWithError("the plan is not irregular");
    for (auto _ : state)
        benchmark::DoNotOptimize(PreviewPlan(planner));
}
BENCHMARK(BM_PreviewAllSkillsIrregular);

// The hardest goal: level 250, where every class may choose 15 skills,
// every row weighted, and minimums on every row of eight skills (the slots
// of the level), Wendigkeit and Parade among them, so that the two are
// searched as pairs. The argument is the class column.
Goal HardestGoal(int classColumn)
{
    Goal goal;
    goal.classColumn = classColumn;
    goal.level = kMaxLevel;
    goal.keepSpent = false;
    goal.weight.fill(kMaxGoalWeight);
    std::vector<int> chosen{22, 24};
    for (int s = 1; s <= kSkillCount; ++s) {
        if (UnlockLevel(s, goal.classColumn) == 0)
            chosen.push_back(s);
    }
    for (int s = 1; s <= kSkillCount && chosen.size() < 8; ++s) {
        if (UnlockLevel(s, goal.classColumn) <= goal.level
            && std::find(chosen.begin(), chosen.end(), s) == chosen.end())
            chosen.push_back(s);
    }
    // Each a value that 100 points in its skill reach: 800 points, within the budget.
    SkillValues plan;
    for (const int s : chosen)
        plan[s] = 100;
    for (const int s : chosen) {
        for (const int row : BonusRowsOfSkill(s))
            goal.minimum.at(static_cast<std::size_t>(row - 1)) = static_cast<std::int32_t>(BonusRowValue(row, plan));
    }
    return goal;
}

void BM_OptimiseWorstCase(benchmark::State &state)
{
    const Goal goal = HardestGoal(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const GoalAnswer answer = Optimise(goal);
        if (!answer.found)
            state.SkipWithError("the goal has no answer");
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_OptimiseWorstCase)->DenseRange(0, kClassCount - 1)->Unit(benchmark::kMillisecond);

// The levelling path to the hardest goal: the answer at level 250 and the
// best plan at every level from 1 below it.
void BM_LevelPathWorstCase(benchmark::State &state)
{
    const Goal goal = HardestGoal(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const LevelPath path = PathToGoal(goal, kMinLevel);
        if (path.steps.size() != static_cast<std::size_t>(kMaxLevel))
            state.SkipWithError("the path does not reach every level");
        benchmark::DoNotOptimize(path);
    }
}
BENCHMARK(BM_LevelPathWorstCase)->DenseRange(0, kClassCount - 1)->Unit(benchmark::kMillisecond);

// The levels below the answer alone: what the path adds to the answer.
void BM_LevelPathBelowAnswer(benchmark::State &state)
{
    const Goal goal = HardestGoal(static_cast<int>(state.range(0)));
    const GoalAnswer answer = Optimise(goal);
    for (auto _ : state)
        benchmark::DoNotOptimize(PathToGoal(goal, kMinLevel, answer));
}
BENCHMARK(BM_LevelPathBelowAnswer)->DenseRange(0, kClassCount - 1)->Unit(benchmark::kMicrosecond);

// What stops each skill of the hardest goal's answer, read from the answer
// and the rows without solving again.
void BM_WhatStopsWorstCase(benchmark::State &state)
{
    const Goal goal = HardestGoal(static_cast<int>(state.range(0)));
    const GoalAnswer answer = Optimise(goal);
    for (auto _ : state)
        benchmark::DoNotOptimize(WhatStops(goal, answer));
}
BENCHMARK(BM_WhatStopsWorstCase)->DenseRange(0, kClassCount - 1)->Unit(benchmark::kMillisecond);

// No answer: minimums on the rows of nine skills, one more than the slots,
// each reachable alone. The reason names the first minimum that the ones
// before it rule out, found by halving.
void BM_OptimiseNoAnswer(benchmark::State &state)
{
    Goal goal;
    goal.classColumn = 4;
    goal.level = kMaxLevel;
    goal.keepSpent = false;
    goal.weight.fill(kMaxGoalWeight);
    for (const int s : {2, 21, 1, 5, 8, 11, 12, 13, 22}) {
        SkillValues alone;
        alone[s] = 10;
        for (const int row : BonusRowsOfSkill(s))
            goal.minimum.at(static_cast<std::size_t>(row - 1)) = static_cast<std::int32_t>(BonusRowValue(row, alone));
    }
    for (auto _ : state) {
        const GoalAnswer answer = Optimise(goal);
        if (answer.found)
            state.SkipWithError("the goal has an answer");
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_OptimiseNoAnswer)->Unit(benchmark::kMillisecond);

// The same without minimums, and with the points kept: the common case of the window.
void BM_OptimiseNoMinimums(benchmark::State &state)
{
    Goal goal;
    goal.classColumn = 4;
    goal.level = kMaxLevel;
    goal.weight.fill(kMaxGoalWeight);
    goal.current[2] = 40;
    goal.current[21] = 30;
    for (auto _ : state)
        benchmark::DoNotOptimize(Optimise(goal));
}
BENCHMARK(BM_OptimiseNoMinimums)->Unit(benchmark::kMillisecond);

} // namespace
