#pragma once

// One plan as a document: its planner, its history and everything derived
// from what it shows (the skill fields' tooltips and accessible
// descriptions, the history items' texts, the plan code, the comparison
// with another plan). It takes one command per user action and, once the
// action is complete, emits one record of what changed since the last one,
// and nothing else: the front ends send commands and apply records.
//
// What is shown is kept once, in the planner's fields and its bonus list;
// the history, the comparison and the goals window read those.

#include "Commands.h"
#include "Comparison.h"
#include "Goal.h"
#include "GoalTexts.h"
#include "LevelPath.h"
#include "PathTexts.h"
#include "PlanHistory.h"
#include "Planner.h"
#include "PlannerState.h"
#include "StepHold.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace rollwerk {

// The history's two menu items.
struct HistoryItems {
    std::string undo{kUndoText};
    std::string redo{kRedoText};
    bool canUndo = false;
    bool canRedo = false;
    friend bool operator==(const HistoryItems &, const HistoryItems &) = default;
};

// The goals window's answer for the plan shown.
struct GoalView {
    Goal goal; // as asked, with the shown plan's class and values
    GoalAnswer answer;
    GoalTexts texts;
    std::vector<RowCurve> curves;                 // of the answer, or of the plan shown without one
    std::array<bool, kBonusRowCount> reachable{}; // per row: the class can hold a value at the level
    std::optional<Plan> proposal;                 // what "Übernehmen" enters; none when it is the plan shown
    // The levelling path to the answer: from a new character at level 1, or
    // from the plan shown at its level when the goal keeps what is spent.
    // Its chart: PathChartOf; its clipboard text: PathClipboardText(pathRows).
    LevelPath path;
    std::vector<PathRow> pathRows; // LBStufenweg
};

// What "Plan dieser Stufe übernehmen" enters for a level of the path
// (SpEWegStufe, from path.steps.front().level to the goal's level), as
// command::TakePathPlan; none outside the path.
std::optional<Plan> PathPlanAt(const GoalView &view, std::int32_t level);

// What one user action changed, as the views must redraw it.
struct PlanRecord {
    static constexpr std::uint8_t Bit(NumberField::Property property)
    {
        return static_cast<std::uint8_t>(1U << static_cast<unsigned>(property));
    }
    static constexpr std::uint8_t kAllProperties = (1U << 6U) - 1U;

    // A bit per NumberField::Property for field 0 (the level) and 1 to 28.
    std::array<std::uint8_t, kSkillCount + 1> fields{};
    bool classText = false;
    bool freePoints = false;
    bool freeSlots = false;
    bool bonuses = false;
    bool tips = false;
    bool history = false;
    bool code = false;

    bool Empty() const;
    friend bool operator==(const PlanRecord &, const PlanRecord &) = default;
};

class PlanDocument {
public:
    // The plan of a new window: FormCreate has run, nothing to undo.
    PlanDocument();
    PlanDocument(const PlanDocument &) = delete;
    PlanDocument &operator=(const PlanDocument &) = delete;
    ~PlanDocument() = default;

    // One user action; its record is emitted before this returns (none when
    // nothing changed). An error escaping the rules reaches the caller after
    // the record of what the completed part changed.
    CommandReply Run(const Command &command);

    // The field models, for a view that binds its widgets to them: what a
    // widget does to its model is a user action of this document too.
    Planner &Models() { return planner_; }
    const Planner &Models() const { return planner_; }

    // Made when first asked for or changed: a view drawn at build time has them already.
    const SkillArray<std::string> &Tips() const;
    const HistoryItems &Items() const { return items_; }
    const std::string &Code() const { return code_; }
    const PlanHistory &History() const { return history_; }

    // The plan shown, with the rows its bonus list shows.
    PlanSide Shown() const;
    // "Mit Plan vergleichen": the plan shown against another, as one German text.
    std::string CompareWithShown(const Plan &other) const;

    // The answer for a goal (its level, weights, minimums and keepSpent) on the plan shown, with its levelling path.
    GoalView AnswerGoal(Goal goal) const;

    // A record of everything, for a view that starts from nothing.
    static PlanRecord Everything();

    // Emitted once per completed user action that changed something.
    Signal<const PlanRecord &> recorded;

private:
    void Publish();
    CommandReply RunPlanCommand(const Command &command);
    // A command of a held step button; false for any other.
    bool RunHoldCommand(const Command &command, CommandReply &reply);
    // The plan of a code (a link the window opens with) as the first plan:
    // nothing before it can be undone.
    void OpenFirst(std::string_view code, CommandReply &reply);

    Planner planner_;
    PlanHistory history_;
    PlannerState published_; // what the views were last told
    mutable std::optional<SkillArray<std::string>> tips_;
    HistoryItems items_;
    std::string code_;
    StepHold hold_;
    bool holding_ = false; // a record waits for the end of OpenFirst
    int publishes_ = 0;    // how often Publish has compared, so that one action compares once
    Connection settled_;
};

} // namespace rollwerk
