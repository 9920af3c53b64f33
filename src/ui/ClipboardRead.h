#pragma once

// What the clipboard holds, as the core's pastes take it: its text, or what
// it holds instead of one.

#include "PlanCode.h"

#include <string>

namespace rollwerk {

struct ClipboardRead {
    ClipboardContent content = ClipboardContent::Text;
    std::string text; // empty unless content is Text
};

ClipboardRead ReadClipboard();

} // namespace rollwerk
