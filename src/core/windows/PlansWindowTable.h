#pragma once

// The plans window's layout as data, for the desktop window and the page
// alike: each widget's caption and accessible name. The list of plans and
// the comparison table have headings of their own; the note says how long
// the desktop keeps the plans.

#include "PlanShelfTexts.h"
#include "WindowTexts.h"

#include <array>
#include <string>
#include <string_view>

namespace rollwerk {

// clang-format off
inline constexpr std::array<WindowText, 13> kPlansWindowTexts = {{
    {"FPlaene", kPlansWindowTitle, ""},
    {"LBPlaene", "Gespeicherte &Pl\u00e4ne:", ""},
    {"EPlanName", "&Name:", ""},
    {"BPlanSpeichern", "&Speichern", ""},
    {"BPlanOeffnen", "\u00d6&ffnen", ""},
    {"BPlanLoeschen", "&L\u00f6schen", ""},
    {"BPlanWiederherstellen", kRestoreText, ""},
    {"TVPlanVergleich", "&Vergleich:", ""},
    {"BPlaeneKopieren", "Alle &kopieren", ""},
    {"BPlaeneEinfuegen", "Alle &einf\u00fcgen", ""},
    {"LPlaeneHinweis", kPlansNote, ""},
    // The question before a plan is replaced: its two answers.
    {"BPlanErsetzen", "&Ersetzen", ""},
    {"BPlanNichtErsetzen", "Abbrechen", ""},
}};
// clang-format on

// The caption of a widget of kPlansWindowTexts, with its '&'; empty for any other.
inline std::string_view PlansCaption(std::string_view widget)
{
    return CaptionIn(kPlansWindowTexts, widget);
}

// The name a screen reader announces for a widget of kPlansWindowTexts; empty for any other.
inline std::string PlansAccessibleName(std::string_view widget)
{
    return AccessibleNameIn(kPlansWindowTexts, widget);
}

} // namespace rollwerk
