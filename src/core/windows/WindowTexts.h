#pragma once

// A tool window's fixed texts as data, for the desktop window and the page
// alike: each widget's caption (the window's title, a field's label, a
// list's heading, a button's text; '&' before the desktop's access key) and
// the name a screen reader announces for the widget.

#include <span>
#include <string>
#include <string_view>

namespace rollwerk {

struct WindowText {
    std::string_view widget;
    std::string_view caption;
    std::string_view accessibleName; // empty: the caption's, without '&' and colon
};

// The caption of a widget of a table, with its '&'; empty for any other.
std::string_view CaptionIn(std::span<const WindowText> table, std::string_view widget);

// The name a screen reader announces for a widget of a table; empty for any other.
std::string AccessibleNameIn(std::span<const WindowText> table, std::string_view widget);

} // namespace rollwerk
