#include "Goal.h"

#include <algorithm>
#include <limits>
#include <optional>

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

namespace rollwerk {

namespace {

constexpr int kDefenceRow = 22;

// A table entry no choice of the items reaches. Adding the worth of every
// item to it keeps it far below any reachable entry.
constexpr std::int32_t kUnreachable = -(1 << 30);
constexpr std::int32_t kReachable = kUnreachable / 2;

// The order in which ties are broken, skill by skill: the catalogue's, with
// Parade right after Wendigkeit, because the two can be one item.
constexpr std::array<int, kSkillCount> kTieOrder
    = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24, 23, 25, 26, 27, 28};

// One value of an item: one skill, or Wendigkeit and Parade together.
struct Option {
    std::int32_t cost = 0;
    int slots = 0;
    std::int32_t worth = 0;
    std::array<std::int32_t, 2> values{};
};

struct Item {
    std::array<int, 2> skills{}; // the second is 0 for an item of one skill
    std::vector<Option> options; // nearest the current plan first
};

struct Selection {
    SkillValues skills;
    std::int64_t worth = 0;
};

// The multiple-choice knapsack over points and skill slots. tables[i] holds,
// for every exact number of slots k and points p, the best worth of items i
// to the last; reading them forward picks each item's first option (in tie
// order) that still completes the best plan.
std::optional<Selection> Solve(const std::vector<Item> &items, std::int32_t budget, int slots)
{
    const auto width = static_cast<std::size_t>(budget) + 1;
    const std::size_t count = items.size();
    std::vector<std::vector<std::int32_t>> tables(count + 1);
    tables[count].assign(width * static_cast<std::size_t>(slots + 1), kUnreachable);
    tables[count][0] = 0;
    int maxSlots = 0;         // of the items after i
    std::int32_t maxCost = 0; // the same for points
    std::vector<std::int32_t> best;
    for (std::size_t i = count; i-- > 0;) {
        const std::vector<std::int32_t> &from = tables[i + 1];
        std::vector<std::int32_t> &to = tables[i];
        to.assign(from.size(), kUnreachable);
        // The best worth per cost and slot count of this item; the pairs of
        // values of one item often share both.
        best.assign(width * 3, kUnreachable);
        int itemSlots = 0;
        std::int32_t itemCost = 0;
        for (const Option &o : items[i].options) {
            if (o.cost > budget || o.slots > slots)
                continue;
            std::int32_t &entry = best[static_cast<std::size_t>(o.slots) * width + static_cast<std::size_t>(o.cost)];
            entry = std::max(entry, o.worth);
            itemSlots = std::max(itemSlots, o.slots);
            itemCost = std::max(itemCost, o.cost);
        }
        // A choice that costs at least the points and slots of another and is
        // worth no more is never part of the answer: the other would give at
        // least the objective with fewer points or skills. Only the rest is
        // tried (with a flat curve, most values of a skill). best[j][c] is
        // compared with the most any choice of at most j slots and c points is worth.
        std::array<std::int32_t, 3> bestBelow{kUnreachable, kUnreachable, kUnreachable};
        std::array<std::int32_t, 3> upTo{};
        for (std::int32_t c = 0; c <= budget; ++c) {
            std::int32_t fewerSlots = kUnreachable;
            for (std::size_t j = 0; j < 3; ++j) {
                const std::int32_t worth = best[j * width + static_cast<std::size_t>(c)];
                upTo.at(j) = std::max(bestBelow.at(j), fewerSlots);
                if (worth <= upTo.at(j))
                    best[j * width + static_cast<std::size_t>(c)] = kUnreachable;
                bestBelow.at(j) = std::max(upTo.at(j), worth);
                fewerSlots = bestBelow.at(j);
            }
        }
        for (int j = 0; j <= 2; ++j) {
            for (std::int32_t c = 0; c <= budget; ++c) {
                const std::int32_t worth = best[static_cast<std::size_t>(j) * width + static_cast<std::size_t>(c)];
                if (worth < kReachable)
                    continue;
                const std::int32_t last = std::min(maxCost, budget - c);
                for (int k = j; k <= std::min(slots, maxSlots + j); ++k) {
                    const std::int32_t *source = from.data() + static_cast<std::size_t>(k - j) * width;
                    std::int32_t *target
                        = to.data() + static_cast<std::size_t>(k) * width + static_cast<std::size_t>(c);
                    // Compared by value: at the page's size optimisation std::max
                    // stays a call taking its operands through memory (docs/decisions.md).
                    std::int32_t p = 0;
#if defined(__wasm_simd128__)
                    const v128_t add = wasm_i32x4_splat(worth);
                    for (; p + 3 <= last; p += 4) {
                        const v128_t sum = wasm_i32x4_add(wasm_v128_load(source + p), add);
                        wasm_v128_store(target + p, wasm_i32x4_max(sum, wasm_v128_load(target + p)));
                    }
#endif
                    for (; p <= last; ++p) {
                        const std::int32_t sum = source[p] + worth;
                        if (sum > target[p])
                            target[p] = sum;
                    }
                }
            }
        }
        maxSlots = std::min(slots, maxSlots + itemSlots);
        maxCost = std::min(budget, maxCost + itemCost);
    }

    // The best worth; among equals the fewest points, then the fewest slots.
    const std::vector<std::int32_t> &first = tables[0];
    std::int32_t bestWorth = kReachable;
    std::size_t points = 0;
    std::size_t used = 0;
    bool any = false;
    for (std::size_t p = 0; p < width; ++p) {
        for (std::size_t k = 0; k <= static_cast<std::size_t>(slots); ++k) {
            if (first[k * width + p] >= kReachable && (!any || first[k * width + p] > bestWorth)) {
                bestWorth = first[k * width + p];
                points = p;
                used = k;
                any = true;
            }
        }
    }
    if (!any)
        return std::nullopt;

    Selection selection;
    selection.worth = bestWorth;
    std::int32_t rest = bestWorth;
    for (std::size_t i = 0; i < count; ++i) {
        for (const Option &o : items[i].options) {
            const auto cost = static_cast<std::size_t>(o.cost);
            const auto slotsTaken = static_cast<std::size_t>(o.slots);
            if (cost > points || slotsTaken > used)
                continue;
            const std::int32_t after = tables[i + 1][(used - slotsTaken) * width + points - cost];
            if (after < kReachable || after + o.worth != rest)
                continue;
            for (std::size_t n = 0; n < 2; ++n) {
                if (items[i].skills.at(n) != 0)
                    selection.skills[items[i].skills.at(n)] = o.values.at(n);
            }
            points -= cost;
            used -= slotsTaken;
            rest = after;
            break;
        }
    }
    return selection;
}

// Each skill's contribution to each of its rows for every value a plan can
// hold, from the bonus table itself: the row's value when only that skill
// has points. The defence row is the sum of its two skills' contributions.
std::int32_t Contribution(int skill, std::size_t rowIndex, std::int32_t value)
{
    static const SkillArray<std::vector<std::vector<std::int32_t>>> table = [] {
        SkillArray<std::vector<std::vector<std::int32_t>>> result;
        for (int s = 1; s <= kSkillCount; ++s) {
            for (const int row : BonusRowsOfSkill(s)) {
                std::vector<std::int32_t> &values = result[s].emplace_back();
                SkillValues alone;
                for (std::int32_t v = 0; v <= kMaxLevel; ++v) {
                    alone[s] = v;
                    values.push_back(static_cast<std::int32_t>(BonusRowValue(row, alone)));
                }
            }
        }
        return result;
    }();
    return table[skill].at(rowIndex).at(static_cast<std::size_t>(value));
}

// The problem the knapsack solves: per row a weight and a minimum, per skill
// the values it may take.
struct Problem {
    std::array<std::int64_t, kBonusRowCount> weight{};
    std::array<std::int32_t, kBonusRowCount> minimum{};
    SkillValues lower;
    SkillValues upper; // below lower: the skill holds 0 (never chosen at this level)
    SkillArray<bool> lowestOnly{};
    SkillValues current;
    std::int32_t budget = 0;
    int slots = 0;
};

std::size_t RowIndex(int row)
{
    return static_cast<std::size_t>(row - 1);
}

// The worth of a skill's value, or no value when a minimum of one of its own rows forbids it.
std::optional<std::int32_t> SkillWorth(const Problem &problem, int skill, std::int32_t value)
{
    std::int64_t worth = 0;
    const std::span<const int> rows = BonusRowsOfSkill(skill);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const std::int32_t contribution = Contribution(skill, index, value);
        if (rows[index] != kDefenceRow && contribution < problem.minimum[RowIndex(rows[index])])
            return std::nullopt;
        worth += problem.weight[RowIndex(rows[index])] * contribution;
    }
    return static_cast<std::int32_t>(worth);
}

