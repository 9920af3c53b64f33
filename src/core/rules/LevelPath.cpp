#include "LevelPath.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace rollwerk {

namespace {

// A completion no choice reaches.
constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();

// The value of a choice, packed so that one comparison orders it: the loss
// of objective, then the points taken back, then the skills dropped. A
// level takes back fewer than 2^12 points in all and drops fewer than 2^4
// skills, so the lower fields never carry into the loss.
constexpr std::int64_t kBackUnit = 1 << 4;
constexpr std::int64_t kLossUnit = std::int64_t{1} << 16;

// One skill of the plan above: the values it may take at this level.
struct Range {
    int skill = 0;
    std::int32_t low = 0;  // the start's value; 0 lets the skill be dropped
    std::int32_t high = 0; // the plan above, the cap, 0 while the skill is not open
    std::int32_t above = 0;
};

class PathSolver {
public:
    PathSolver(const Goal &goal, const SkillValues &start) : goal_(goal), start_(start)
    {
        for (int s = 1; s <= kSkillCount; ++s) {
            std::vector<std::int64_t> &terms = terms_[s];
            terms.reserve(static_cast<std::size_t>(goal.level) + 1);
            for (std::int32_t v = 0; v <= goal.level; ++v)
                terms.push_back(SkillTerm(goal, s, v));
        }
    }

    std::int64_t Objective(const SkillValues &skills) const
    {
        std::int64_t objective = 0;
        for (int s = 1; s <= kSkillCount; ++s)
            objective += terms_[s].at(static_cast<std::size_t>(skills[s]));
        return objective;
    }

    // The best plan at the level between the start and the plan above; none
    // when the start itself is not valid there.
    std::optional<SkillValues> Below(std::int32_t level, const SkillValues &above)
    {
        ranges_.clear();
        for (int s = 1; s <= kSkillCount; ++s) {
            if (above[s] == 0)
                continue;
            const std::int32_t high = UnlockLevel(s, goal_.classColumn) <= level ? std::min(above[s], level) : 0;
            if (high < start_[s])
                return std::nullopt;
            ranges_.push_back({s, start_[s], high, above[s]});
        }
        need_ = static_cast<int>(std::max<std::int64_t>(0, -FreeSkillPoints(level, above)));
        drops_ = std::max(0, ChosenSkillCount(above) - SkillSlots(level).value_or(0));
        Fill();
        if (Table(0)[State(need_, drops_)] == kNone)
            return std::nullopt;
        return ReadBack(above);
    }

private:
    struct Choice {
        std::int32_t back = 0;
        int drop = 0;
        std::int64_t value = 0;
    };

    std::size_t State(int points, int drops) const
    {
        return static_cast<std::size_t>(points) * static_cast<std::size_t>(drops_ + 1)
            + static_cast<std::size_t>(drops);
    }
    std::vector<std::int64_t> &Table(std::size_t item) { return tables_[item]; }

    Choice ChoiceOf(const Range &range, std::int32_t value) const
    {
        const auto &terms = terms_[range.skill];
        const std::int64_t loss
            = terms.at(static_cast<std::size_t>(range.above)) - terms.at(static_cast<std::size_t>(value));
        const std::int32_t back = range.above - value;
        const int drop = value == 0 ? 1 : 0;
        return {back, drop, loss * kLossUnit + back * kBackUnit + drop};
    }

    // The choices that can be best: each value that takes back fewer points
    // than needed has a state of its own; of those that take back the need
    // or more (every one leaves no need), only the best; and dropping.
    void Choices(const Range &range)
    {
        choices_.clear();
        const std::int32_t lowest = std::max(range.low, 1);
        std::optional<Choice> enough;
        for (std::int32_t v = range.high; v >= lowest; --v) {
            const Choice choice = ChoiceOf(range, v);
            if (choice.back < need_)
                choices_.push_back(choice);
            else if (!enough || choice.value < enough->value)
                enough = choice;
        }
        if (enough)
            choices_.push_back(*enough);
        if (range.low == 0)
            choices_.push_back(ChoiceOf(range, 0));
    }

    std::int64_t Completion(std::size_t item, int points, int drops, const Choice &choice)
    {
        const std::int64_t rest
            = Table(item + 1)[State(std::max(0, points - choice.back), std::max(0, drops - choice.drop))];
        return rest == kNone ? kNone : rest + choice.value;
    }

