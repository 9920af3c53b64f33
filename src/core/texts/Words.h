#pragma once

// The German words that several parts of the planner show: the counters'
// captions, the history's items and the names of the steps that users
// choose rather than make in a field, and the program's title.

#include "RollwerkVersion.h"

#include <string>
#include <string_view>

namespace rollwerk {

inline constexpr std::string_view kProgramTitle = "Rollwerk Tolvar V" ROLLWERK_VERSION;

// The counters: the free points' label holds its caption and the number; the
// free slots' number stands beside a label of its own.
inline constexpr std::string_view kFreePointsCaption = "Freie Fertigkeitspunkte: ";
inline constexpr std::string_view kFreeSlotsCaption = "Freie Anzahl an ausw\u00e4hlbaren Fertigkeiten:";

// The history's two items, alone while there is no step; the step's name follows after a colon.
inline constexpr std::string_view kUndoText = "R\u00fcckg\u00e4ngig";
inline constexpr std::string_view kRedoText = "Wiederholen";

// Steps that name what the user chose rather than a field.
inline constexpr std::string_view kPastePlanStep = "Plan einf\u00fcgen";
inline constexpr std::string_view kNewPlanStep = "Neuer Plan";
inline constexpr std::string_view kOpenLinkStep = "Link \u00f6ffnen";
inline constexpr std::string_view kTakeProposalStep = "Vorschlag \u00fcbernehmen";
// "Stufenweg: Stufe 40": the levelling path's plan at a level, the level follows.
inline constexpr std::string_view kTakePathPlanStep = "Stufenweg: Stufe ";

// After a level step's name: "(3 Fertigkeiten gesenkt)", "(1 Fertigkeit gesenkt)".
inline std::string LoweredSkillsText(int count)
{
    return "(" + std::to_string(count) + (count == 1 ? " Fertigkeit" : " Fertigkeiten") + " gesenkt)";
}

} // namespace rollwerk
