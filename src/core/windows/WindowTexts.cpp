#include "WindowTexts.h"

#include "AccessKey.h"

#include <algorithm>

namespace rollwerk {

namespace {

const WindowText *EntryOf(std::span<const WindowText> table, std::string_view widget)
{
    const auto found
        = std::find_if(table.begin(), table.end(), [&](const WindowText &e) { return e.widget == widget; });
    return found == table.end() ? nullptr : &*found;
}

} // namespace

std::string_view CaptionIn(std::span<const WindowText> table, std::string_view widget)
{
    const WindowText *entry = EntryOf(table, widget);
    return entry ? entry->caption : std::string_view();
}

std::string AccessibleNameIn(std::span<const WindowText> table, std::string_view widget)
{
    const WindowText *entry = EntryOf(table, widget);
    if (entry == nullptr)
        return {};
    if (!entry->accessibleName.empty())
        return std::string(entry->accessibleName);
    std::string name = WithoutAccessKey(entry->caption);
    if (name.ends_with(':'))
        name.pop_back();
    return name;
}

} // namespace rollwerk
