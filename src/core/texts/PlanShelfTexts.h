#pragma once

// The German texts of the saved plans: the list's rows, the comparison
// table's titles, the questions and reports of saving and pasting, and the
// history's name for opening one.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

inline constexpr std::string_view kPlansWindowTitle = "Pl\u00e4ne";
inline constexpr std::string_view kPlansNote
    = "Die Pl\u00e4ne bleiben bis zum Beenden erhalten; \u201eAlle kopieren\u201c nimmt sie mit.";
inline constexpr std::string_view kRestoreText = "Wiederherstellen";

// The comparison table: the column of the plan shown, and the first four rows' titles.
inline constexpr std::string_view kShownColumnTitle = "Angezeigt";
inline constexpr std::string_view kClassRowTitle = "Klasse";
inline constexpr std::string_view kLevelRowTitle = "Stufe";
inline constexpr std::string_view kFreePointsRowTitle = "Freie Punkte";
inline constexpr std::string_view kFreeSlotsRowTitle = "Freie Pl\u00e4tze";

// "Plan 3": the name of a plan saved without one.
std::string NumberedPlanName(int number);

// "Endgültig – Seraphim, Stufe 120, 3 Punkte frei" ("1 Punkt frei").
std::string PlanRowText(std::string_view name, std::string_view className, std::int32_t level, std::int64_t freePoints);

// A difference to the plan shown: "+12", "−5" (with the minus sign); empty for none.
std::string DifferenceText(std::int64_t difference);

// Asked before a saved plan is replaced.
std::string ReplaceQuestion(std::string_view name);
// Why a name was refused: it has more characters than a name may have.
std::string NameTooLongText(std::size_t characters, std::size_t limit);
// No saved plan has the name.
std::string NoSuchPlanText(std::string_view name);

// The history's step of opening a saved plan: "Plan „Endgültig“ öffnen".
std::string OpenSavedStep(std::string_view name);

// A line of a pasted text that held no plan: its number (from 1), its text and why.
struct UnreadLine {
    std::size_t number = 0;
    std::string text;
    std::string reason;
    friend bool operator==(const UnreadLine &, const UnreadLine &) = default;
};

// "2 Pläne hinzugefügt." and, one a line, the lines that held none.
std::string PasteReport(std::size_t added, const std::vector<UnreadLine> &unread);

} // namespace rollwerk