// The values a skill may take, each with its worth, nearest the current value first.
std::vector<std::pair<std::int32_t, std::int32_t>> SkillOptions(const Problem &problem, int skill)
{
    std::vector<std::pair<std::int32_t, std::int32_t>> options;
    const std::int32_t low = problem.lower[skill];
    const std::int32_t high = std::max(problem.upper[skill], 0);
    if (high < low)
        return options;
    options.reserve(static_cast<std::size_t>(high - low) + 1);
    for (std::int32_t v = low; v <= high; ++v) {
        if (const std::optional<std::int32_t> worth = SkillWorth(problem, skill, v)) {
            options.emplace_back(v, *worth);
            if (problem.lowestOnly[skill])
                break;
        }
    }
    const std::int32_t now = problem.current[skill];
    std::stable_sort(options.begin(), options.end(), [now](const auto &x, const auto &y) {
        const std::int64_t dx = x.first > now ? x.first - now : now - x.first;
        const std::int64_t dy = y.first > now ? y.first - now : now - y.first;
        return dx < dy || (dx == dy && x.first < y.first);
    });
    return options;
}

std::vector<Item> Items(const Problem &problem)
{
    constexpr int kWendigkeit = 22;
    constexpr int kParade = 24;
    // Wendigkeit and Parade are one item when the defence row has a minimum.
    const bool together = problem.minimum[RowIndex(kDefenceRow)] > 0;
    std::vector<Item> items;
    for (const int skill : kTieOrder) {
        if (together && skill == kParade)
            continue;
        Item &item = items.emplace_back();
        if (!together || skill != kWendigkeit) {
            item.skills = {skill, 0};
            const auto options = SkillOptions(problem, skill);
            item.options.reserve(options.size());
            for (const auto &[value, worth] : options)
                item.options.push_back({value, value > 0 ? 1 : 0, worth, {value, 0}});
            // A skill that can only stay at 0 changes no sum: it is no item.
            if (item.options.size() == 1 && item.options[0].cost == 0 && item.options[0].worth == 0)
                items.pop_back();
            continue;
        }
        item.skills = {kWendigkeit, kParade};
        const auto agility = SkillOptions(problem, kWendigkeit);
        const auto parry = SkillOptions(problem, kParade);
        const std::size_t defenceIndex = static_cast<std::size_t>(
            std::find(BonusRowsOfSkill(kWendigkeit).begin(), BonusRowsOfSkill(kWendigkeit).end(), kDefenceRow)
            - BonusRowsOfSkill(kWendigkeit).begin());
        // Every pair is tried: each skill's defence is looked up once, not once per pair.
        std::vector<std::int32_t> parryDefence;
        parryDefence.reserve(parry.size());
        for (const auto &[second, secondWorth] : parry)
            parryDefence.push_back(Contribution(kParade, 0, second));
        const std::int32_t needed = problem.minimum[RowIndex(kDefenceRow)];
        item.options.reserve(agility.size() * parry.size());
        for (const auto &[first, firstWorth] : agility) {
            const std::int32_t agilityDefence = Contribution(kWendigkeit, defenceIndex, first);
            for (std::size_t index = 0; index < parry.size(); ++index) {
                const auto &[second, secondWorth] = parry[index];
                if (agilityDefence + parryDefence[index] < needed)
                    continue;
                item.options.push_back({first + second, (first > 0 ? 1 : 0) + (second > 0 ? 1 : 0),
                    firstWorth + secondWorth, {first, second}});
            }
        }
    }
    return items;
}

