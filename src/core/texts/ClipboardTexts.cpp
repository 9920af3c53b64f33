#include "ClipboardTexts.h"

#include <algorithm>

namespace rollwerk {

namespace {

PlanDecoding Failure(std::string_view error)
{
    return {std::nullopt, std::string(error), PlanCodeError::Empty, {}};
}

} // namespace

PlanDecoding FindPastedPlanCode(ClipboardContent content, std::string_view text)
{
    switch (content) {
    case ClipboardContent::Nothing:
        return Failure(kEmptyClipboardText);
    case ClipboardContent::Picture:
        return Failure("Kein Plan-Code: Die Zwischenablage enth\u00e4lt ein Bild, keinen Text.");
    case ClipboardContent::OtherData:
        return Failure("Kein Plan-Code: Die Zwischenablage enth\u00e4lt keinen Text.");
    case ClipboardContent::Text:
        break;
    }
    if (std::all_of(text.begin(), text.end(), [](char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }))
        return Failure(kEmptyClipboardText);
    return FindPlanCode(text);
}

} // namespace rollwerk
