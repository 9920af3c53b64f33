#pragma once

// "Alle einfügen" from what the clipboard held, the same on both front ends:
// without text (nothing, a picture, blanks only) nothing is added and the
// message is the one a plan's paste gives; otherwise every plan of the text
// is added.

#include "ClipboardTexts.h"
#include "PlanShelf.h"

#include <string_view>

namespace rollwerk {

inline PlanShelf::Pasting PasteClipboard(PlanShelf &shelf, ClipboardContent content, std::string_view text)
{
    if (const PlanDecoding nothing = FindPastedPlanCode(content, text); nothing.kind == PlanCodeError::Empty)
        return {{}, {}, nothing.error};
    return shelf.Paste(text);
}

} // namespace rollwerk
