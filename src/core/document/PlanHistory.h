#pragma once

// What the window showed, step by step, for "Rückgängig" and "Wiederholen".
//
// The history watches the planner's user actions: when the outermost one
// begins it captures the plan, and when it has settled it keeps a step if
// anything shown changed (a field's text, range, enabled flag or colour, the
// class box, the counters, the bonus list). Keys typed into one field join
// one step until the field is left; the repeats of a held step button join
// their press. Undo and redo load a kept state without running a procedure;
// the views follow through the models' signals and settle once.

#include "Planner.h"
#include "PlannerState.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

class PlanHistory {
public:
    // The oldest step goes when a new one would exceed this.
    static constexpr std::size_t kKeptSteps = 100;

    // A user action whose step, if it makes one, bears this name ("Plan
    // einfügen") instead of one taken from what changed.
    class NamedAction {
    public:
        NamedAction(PlanHistory &history, std::string_view name);

    private:
        UserAction action_;
    };

    // Starts with nothing to undo: the plan the planner shows is the first.
    explicit PlanHistory(Planner &planner);
    PlanHistory(const PlanHistory &) = delete;
    PlanHistory &operator=(const PlanHistory &) = delete;
    ~PlanHistory() = default;

    std::size_t UndoCount() const { return done_; }
    std::size_t RedoCount() const { return steps_.size() - done_; }
    // "Rückgängig: Stufe 60 → 55"; "Rückgängig" alone when there is nothing to undo.
    std::string UndoText() const;
    // "Wiederholen: Klasse Vampirin"; "Wiederholen" alone when there is nothing to redo.
    std::string RedoText() const;

    // Each brings back what was shown before (Undo) or after (Redo) the step,
    // as one user action. False when there is no step, or while another user
    // action is in progress.
    bool Undo();
    bool Redo();

    // Forgets every step: the plan shown becomes the first.
    void Restart();

    // What the kept states take in memory, in bytes.
    std::size_t MemoryBytes() const;

private:
    struct Step {
        std::shared_ptr<const PlannerState> before;
        std::shared_ptr<const PlannerState> after;
        std::string name;
    };
    // The field that a user action began on, and how.
    struct Origin {
        int field = -1; // 0 the level, 1 to 28 the skills, -1 none
        NumberField::UserEdit edit = NumberField::UserEdit::Typed;
    };

    void ActionStarted();
    void UserEdited(int field, NumberField::UserEdit edit);
    void Settled();
    void Record(PlannerState after);
    bool Load(const PlannerState &state);

    Planner &planner_;
    std::deque<Step> steps_;
    std::size_t done_ = 0; // steps before this one can be undone, the rest redone
    // The action in progress: the plan when it began, its name, where it began.
    PlannerState started_;
    std::string name_;
    Origin origin_;
    bool leaving_ = false; // the action left a field
    // The last step is still open to the same kind of edit in the same field.
    Origin open_;
    bool loading_ = false;
    std::vector<Connection> connections_;
};

// "Neuer Plan": the plan of a new window, brought into the planner as one
// user action.
void LoadNewPlan(Planner &planner);

} // namespace rollwerk
