#include "PathTexts.h"

namespace rollwerk {

namespace {

// What one level adds to each skill; never negative along a path.
SkillValues Added(const SkillValues &before, const SkillValues &after)
{
    SkillValues added;
    for (int s = 1; s <= kSkillCount; ++s)
        added[s] = after[s] - before[s];
    return added;
}

std::string Levels(std::int32_t from, std::int32_t to)
{
    return "Stufe " + std::to_string(from) + (to == from ? "" : "\u2013" + std::to_string(to)) + ": ";
}

// "Schwertkunde +3 (9), Parade neu (1)".
std::string OneLevel(const SkillValues &before, const SkillValues &after)
{
    std::string text;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (after[s] == before[s])
            continue;
        const std::string value = " (" + std::to_string(after[s]) + ")";
        text += (text.empty() ? "" : ", ") + std::string(SkillCaption(s))
            + (before[s] == 0 ? " neu" : " +" + std::to_string(after[s] - before[s])) + value;
    }
    return text;
}

// "je +4 Schwertkunde, +2 Parade".
std::string EachLevel(const SkillValues &added)
{
    std::string text = "je ";
    bool first = true;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (added[s] == 0)
            continue;
        text += (first ? "+" : ", +") + std::to_string(added[s]) + " " + std::string(SkillCaption(s));
        first = false;
    }
    return text;
}

} // namespace

std::vector<PathRow> DescribePath(const LevelPath &path)
{
    std::vector<PathRow> rows;
    if (!path.found || path.steps.empty())
        return rows;
    const PathStep &start = path.steps.front();
    std::string begin;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (start.skills[s] > 0)
            begin += (begin.empty() ? "" : ", ") + std::string(SkillCaption(s)) + " " + std::to_string(start.skills[s]);
    }
    rows.push_back({start.level, start.level, Levels(start.level, start.level) + "Beginn mit " + begin});

    // A run: consecutive levels that add the same and none of which opens a skill.
    for (std::size_t i = 1; i < path.steps.size();) {
        const SkillValues added = Added(path.steps[i - 1].skills, path.steps[i].skills);
        if (added == SkillValues{}) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        const auto opens = [&](std::size_t at) {
            for (int s = 1; s <= kSkillCount; ++s) {
                if (path.steps[at - 1].skills[s] == 0 && path.steps[at].skills[s] > 0)
                    return true;
            }
            return false;
        };
        while (!opens(i) && end < path.steps.size() && !opens(end)
            && Added(path.steps[end - 1].skills, path.steps[end].skills) == added)
            ++end;
        const std::int32_t from = path.steps[i].level;
        const std::int32_t to = path.steps[end - 1].level;
        rows.push_back({from, to,
            Levels(from, to)
                + (to == from ? OneLevel(path.steps[i - 1].skills, path.steps[i].skills) : EachLevel(added))});
        i = end;
    }
    return rows;
}

std::string PathClipboardText(const std::vector<PathRow> &rows)
{
    std::string text;
    for (const PathRow &row : rows)
        text += row.text + '\n';
    return text;
}

std::string PathCurveTitle(const LevelPath &path, std::int32_t marked)
{
    if (path.steps.empty())
        return "Zielwert \u00fcber die Stufen";
    const std::string levels = "Zielwert \u00fcber die Stufen " + std::to_string(path.steps.front().level) + "\u2013"
        + std::to_string(path.steps.back().level);
    const PathStep *step = StepAt(path, marked);
    return step ? levels + ": Stufe " + std::to_string(step->level) + " hat " + std::to_string(step->objective)
                : levels;
}

} // namespace rollwerk
