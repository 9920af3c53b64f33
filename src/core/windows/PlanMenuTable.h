#pragma once

// The plan menu's items as data, without Qt: the desktop's context menu and
// the page's two menus (its context menu and its "Programm" menu) are built
// from this table.

#include "Words.h"

#include <array>
#include <string_view>

namespace rollwerk {

enum class PlanCommand { CopyPlan, PastePlan, CopyBonuses, OpenGoals, ComparePlan, NewPlan, OpenPlans };

struct PlanMenuItem {
    std::string_view text; // '&' before the desktop's access key; the page shows the text without it
    std::string_view name; // the object name and the page's id, "1" appended in its "Programm" menu
    PlanCommand command;
};

// Each item has its own access key, as the menu bar's items have.
// clang-format off
inline constexpr std::array<PlanMenuItem, 7> kPlanMenuItems = {{
    {"&Neuer Plan", "NeuerPlan", PlanCommand::NewPlan},
    {"Plan &kopieren", "PlanKopieren", PlanCommand::CopyPlan},
    {"Plan &einf\u00fcgen", "PlanEinfuegen", PlanCommand::PastePlan},
    {"&Boni kopieren", "BoniKopieren", PlanCommand::CopyBonuses},
    {"&Pl\u00e4ne \u2026", "Plaene", PlanCommand::OpenPlans},
    {"Plan &optimieren \u2026", "PlanOptimieren", PlanCommand::OpenGoals},
    {"Mit Plan &vergleichen", "PlanVergleichen", PlanCommand::ComparePlan},
}};
// clang-format on

// After a separator, the plan history's two items: their text alone while
// there is no step (PlanHistory adds the step's name after a colon), with
// the access key on its first letter on the desktop.
struct HistoryMenuItem {
    std::string_view text;
    std::string_view name;
};

inline constexpr HistoryMenuItem kUndoItem{kUndoText, "Rueckgaengig"};
inline constexpr HistoryMenuItem kRedoItem{kRedoText, "Wiederholen"};

} // namespace rollwerk