std::optional<Selection> Best(const Problem &problem)
{
    const std::vector<Item> items = Items(problem);
    for (const Item &item : items) {
        if (item.options.empty())
            return std::nullopt;
    }
    return Solve(items, problem.budget, problem.slots);
}

// The goal's problem without its minimums: the level's rules and the points to keep.
Problem BaseProblem(const Goal &goal)
{
    Problem problem;
    for (int s = 1; s <= kSkillCount; ++s) {
        const int unlock = UnlockLevel(s, goal.classColumn);
        const std::int32_t kept = goal.keepSpent ? goal.current[s] : 0;
        problem.lower[s] = std::max(kept, unlock == 0 ? 1 : 0);
        problem.upper[s] = unlock <= goal.level ? goal.level : 0;
    }
    problem.current = goal.current;
    problem.budget = static_cast<std::int32_t>(SkillPointBudget(goal.level));
    problem.slots = SkillSlots(goal.level).value_or(0);
    return problem;
}

std::string Unreachable(int row, std::int32_t minimum, std::int32_t level, std::int64_t reachable, bool together)
{
    return RowName(row) + " " + RowValueText(row, minimum) + " ist auf Stufe " + std::to_string(level)
        + (together ? " zusammen mit den Mindestwerten davor" : "") + " nicht erreichbar (h\u00f6chstens "
        + RowValueText(row, reachable) + ")";
}

