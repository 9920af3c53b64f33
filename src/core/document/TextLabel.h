#pragma once

#include "Signal.h"

#include <string>
#include <string_view>

namespace rollwerk {

// A label whose text the planner writes (the two counters).
class TextLabel {
public:
    explicit TextLabel(std::string text) : text_(std::move(text)) { }

    const std::string &Text() const { return text_; }
    void SetText(std::string_view text)
    {
        if (text == text_)
            return;
        text_.assign(text);
        textShown.Emit(text_);
    }

    Signal<const std::string &> textShown; // for the views: the new text

private:
    std::string text_;
};

} // namespace rollwerk
