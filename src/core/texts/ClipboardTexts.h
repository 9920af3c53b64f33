#pragma once

// What a paste says when the clipboard held no text to read, the same on
// both front ends: a page reads an empty clipboard as an empty text, the
// desktop as no data at all.

#include "PlanCode.h"

#include <string_view>

namespace rollwerk {

inline constexpr std::string_view kEmptyClipboardText = "Kein Plan-Code: Die Zwischenablage ist leer.";

// FindPlanCode for what the clipboard held: without text (or with blanks
// only), says what it held.
PlanDecoding FindPastedPlanCode(ClipboardContent content, std::string_view text);

} // namespace rollwerk
