#pragma once

// The goals window's layout as data, for the desktop window and the page
// alike: each widget's caption and accessible name, the heads of the rows'
// columns and the texts shown without curves.

#include "WindowTexts.h"

#include <array>
#include <string>
#include <string_view>

namespace rollwerk {

using GoalWindowText = WindowText;

// clang-format off
inline constexpr std::array<GoalWindowText, 15> kGoalWindowTexts = {{
    {"FZiel", "Plan optimieren", ""},
    {"SpEZielStufe", "&Zielstufe:", ""},
    {"CBBehalten", "Vergebene &Punkte behalten", ""},
    {"LZielWert", "", "Zielwert"},
    {"LBVorschlag", "&Vorschlag:", ""},
    {"LBGrenzen", "&Was jeden Wert begrenzt:", ""},
    {"LBLetzterPunkt", "&Letzter Punkt je Fertigkeit:", ""},
    {"LBVergleich", "B&oni vorher und nachher:", ""},
    {"PBKurven", "&Kurven:", ""},
    {"BUebernehmen", "\u00dc&bernehmen", ""},
    {"LBStufenweg", "&Stufenweg:", ""},
    {"PBStufenweg", "", "Zielwert \u00fcber die Stufen"},
    {"SpEWegStufe", "Stu&fe auf dem Weg:", ""},
    {"BWegUebernehmen", "Plan dieser Stufe \u00fc&bernehmen", ""},
    {"BSchliessen", "&Schlie\u00dfen", ""},
}};
// clang-format on

// The levelling path list's context menu item ('&' before the desktop's access key).
inline constexpr std::string_view kCopyPathText = "Stufenweg &kopieren";

// The heads of the bonus rows' columns.
inline constexpr std::array<std::string_view, 3> kGoalColumnHeads = {"Bonus", "Gewicht", "Mindestens"};
// A row's two number fields are announced with the row's name after these.
inline constexpr std::string_view kGoalWeightNamePrefix = "Gewicht: ";
inline constexpr std::string_view kGoalMinimumNamePrefix = "Mindestwert: ";
// While no row is weighted: the curves' description for a screen reader, and what they show.
inline constexpr std::string_view kNoCurvesDescription = "Keine Zeile gewichtet";
inline constexpr std::string_view kNoCurvesText = "Gewichtete Zeilen zeigen hier ihre Kurve.";
// What the page says where the browser keeps the clipboard from "Stufenweg kopieren".
inline constexpr std::string_view kCopyPathFailed
    = "Der Stufenweg konnte nicht in die Zwischenablage kopiert werden. Hier ist er zum Kopieren:";

// The caption of a widget of kGoalWindowTexts, with its '&'; empty for any other.
std::string_view GoalCaption(std::string_view widget);

// The name a screen reader announces for a widget of kGoalWindowTexts; empty for any other.
std::string GoalAccessibleName(std::string_view widget);

} // namespace rollwerk