// Why no plan meets the goal: the points kept, then the first minimum that
// no plan reaches on its own, then the first that the ones before it rule out.
std::string Reason(const Goal &goal, const Problem &base)
{
    Problem kept = base;
    kept.lowestOnly.items.fill(true);
    if (!Best(kept))
        return "Die vergebenen Punkte passen nicht in Stufe " + std::to_string(goal.level);

    for (int row = 1; row <= kBonusRowCount; ++row) {
        const std::int32_t minimum = goal.minimum.at(RowIndex(row));
        if (minimum <= 0)
            continue;
        // Only the row's own skills matter; every other skill stays as low as it may.
        Problem alone = base;
        alone.lowestOnly.items.fill(true);
        for (const int skill : BonusSourceSkills(row))
            alone.lowestOnly[skill] = false;
        alone.weight[RowIndex(row)] = 1;
        const std::int64_t reachable = Best(alone).value_or(Selection{}).worth;
        if (reachable < minimum)
            return Unreachable(row, minimum, goal.level, reachable, false);
    }

    // The minimums in row order: adding one only removes plans, so the first
    // that rules every plan out together with those before it is found by
    // halving, with a few searches however many minimums are set.
    std::vector<int> bounded;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        if (goal.minimum.at(RowIndex(row)) > 0)
            bounded.push_back(row);
    }
    auto withFirst = [&](std::size_t count) {
        Problem problem = base;
        for (std::size_t i = 0; i < count; ++i)
            problem.minimum[RowIndex(bounded[i])] = goal.minimum.at(RowIndex(bounded[i]));
        return problem;
    };
    std::size_t feasible = 0;                // the first `feasible` minimums leave a plan
    std::size_t infeasible = bounded.size(); // these many leave none
    while (infeasible - feasible > 1) {
        const std::size_t middle = (feasible + infeasible) / 2;
        (Best(withFirst(middle)) ? feasible : infeasible) = middle;
    }
    const int row = bounded.at(feasible);
    Problem before = withFirst(feasible);
    before.weight[RowIndex(row)] = 1;
    const std::int64_t reachable = Best(before).value_or(Selection{}).worth;
    return Unreachable(row, goal.minimum.at(RowIndex(row)), goal.level, reachable, true);
}

std::string InputProblem(const Goal &goal)
{
    if (goal.classColumn < 0 || goal.classColumn >= kClassCount)
        return "Unbekannte Klasse";
    if (goal.level < kMinLevel || goal.level > kMaxLevel)
        return "Die Zielstufe muss zwischen " + std::to_string(kMinLevel) + " und " + std::to_string(kMaxLevel)
            + " liegen";
    for (std::size_t index = 0; index < goal.weight.size(); ++index) {
        if (goal.weight[index] < 0 || goal.weight[index] > kMaxGoalWeight || goal.minimum[index] < 0
            || goal.minimum[index] > kMaxGoalMinimum)
            return "Gewichte liegen zwischen 0 und " + std::to_string(kMaxGoalWeight) + ", Mindestwerte zwischen 0 und "
                + std::to_string(kMaxGoalMinimum);
    }
    for (const std::int32_t value : goal.current.items) {
        if (value < 0 || value > kMaxLevel)
            return "Der Plan hat einen Wert au\u00dferhalb von 0 bis " + std::to_string(kMaxLevel);
    }
    return {};
}

} // namespace