    // tables_[i][state]: the best value of skills i to the last that meets
    // the points and drops still needed.
    void Fill()
    {
        const auto states = static_cast<std::size_t>(need_ + 1) * static_cast<std::size_t>(drops_ + 1);
        tables_.resize(std::max(tables_.size(), ranges_.size() + 1));
        Table(ranges_.size()).assign(states, kNone);
        Table(ranges_.size())[0] = 0;
        for (std::size_t i = ranges_.size(); i-- > 0;) {
            Choices(ranges_[i]);
            Table(i).assign(states, kNone);
            for (int points = 0; points <= need_; ++points) {
                for (int drops = 0; drops <= drops_; ++drops) {
                    std::int64_t &best = Table(i)[State(points, drops)];
                    for (const Choice &choice : choices_)
                        best = std::min(best, Completion(i, points, drops, choice));
                }
            }
        }
    }

    // Skill by skill, the highest value that still completes the best.
    SkillValues ReadBack(const SkillValues &above)
    {
        SkillValues plan = above;
        int points = need_;
        int drops = drops_;
        for (std::size_t i = 0; i < ranges_.size(); ++i) {
            const Range &range = ranges_[i];
            const std::int64_t best = Table(i)[State(points, drops)];
            const auto take = [&](std::int32_t v) {
                const Choice choice = ChoiceOf(range, v);
                if (Completion(i, points, drops, choice) != best)
                    return false;
                plan[range.skill] = v;
                points = std::max(0, points - choice.back);
                drops = std::max(0, drops - choice.drop);
                return true;
            };
            bool taken = false;
            for (std::int32_t v = range.high; v >= std::max(range.low, 1) && !taken; --v)
                taken = take(v);
            if (!taken && range.low == 0)
                take(0);
        }
        return plan;
    }

    const Goal &goal_;
    SkillValues start_;
    SkillArray<std::vector<std::int64_t>> terms_;
    std::vector<Range> ranges_;
    std::vector<Choice> choices_;
    std::vector<std::vector<std::int64_t>> tables_;
    int need_ = 0;
    int drops_ = 0;
};

// The start: a new character at level 1, or the plan kept at its level, its
// starting skills at least 1.
SkillValues StartOf(const Goal &goal)
{
    SkillValues start;
    for (int s = 1; s <= kSkillCount; ++s) {
        const std::int32_t kept = goal.keepSpent ? goal.current[s] : 0;
        start[s] = std::max(kept, UnlockLevel(s, goal.classColumn) == 0 ? 1 : 0);
    }
    return start;
}

} // namespace

bool ValidAtLevel(int classColumn, std::int32_t level, const SkillValues &skills)
{
    for (int s = 1; s <= kSkillCount; ++s) {
        const int unlock = UnlockLevel(s, classColumn);
        if (skills[s] < (unlock == 0 ? 1 : 0) || skills[s] > level || (skills[s] > 0 && unlock > level))
            return false;
    }
    return FreeSkillPoints(level, skills) >= 0 && ChosenSkillCount(skills) <= SkillSlots(level).value_or(0);
}

LevelPath PathToGoal(const Goal &goal, std::int32_t shownLevel, const GoalAnswer &answer)
{
    LevelPath path;
    if (!answer.found) {
        path.reason = answer.reason;
        return path;
    }
    path.found = true;
    const SkillValues start = StartOf(goal);
    std::int32_t first = goal.keepSpent ? std::clamp<std::int32_t>(shownLevel, kMinLevel, kMaxLevel) : kMinLevel;
    while (first < goal.level && !ValidAtLevel(goal.classColumn, first, start))
        ++first;
    PathSolver solver(goal, start);
    std::vector<PathStep> down{{goal.level, answer.skills, solver.Objective(answer.skills)}};
    for (std::int32_t level = goal.level - 1; level >= first; --level) {
        std::optional<SkillValues> plan
            = level == first ? std::optional<SkillValues>(start) : solver.Below(level, down.back().skills);
        if (!plan)
            break; // only when the start is not valid there, which the first level rules out
        down.push_back({level, *plan, solver.Objective(*plan)});
    }
    path.steps.assign(down.rbegin(), down.rend());
    return path;
}

LevelPath PathToGoal(const Goal &goal, std::int32_t shownLevel)
{
    return PathToGoal(goal, shownLevel, Optimise(goal));
}

const PathStep *StepAt(const LevelPath &path, std::int32_t level)
{
    const auto step
        = std::find_if(path.steps.begin(), path.steps.end(), [level](const PathStep &s) { return s.level == level; });
    return step == path.steps.end() ? nullptr : &*step;
}

} // namespace rollwerk
