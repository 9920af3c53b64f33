#include "GoalWindowTable.h"

namespace rollwerk {

std::string_view GoalCaption(std::string_view widget)
{
    return CaptionIn(kGoalWindowTexts, widget);
}

std::string GoalAccessibleName(std::string_view widget)
{
    return AccessibleNameIn(kGoalWindowTexts, widget);
}

} // namespace rollwerk
