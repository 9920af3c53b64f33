#pragma once

// The model behind a number spin field: the shown text is the state, the
// value is read from it. Procedures set values; the window forwards what
// the user does (typing, pasting, stepping, leaving the field).

#include "Colours.h"
#include "Integer.h"
#include "Signal.h"
#include "UserAction.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace rollwerk {

class NumberField {
public:
    enum class Property { Text, Minimum, Maximum, Enabled, Colour, CaptionEnabled };

    // What became of a typed character.
    enum class KeyOutcome {
        Inserted,  // the text changed (and the change notification ran)
        Unchanged, // the character replaced an identical selection
        Refused,   // filtered out or over the length limit: the window beeps
        NotTyped,  // a control key; the window handles it as editing
    };

    // A typed character and where the caret goes: after it, or at the end
    // when a procedure rewrote the text while it ran. Only for Inserted and
    // Unchanged; otherwise the caret and selection stay as they are.
    struct TypedKey {
        KeyOutcome outcome = KeyOutcome::NotTyped;
        std::size_t caret = 0;
        friend bool operator==(const TypedKey &, const TypedKey &) = default;
    };

    // What the user did to the field, as the field reports it before it acts:
    // an edit of the text (a typed key, a paste, Backspace, Delete, cut), a
    // step of its own (a click, an arrow key), a further step of a step button
    // held down in the same press, or leaving the field.
    enum class UserEdit { Typed, Stepped, HeldStep, Left };

    // A property and its new value: the text as a string, the range as
    // numbers, the two flags as bools, the colour as Rgb.
    struct Change {
        Property property = Property::Text;
        std::variant<std::string, std::int32_t, bool, Rgb> value;
    };

    static constexpr std::size_t kMaxLength = 3;
    // A step button held down steps by itself: first after this long, then every kRepeatMs.
    static constexpr int kFirstRepeatMs = 400;
    static constexpr int kRepeatMs = 100;

    NumberField() = default;
    NumberField(std::int32_t minimum, std::int32_t maximum, std::int32_t value, bool enabled, Rgb colour);

    const std::string &Text() const { return text_; }
    std::int32_t Minimum() const { return minimum_; }
    std::int32_t Maximum() const { return maximum_; }
    bool Enabled() const { return enabled_; }
    Rgb Colour() const { return colour_; }
    bool CaptionEnabled() const { return captionEnabled_; }

    // The text as an integer; the minimum when it is not a valid integer.
    std::int32_t Value() const;

    // Procedure side. Setting clamps only when minimum and maximum differ.
    void SetValue(std::int64_t value);
    void SetMinimum(std::int32_t minimum);
    void SetMaximum(std::int32_t maximum);
    void SetEnabled(bool enabled);
    void SetColour(Rgb colour);
    void SetCaptionEnabled(bool enabled);

    // Puts the field into a state as it is without running its change
    // notification (for a scratch planner that is to continue from another
    // planner's state, and for undo); the views hear of what changed.
    void Restore(
        std::string text, std::int32_t minimum, std::int32_t maximum, bool enabled, Rgb colour, bool captionEnabled);

    // User side; a disabled field takes no input. Positions count characters.
    // Each call is a user action of the field's planner.
    static bool IsTypeable(char32_t ch, char32_t decimalSeparator);
    TypedKey TypeCharacter(
        std::size_t selectionStart, std::size_t selectionLength, char32_t ch, char32_t decimalSeparator);
    // Pasted text is not filtered but is cut to the room left. Returns the
    // caret: after the pasted text, or at the end when a procedure rewrote it.
    std::size_t Paste(std::size_t selectionStart, std::size_t selectionLength, std::string_view pasted);
    // Any other editing (Backspace, Delete, cut): the text the edit produced.
    void EditText(std::string_view text);
    // held: a further step of a button held down, part of the same press.
    void StepUp(bool held = false);
    void StepDown(bool held = false);
    void FocusLost();

    // The field's change notification: runs, nested, whenever the shown text
    // changes. The planner's own wiring to its procedure, one per field.
    std::function<void()> onChange;
    // For the views: a property changed (the text before onChange runs).
    Signal<const Change &> propertyChanged;
    // For the history: what the user does to the field, before the field acts.
    Signal<UserEdit> userEdited;
    // The user actions of the planner the field belongs to, for the views to
    // open one around what the user does; none for a field on its own.
    ActionGroup *actions = nullptr;

    friend bool operator==(const NumberField &a, const NumberField &b)
    {
        return a.text_ == b.text_ && a.minimum_ == b.minimum_ && a.maximum_ == b.maximum_ && a.enabled_ == b.enabled_
            && a.colour_ == b.colour_ && a.captionEnabled_ == b.captionEnabled_;
    }

private:
    void ShowText(std::string_view text);
    void Step(std::int64_t delta, bool held);
    void Edited(UserEdit edit);
    // Shows a text the user produced; returns where the caret goes.
    std::size_t ShowTextAt(std::string_view text, std::size_t caret);
    // Stores a property's new value and tells the view, when the value differs.
    template <typename T> void Update(T &member, T value, Property property);
    template <typename T> void Changed(Property property, const T &value);

    std::string text_ = "0";
    // The text read as a number, kept with it: procedures read fields far
    // more often than anything writes them.
    std::optional<std::int32_t> number_ = 0;
    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 0;
    bool enabled_ = true;
    Rgb colour_{};
    bool captionEnabled_ = true;
    // Text writes so far, to tell the user's change from a procedure's rewrite.
    std::size_t textWrites_ = 0;
};

} // namespace rollwerk
