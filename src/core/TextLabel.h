#pragma once

#include <functional>
#include <string>

namespace rollwerk {

// A label whose text the planner writes (the two counters).
class TextLabel {
public:
    explicit TextLabel(std::string text) : text_(std::move(text)) { }

    const std::string &Text() const { return text_; }
    void SetText(std::string text)
    {
        if (text == text_)
            return;
        text_ = std::move(text);
        if (onTextShown)
            onTextShown();
    }

    std::function<void()> onTextShown; // for the view

private:
    std::string text_;
};

} // namespace rollwerk
