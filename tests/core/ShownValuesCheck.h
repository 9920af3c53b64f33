#pragma once

// The counters and the bonus list must describe the values the fields show:
// after every complete action they equal what the 28 read values and the
// level give. Shared by the random-action test and the planner fuzz target.

#include "Planner.h"

#include <string>

namespace rollwerk::testing {

// Names the first view that disagrees with the fields, or nullptr.
inline const char *MismatchWithShownValues(const Planner &p)
{
    SkillValues shown{};
    for (int s = 1; s <= kSkillCount; ++s)
        shown[s] = p.SpEFert[s].Value();
    const std::int32_t level = p.SpEStufeH.Value();
    if (p.LFertFrei.Text() != std::string(kFreePointsCaption) + std::to_string(FreeSkillPoints(level, shown)))
        return "free points label";
    // The slots label is left alone for a level outside 1..250.
    if (const std::optional<int> slots = SkillSlots(level);
        slots && p.LFertGesAnzeige.Text() != std::to_string(*slots - ChosenSkillCount(shown)))
        return "free slots label";
    BonusTexts texts;
    texts.Initialise();
    if (*RebuildBonusTexts(texts, shown) != p.LBBoni.Lines())
        return "bonus list";
    return nullptr;
}

} // namespace rollwerk::testing
