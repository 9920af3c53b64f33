#pragma once

// The counters and the bonus list describe the values the fields show: after
// every complete user action they equal what the 28 values and the level
// give. The preview relies on it to tell a step from the values alone; the
// random-action test and the planner fuzz target check it after every action.

#include "Planner.h"

namespace rollwerk {

// Names the first view that disagrees with the values the fields show, or nullptr.
const char *MismatchWithShownValues(const Planner &planner);

} // namespace rollwerk
