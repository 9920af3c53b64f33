#include "ShownValues.h"

#include <array>
#include <charconv>
#include <string_view>

namespace rollwerk {

namespace {

// Whether text reads caption followed by the number, without building the text.
bool Reads(std::string_view text, std::string_view caption, std::int64_t number, std::string_view suffix = {})
{
    std::array<char, 24> digits{};
    const char *end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    const std::string_view shown(digits.data(), static_cast<std::size_t>(end - digits.data()));
    return text.size() == caption.size() + shown.size() + suffix.size() && text.starts_with(caption)
        && text.substr(caption.size(), shown.size()) == shown && text.ends_with(suffix);
}

} // namespace

const char *MismatchWithShownValues(const Planner &planner)
{
    SkillValues shown{};
    for (int s = 1; s <= kSkillCount; ++s)
        shown[s] = planner.SpEFert[s].Value();
    const std::int32_t level = planner.SpEStufeH.Value();
    if (!Reads(planner.LFertFrei.Text(), kFreePointsCaption, FreeSkillPoints(level, shown)))
        return "free points label";
    // The slots label is left alone for a level outside 1..250.
    if (const std::optional<int> slots = SkillSlots(level);
        slots && !Reads(planner.LFertGesAnzeige.Text(), {}, *slots - ChosenSkillCount(shown)))
        return "free slots label";
    // The list holds the line of every row with a value above 0, in row order.
    const std::vector<std::string> &lines = planner.LBBoni.Lines();
    std::size_t line = 0;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        const std::int64_t value = BonusRowValue(row, shown);
        if (value <= 0)
            continue;
        if (line >= lines.size() || !Reads(lines[line], BonusLabel(row), value, BonusSuffix(row)))
            return "bonus list";
        ++line;
    }
    return line == lines.size() ? nullptr : "bonus list";
}

} // namespace rollwerk
