#pragma once

// One typed command for every user action either front end has: the plan
// document takes them, the random user and the fuzz targets make them, and
// the front ends translate their native events into them.

#include "ClassBox.h"
#include "NumberField.h"
#include "Plan.h"
#include "PlanCode.h"

#include <cstddef>
#include <string>
#include <variant>

namespace rollwerk {

class Planner;

// Field 0 is the level field, 1 to 28 the skill fields.
inline constexpr int kLevelField = 0;

namespace command {

struct Type { // a typed character over a selection
    int field = kLevelField;
    std::size_t start = 0;
    std::size_t length = 0;
    char32_t character = 0;
    char32_t decimalSeparator = U',';
};
struct Paste {
    int field = kLevelField;
    std::size_t start = 0;
    std::size_t length = 0;
    std::string text;
};
struct Edit { // the field's new text after Backspace, Delete or cut
    int field = kLevelField;
    std::string text;
};
struct Step { // a step button or an arrow key; held: a further step of a button held down
    int field = kLevelField;
    int direction = 1;
    bool held = false;
};
struct Leave {
    int field = kLevelField;
};
struct HoldPress { // a step button pressed and held: the hold-to-repeat of StepHold
    int field = kLevelField;
    int direction = 1;
};
struct HoldTick { }; // the wait the last hold command asked for ran out
struct HoldMove {    // the pointer moved over the held button or off it
    bool over = true;
};
struct HoldLift { // the held button let go
    bool over = true;
};
struct HoldRelease { }; // the hold ends without a step
struct ClassType {
    std::size_t start = 0;
    std::size_t length = 0;
    char32_t character = 0;
};
struct ClassBackspace {
    std::size_t start = 0;
    std::size_t length = 0;
};
struct ClassEdit { // the class box's new text after a paste, cut or Delete
    std::string text;
};
struct ClassPick {
    std::size_t index = 0;
};
struct ClassStep { // Up (-1) or Down (+1) in the class box
    int direction = 1;
};
struct Undo { };
struct Redo { };
struct PastePlan { // "Plan einfügen": what the clipboard held
    ClipboardContent content = ClipboardContent::Text;
    std::string text;
};
struct NewPlan { };
struct OpenLink { // a link's code, entered into a new plan
    std::string code;
};
struct OpenFirst { // a link's code, entered as the plan the window opens with
    std::string code;
};
struct TakeProposal { // the goals window's answer
    Plan plan;
};
struct TakePathPlan { // the levelling path's plan at one level (plan.level), from PathPlanAt
    Plan plan;
};
struct OpenSaved { // a saved plan, entered under its name
    std::string name;
    std::string code;
};

} // namespace command

using Command = std::variant<command::Type, command::Paste, command::Edit, command::Step, command::Leave,
    command::HoldPress, command::HoldTick, command::HoldMove, command::HoldLift, command::HoldRelease,
    command::ClassType, command::ClassBackspace, command::ClassEdit, command::ClassPick, command::ClassStep,
    command::Undo, command::Redo, command::PastePlan, command::NewPlan, command::OpenLink, command::OpenFirst,
    command::TakeProposal, command::TakePathPlan, command::OpenSaved>;

// What a command answers beside what it changed.
struct CommandReply {
    NumberField::TypedKey typed; // Type
    std::size_t caret = 0;       // Paste: after the pasted text
    ClassBox::Edit classEdit;    // ClassType, ClassBackspace
    bool moved = false;          // Undo, Redo: a step was taken
    int waitMs = 0;              // HoldPress, HoldTick: the wait for the next tick; 0: none
    bool decoded = true;         // OpenLink, OpenSaved: the code was read
    bool applied = true;         // PastePlan, OpenLink, TakeProposal, TakePathPlan, OpenSaved
    std::string message;         // German, when the plan was changed or refused
};

// A command for a test's message: "type U+53 into field 3".
std::string DescribeCommand(const Command &command);

// The number field of a command: 0 the level, 1 to 28 the skills; throws for any other.
NumberField &FieldOf(Planner &planner, int field);

// Runs a command that acts on one field of the planner (every command before
// Undo); false for the others, which need the plan's history.
bool RunFieldCommand(Planner &planner, const Command &command, CommandReply &reply);

} // namespace rollwerk
