#pragma once

// The model behind the class box: an editable text with a list of items and
// automatic completion. Procedures set the text silently; every user change
// raises the change notification.

#include "Signal.h"
#include "UserAction.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

class ClassBox {
public:
    // The text with its selection, in characters.
    struct Edit {
        std::string text;
        std::size_t selectionStart = 0;
        std::size_t selectionLength = 0;
        friend bool operator==(const Edit &, const Edit &) = default;
    };

    ClassBox(std::vector<std::string> items, std::string text);

    const std::string &Text() const { return text_; }
    const std::vector<std::string> &Items() const { return items_; }

    // Automatic completion of one typed character: the search text is the
    // text before the selection plus the character when something is
    // selected, else the whole text plus the character. The first item that
    // begins with it, regardless of case, completes it; the added rest is
    // selected. No value when no item matches.
    static std::optional<Edit> Complete(std::string_view text, std::size_t selectionStart, std::size_t selectionLength,
        char32_t typed, std::span<const std::string> items);

    // Procedure side: raises nothing.
    void SetText(std::string text);

    // User side, each call a user action of the box's planner. The typed key
    // and Backspace return the text and selection they leave.
    Edit TypeCharacter(std::size_t selectionStart, std::size_t selectionLength, char32_t ch);
    Edit Backspace(std::size_t selectionStart, std::size_t selectionLength);
    void EditText(std::string_view text); // paste, cut, Delete
    void Pick(std::size_t index);         // an item chosen from the list
    void SelectAdjacent(int direction);   // Up (-1) and Down (+1) keys

    // The change notification: the planner's own wiring to its procedure.
    std::function<void()> onChange;
    // For the views: the new text, before onChange runs.
    Signal<const std::string &> textShown;
    // The user actions of the planner the box belongs to, for the views to
    // open one around what the user does; none for a box on its own.
    ActionGroup *actions = nullptr;

private:
    void Show(std::string text, bool notify);

    std::vector<std::string> items_;
    std::string text_;
};

} // namespace rollwerk
