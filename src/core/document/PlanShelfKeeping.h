#pragma once

// A shelf kept as its text (the page keeps "Alle kopieren"'s text in the
// browser's storage) and read back, for instance after another tab of the
// page changed it: the plans become those of the text, and the plans
// removed here stay to be brought back where they stood, unless a plan of
// the text has their name by now.

#include "PlanShelf.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

inline PlanShelf ShelfOfKeptText(PlanShelf current, std::string_view text)
{
    PlanShelf kept;
    kept.Paste(text);
    std::vector<std::string> removed; // the first removed first
    while (const std::optional<std::string> name = current.Restore())
        removed.insert(removed.begin(), *name);
    // The kept plans, and each removed one where it stood, unless a kept plan has its name.
    std::vector<SavedPlan> order = kept.Plans();
    std::vector<std::string> back;
    for (std::size_t at = 0; at < current.Plans().size(); ++at) {
        const SavedPlan &plan = current.Plans()[at];
        if (std::find(removed.begin(), removed.end(), plan.name) == removed.end() || kept.Find(plan.name) != nullptr)
            continue;
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(std::min(at, order.size())), plan);
        back.push_back(plan.name);
    }
    PlanShelf loaded;
    for (const SavedPlan &plan : order)
        loaded.Save(plan.name, plan.code);
    for (const std::string &name : removed) {
        if (std::find(back.begin(), back.end(), name) != back.end())
            loaded.Remove(name);
    }
    return loaded;
}

} // namespace rollwerk