std::int64_t GoalObjective(const Goal &goal, const SkillValues &skills)
{
    std::int64_t objective = 0;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        if (goal.weight.at(RowIndex(row)) != 0)
            objective += goal.weight.at(RowIndex(row)) * BonusRowValue(row, skills);
    }
    return objective;
}

std::int64_t SkillTerm(const Goal &goal, int skill, std::int32_t value)
{
    std::int64_t term = 0;
    const std::span<const int> rows = BonusRowsOfSkill(skill);
    for (std::size_t index = 0; index < rows.size(); ++index)
        term += std::int64_t{goal.weight.at(RowIndex(rows[index]))} * Contribution(skill, index, value);
    return term;
}

std::vector<LastPoint> LastPoints(const Goal &goal, const SkillValues &skills)
{
    std::vector<LastPoint> points;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (skills[s] <= 0)
            continue;
        SkillValues less = skills;
        --less[s];
        LastPoint &point = points.emplace_back();
        point.skill = s;
        point.value = skills[s];
        for (const int row : BonusRowsOfSkill(s)) {
            const std::int64_t before = BonusRowValue(row, less);
            const std::int64_t after = BonusRowValue(row, skills);
            point.objective += goal.weight.at(RowIndex(row)) * (after - before);
            if (before != after)
                point.rows.push_back({row, before, after});
        }
    }
    return points;
}

GoalAnswer Optimise(const Goal &asked)
{
    GoalAnswer answer;
    if (std::string problem = InputProblem(asked); !problem.empty()) {
        answer.reason = std::move(problem);
        return answer;
    }
    // A row the class cannot have at the level keeps its weight and minimum
    // in the goals window, disabled, and counts for nothing: a minimum there
    // would otherwise rule out every plan until the class changes back.
    Goal goal = asked;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        if (!RowReachable(row, goal.classColumn, goal.level)) {
            goal.weight.at(RowIndex(row)) = 0;
            goal.minimum.at(RowIndex(row)) = 0;
        }
    }
    answer.currentObjective = GoalObjective(goal, goal.current);
    answer.currentLastPoints = LastPoints(goal, goal.current);

    const Problem base = BaseProblem(goal);
    Problem full = base;
    for (std::size_t index = 0; index < goal.weight.size(); ++index) {
        full.weight.at(index) = goal.weight.at(index);
        full.minimum.at(index) = goal.minimum.at(index);
    }
    const std::optional<Selection> best = Best(full);
    if (!best) {
        answer.reason = Reason(goal, base);
        return answer;
    }
    answer.found = true;
    answer.skills = best->skills;
    answer.objective = GoalObjective(goal, answer.skills);
    answer.freePoints = FreeSkillPoints(goal.level, answer.skills);
    answer.freeSlots = base.slots - ChosenSkillCount(answer.skills);
    answer.lastPoints = LastPoints(goal, answer.skills);
    return answer;
}

Plan ProposedPlan(const Goal &goal, const SkillValues &skills)
{
    return {std::string(kClassNames.at(static_cast<std::size_t>(goal.classColumn))), goal.level, skills};
}

std::vector<RowCurve> GoalCurves(const Goal &goal, const SkillValues &proposed)
{
    std::vector<RowCurve> curves;
    if (goal.classColumn < 0 || goal.classColumn >= kClassCount || goal.level < kMinLevel || goal.level > kMaxLevel)
        return curves;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        if (goal.weight.at(RowIndex(row)) == 0)
            continue;
        for (const int skill : BonusSourceSkills(row)) {
            if (UnlockLevel(skill, goal.classColumn) > goal.level)
                continue;
            RowCurve &curve = curves.emplace_back();
            curve.row = row;
            curve.skill = skill;
            curve.current = goal.current[skill];
            curve.proposed = proposed[skill];
            SkillValues plan = proposed;
            curve.values.reserve(static_cast<std::size_t>(goal.level) + 1);
            for (std::int32_t v = 0; v <= goal.level; ++v) {
                plan[skill] = v;
                curve.values.push_back(BonusRowValue(row, plan));
            }
        }
    }
    return curves;
}

bool RowReachable(int row, int classColumn, std::int32_t level)
{
    const std::span<const int> skills = BonusSourceSkills(row);
    return std::any_of(
        skills.begin(), skills.end(), [&](int skill) { return UnlockLevel(skill, classColumn) <= level; });
}

} // namespace rollwerk
