// Reads the input as a sequence of user actions on the planner's fields and
// checks after each one that the plan is consistent and that the counters and
// the bonus list describe the values the fields show, the way the random-action
// test does, but with libFuzzer choosing the actions.
//
// Input format, one action after another (missing bytes read as 0):
//   target  byte % 30: 0 the class box, 1 the level field, 2..29 skill 1..28
//   kind    byte, taken modulo the number of actions of the target
//   operands as the action needs them:
//     selection  two bytes: start % (length + 1), then length % (rest + 1)
//     character  byte < 0x80: that character; else three bytes give a code
//                point modulo U+110000 (surrogates become U+FFFD)
//     text       byte % 16 characters
// Class box kinds: 0 pick (byte % 6), 1 type (selection, character),
//   2 Backspace (selection), 3 Up, 4 Down, 5 edit (text).
// Field kinds: 0 type (selection, character), 1 paste (selection, text),
//   2 edit (text), 3 step up, 4 step down, 5 leave.

#include "FuzzCommands.h"

using namespace rollwerk;
using namespace rollwerk::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Planner planner;
    planner.FormCreate();
    CheckPlan(planner);
    Reader in(data, size);
    while (!in.AtEnd()) {
        planner.ResetCounts();
        CommandReply reply;
        RunFieldCommand(planner, FieldCommand(planner, in), reply);
        CheckPlan(planner);
    }
    return 0;
}
