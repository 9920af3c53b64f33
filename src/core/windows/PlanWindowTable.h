#pragma once

// The plans window's captions as data, for the desktop window and the page
// alike: per widget (its object name and the page's element id) the caption
// of a button, a field's or a list's label, or the window's title, with '&'
// before the desktop's access key.

#include "PlanShelfTexts.h"

#include <array>
#include <string_view>

namespace rollwerk {

struct PlanWindowText {
    std::string_view widget;
    std::string_view caption;
};

// clang-format off
inline constexpr std::array<PlanWindowText, 11> kPlanWindowTexts = {{
    {"FPlaene", kPlansWindowTitle},
    {"LBPlaene", "Gespeicherte &Pl\u00e4ne:"},
    {"EPlanName", "&Name:"},
    {"BPlanSpeichern", "&Speichern"},
    {"BPlanOeffnen", "\u00d6&ffnen"},
    {"BPlanLoeschen", "&L\u00f6schen"},
    {"BPlanWiederherstellen", kRestoreText},
    {"BPlaeneKopieren", "Alle &kopieren"},
    {"BPlaeneEinfuegen", "Alle &einf\u00fcgen"},
    {"TVPlanVergleich", "&Vergleich:"},
    {"BPlaeneSchliessen", "S&chlie\u00dfen"},
}};
// clang-format on

} // namespace rollwerk
