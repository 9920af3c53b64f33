#pragma once

// The planner: the fields of the main window as a model, the planner arrays,
// and the three procedures that change a plan.
//
// How a change flows:
//   user action (typed key, step, pick, paste, entering a plan): the view
//     opens a UserAction on the planner (actionStarted when outermost)
//     -> the view forwards it to a field model
//     -> the field's text changes -> its change notification runs a
//        procedure (CBCharwahlChange for the class box and the level field,
//        SpEFertChange for a skill field)
//     -> the procedure reads fields, consults the catalogue and the budget,
//        and writes values, ranges, flags, colours, labels and bonus lines
//     -> every write that changes a field's text runs that field's
//        procedure again, nested, before the write returns
//     -> the views mirror each write as it happens, through the models'
//        signals (propertyChanged, textShown, linesShown)
//     -> when the outermost UserAction ends, settled tells the views that the
//        action is complete (for what is costly to redo per write); outside
//        any UserAction, a procedure is an action of its own.

#include "BonusList.h"
#include "BonusTable.h"
#include "Budget.h"
#include "Catalogue.h"
#include "ClassBox.h"
#include "NumberField.h"
#include "Plan.h"
#include "PlannerState.h"
#include "TextLabel.h"
#include "UserAction.h"
#include "Words.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rollwerk {

// The planner is the group of its user actions: it has the two signals
// actionStarted and settled (see UserAction.h).
class Planner : public ActionGroup {
public:
    // Groups everything one user action does into one settled notification:
    // UserAction action(planner); nestable.
    using UserAction = rollwerk::UserAction;

    // How often the procedures ran and how deep they nested, for tests and benchmarks.
    struct RunCounts {
        int classChanges = 0;   // runs of CBCharwahlChange
        int skillChanges = 0;   // runs of SpEFertChange
        int maxDepth = 0;       // most runs of either procedure in progress at once
        int repeatsStopped = 0; // runs stopped because they would repeat an ancestor
    };

    // A last safety net: deeper nesting than this raises an error.
    static constexpr int kMaxNesting = 200;
    // Deeper than any nesting seen in random and fuzzed plans (18).
    static constexpr int kUsualNesting = 32;

    // The fields hold the initial plan of a "Gladiator" at level 1.
    Planner();
    Planner(const Planner &) = delete;
    Planner &operator=(const Planner &) = delete;
    ~Planner() = default;

    // Fields, named after the widgets that show them.
    ClassBox CBCharwahl;
    NumberField SpEStufeH;
    SkillArray<NumberField> SpEFert;
    TextLabel LFertFrei;
    TextLabel LFertGesAnzeige;
    BonusList LBBoni;

    // Planner data.
    SkillValues SkillValue;
    SkillValues PreviousValues;
    SkillArray<std::int64_t> EditDelta;
    BonusTexts Bonus;
    // The remembered class: each planner holds its own, so that one destroyed
    // in the middle of a plan leaves none behind for the next.
    std::string LastClass;

    // Procedures.
    void FormCreate();
    void CBCharwahlChange();
    void SpEFertChange();

    PlannerState CaptureState() const;
    void CaptureState(PlannerState &state) const;
    // Takes over a captured state without running anything, so that a scratch
    // planner can try what a user action would do to another planner, and
    // for undo. The views hear of what changed and settle once. Only between
    // procedures: no run may be in progress.
    void LoadState(const PlannerState &state);
    const RunCounts &Counts() const { return counts_; }
    void ResetCounts() { counts_ = {}; }

private:
    // Building blocks of the procedures; only the procedures use them.
    void ReadSkills();
    void UndoEdit();
    void LockSkill(int skill);
    void LockUnchosenSkills();
    void ApplyUnlock(int skill, std::int32_t level);
    void ApplyUnlockAll(std::int32_t level);
    void SetSkillCaps(std::int32_t level);
    void ShowCounters(std::int32_t level);
    void CheckLevel();
    void RebuildBonusList();

    enum class Procedure { ClassChange, SkillChange };
    struct Run {
        Procedure procedure = Procedure::ClassChange;
        PlannerState state;
    };

    // Runs body unless it would repeat a run of the same procedure in progress.
    template <typename Body> void Guarded(Procedure procedure, Body body);

    void ClassChangeBody();
    void SkillChangeBody();

    // Runs in progress, outermost first; the slots grow with the deepest
    // nesting seen and are reused, so that a snapshot seldom allocates.
    std::vector<Run> runs_;
    int depth_ = 0;
    RunCounts counts_;
};

// The plan the fields show: the class box text, the level and the 28 values.
Plan CurrentPlan(const Planner &planner);

} // namespace rollwerk
