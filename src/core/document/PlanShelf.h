#pragma once

// The saved plans of a window: each a name and the code of the plan shown
// when it was saved. The shelf keeps them in the order they were saved,
// tells the list's rows and the comparison of every saved plan with the plan
// shown, and writes and reads them as text, one plan a line, for the
// clipboard. Each plan is valued as the planner shows it: its code is
// entered into a scratch planner once, when it is saved, and the class,
// level, points, slots and bonus rows are read from there.
//
// A front end keeps the shelf as long as it may keep plans (the desktop:
// as long as the main window), sends the plan document command::OpenSaved
// to open one, and asks the user before it saves over a name that exists.

#include "Comparison.h"
#include "PlanShelfTexts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

class PlanDocument;

// Names are counted in characters (code points), as typed.
inline constexpr std::size_t kPlanNameMaxLength = 40;

// A plan as the planner shows it once its code is entered.
struct ShownPlan {
    std::string className;
    PlanSide side;
    std::int64_t freePoints = 0;
    std::int64_t freeSlots = 0;
};

// The plan a code gives when entered through the rules; none when it reads no plan.
std::optional<ShownPlan> ShownPlanOfCode(std::string_view code);
// The plan a document shows.
ShownPlan ShownPlanOf(const PlanDocument &document);

struct SavedPlan {
    std::string name;
    std::string code;
    ShownPlan shown;
};

// One cell of the comparison: its value as text and, where it differs from
// the plan shown, the difference as text ("+12", "−5"; empty for the class).
struct ComparisonCell {
    std::string value;
    std::string difference;
    bool differs = false;
    // "120 (+20)": the value with its difference, as a cell shows it.
    std::string Text() const;
    friend bool operator==(const ComparisonCell &, const ComparisonCell &) = default;
};

struct ComparisonRow {
    std::string title;                 // "Klasse", "Stufe", …, a skill's caption, a bonus row's name
    std::vector<ComparisonCell> cells; // the plan shown first, then each saved plan
};

// Every saved plan beside the plan shown: a column each, the shown one first.
struct ComparisonTable {
    std::vector<std::string> columns; // "Angezeigt", then the saved plans' names
    std::vector<ComparisonRow> rows;
};

class PlanShelf {
public:
    enum class Outcome {
        Saved,    // under a new name
        Replaced, // a plan of that name, replaced as asked
        AskFirst, // a plan has that name: nothing changed until the user agrees
        Refused,  // the name or the code cannot be saved; message says why
    };
    struct Saving {
        Outcome outcome = Outcome::Refused;
        std::string name;    // the name saved under (or asked about)
        std::string message; // German: the question for AskFirst, the reason for Refused
    };
    struct Pasting {
        std::vector<std::string> added; // the names the plans got, in the text's order
        std::vector<UnreadLine> unread; // lines that held no plan (blank lines not counted)
        std::string message;            // German: how many were added and which lines were not read
    };

    // Saves a code under a name: an empty (or blank) name gets the first free
    // "Plan N"; an existing name asks first unless replace is set.
    Saving Save(std::string_view name, std::string_view code, bool replace = false);

    const std::vector<SavedPlan> &Plans() const { return plans_; }
    const SavedPlan *Find(std::string_view name) const;

    // Removes a plan and keeps it until ForgetRemoved, so that Restore can
    // bring it back. False when no plan has the name.
    bool Remove(std::string_view name);
    bool CanRestore() const { return !removed_.empty(); }
    // Brings back the plan removed last, where it stood (under a free name
    // if its own was taken since); the name it got, none when nothing was removed.
    std::optional<std::string> Restore();
    void ForgetRemoved() { removed_.clear(); }

    // "Endgültig – Seraphim, Stufe 120, 3 Punkte frei", one per plan.
    std::vector<std::string> RowTexts() const;

    // The plan shown and every saved plan, side by side.
    ComparisonTable Compare(const ShownPlan &shown) const;

    // Every plan as a line "Name: CODE", for the clipboard.
    std::string CopyText() const;
    // Adds every plan found in a text, a line each: the code is the line's
    // last word, and what stands before it (without a colon after it) the
    // name; a line whose last word is no code but that holds one elsewhere
    // gives a plan without a name. A name taken already gets " (2)", " (3)", ….
    Pasting Paste(std::string_view text);

private:
    struct Removed {
        SavedPlan plan;
        std::size_t position = 0;
    };

    // The name itself when free, else with the first free " (N)" that keeps it within the limit.
    std::string FreeName(std::string_view name) const;

    std::vector<SavedPlan> plans_;
    std::vector<Removed> removed_; // the last removed at the back
};

} // namespace rollwerk
