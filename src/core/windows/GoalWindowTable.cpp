#include "GoalWindowTable.h"

#include "AccessKey.h"

namespace rollwerk {

namespace {

const GoalWindowText *GoalWindowTextOf(std::string_view widget)
{
    for (const GoalWindowText &entry : kGoalWindowTexts) {
        if (entry.widget == widget)
            return &entry;
    }
    return nullptr;
}

} // namespace

std::string_view GoalCaption(std::string_view widget)
{
    const GoalWindowText *entry = GoalWindowTextOf(widget);
    return entry ? entry->caption : std::string_view();
}

std::string GoalAccessibleName(std::string_view widget)
{
    const GoalWindowText *entry = GoalWindowTextOf(widget);
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
