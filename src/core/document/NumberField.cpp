#include "NumberField.h"

#include "Integer.h"
#include "Utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace rollwerk {

NumberField::NumberField(std::int32_t minimum, std::int32_t maximum, std::int32_t value, bool enabled, Rgb colour)
    : text_(std::to_string(value)), number_(value), minimum_(minimum), maximum_(maximum), enabled_(enabled),
      colour_(colour), captionEnabled_(enabled)
{ }

std::int32_t NumberField::Value() const
{
    return number_.value_or(minimum_);
}

void NumberField::SetValue(std::int64_t value)
{
    if (minimum_ != maximum_)
        value = std::clamp<std::int64_t>(value, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
    // Stepping past the 32-bit range (possible only while minimum and maximum
    // are equal) stops at its end instead of wrapping.
    value = std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    // Procedures set fields by the dozen, mostly to what they already show:
    // format without allocating and compare before anything is stored.
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    ShowText(std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
}

template <typename T> void NumberField::Update(T &member, T value, Property property)
{
    if (member == value)
        return;
    member = value;
    Changed(property, member);
}

void NumberField::SetMinimum(std::int32_t minimum)
{
    Update(minimum_, minimum, Property::Minimum);
}

void NumberField::SetMaximum(std::int32_t maximum)
{
    Update(maximum_, maximum, Property::Maximum);
}

void NumberField::SetEnabled(bool enabled)
{
    Update(enabled_, enabled, Property::Enabled);
}

void NumberField::SetColour(Rgb colour)
{
    Update(colour_, colour, Property::Colour);
}

void NumberField::SetCaptionEnabled(bool enabled)
{
    Update(captionEnabled_, enabled, Property::CaptionEnabled);
}

void NumberField::Restore(
    std::string text, std::int32_t minimum, std::int32_t maximum, bool enabled, Rgb colour, bool captionEnabled)
{
    Update(minimum_, minimum, Property::Minimum);
    Update(maximum_, maximum, Property::Maximum);
    Update(enabled_, enabled, Property::Enabled);
    Update(colour_, colour, Property::Colour);
    Update(captionEnabled_, captionEnabled, Property::CaptionEnabled);
    if (text == text_)
        return;
    text_ = std::move(text);
    number_ = ParseInteger(text_);
    Changed(Property::Text, text_);
}

bool NumberField::IsTypeable(char32_t ch, char32_t decimalSeparator)
{
    return (ch >= U'0' && ch <= U'9') || ch == U'+' || ch == U'-' || ch == decimalSeparator;
}

NumberField::TypedKey NumberField::TypeCharacter(
    std::size_t selectionStart, std::size_t selectionLength, char32_t ch, char32_t decimalSeparator)
{
    const UserAction action(actions);
    const bool enter = ch == U'\r' || ch == U'\n';
    if (!enter && (ch < 0x20 || ch == 0x7F))
        return {KeyOutcome::NotTyped, selectionStart};
    if (!enabled_ || enter || !IsTypeable(ch, decimalSeparator))
        return {KeyOutcome::Refused, selectionStart};
    const auto [before, after] = SplitAround(text_, selectionStart, selectionLength);
    std::string text = std::string(before) + EncodeUtf8(ch) + std::string(after);
    if (CharCount(text) > kMaxLength)
        return {KeyOutcome::Refused, selectionStart};
    const std::size_t caret = selectionStart + 1;
    if (text == text_)
        return {KeyOutcome::Unchanged, caret};
    Edited(UserEdit::Typed);
    return {KeyOutcome::Inserted, ShowTextAt(text, caret)};
}

std::size_t NumberField::Paste(std::size_t selectionStart, std::size_t selectionLength, std::string_view pasted)
{
    const UserAction action(actions);
    if (!enabled_)
        return selectionStart;
    Edited(UserEdit::Typed);
    const auto [before, after] = SplitAround(text_, selectionStart, selectionLength);
    const std::size_t kept = CharCount(before) + CharCount(after);
    const std::size_t room = kMaxLength > kept ? kMaxLength - kept : 0;
    const std::string_view inserted = pasted.substr(0, ByteOffset(pasted, room));
    std::string text = std::string(before) + std::string(inserted) + std::string(after);
    return ShowTextAt(text, CharCount(before) + CharCount(inserted));
}

void NumberField::EditText(std::string_view text)
{
    const UserAction action(actions);
    if (!enabled_)
        return;
    Edited(UserEdit::Typed);
    ShowText(text.substr(0, ByteOffset(text, kMaxLength)));
}

void NumberField::StepUp(bool held)
{
    Step(1, held);
}

void NumberField::StepDown(bool held)
{
    Step(-1, held);
}

void NumberField::Step(std::int64_t delta, bool held)
{
    const UserAction action(actions);
    if (!enabled_)
        return;
    Edited(held ? UserEdit::HeldStep : UserEdit::Stepped);
    SetValue(std::int64_t{Value()} + delta);
}

void NumberField::FocusLost()
{
    const UserAction action(actions);
    Edited(UserEdit::Left);
    const std::int32_t value = Value();
    if (minimum_ != maximum_ && (value < minimum_ || value > maximum_))
        SetValue(value);
}

void NumberField::Edited(UserEdit edit)
{
    if (userEdited.HasSubscribers())
        userEdited.Emit(edit);
}

void NumberField::ShowText(std::string_view text)
{
    if (text == text_)
        return;
    text_.assign(text);
    number_ = ParseInteger(text_);
    ++textWrites_;
    Changed(Property::Text, text_);
    if (onChange)
        onChange();
}

std::size_t NumberField::ShowTextAt(std::string_view text, std::size_t caret)
{
    const std::size_t writesBefore = textWrites_;
    ShowText(text);
    // More than one write: a nested procedure rewrote the text, and the caret goes to its end.
    return textWrites_ - writesBefore > 1 ? CharCount(text_) : caret;
}

template <typename T> void NumberField::Changed(Property property, const T &value)
{
    if (propertyChanged.HasSubscribers())
        propertyChanged.Emit(Change{property, value});
}

} // namespace rollwerk
