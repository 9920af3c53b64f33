#include "ClassBox.h"

#include "Utf8.h"

#include <algorithm>

namespace rollwerk {

ClassBox::ClassBox(std::vector<std::string> items, std::string text) : items_(std::move(items)), text_(std::move(text))
{ }

std::optional<ClassBox::Edit> ClassBox::Complete(std::string_view text, std::size_t selectionStart,
    std::size_t selectionLength, char32_t typed, std::span<const std::string> items)
{
    const std::string_view kept
        = selectionLength > 0 ? SplitAround(text, selectionStart, selectionLength).before : text;
    const std::string search = std::string(kept) + EncodeUtf8(typed);
    const auto match = std::find_if(
        items.begin(), items.end(), [&](const std::string &item) { return StartsWithIgnoringCase(item, search); });
    if (match == items.end())
        return std::nullopt;
    const std::string_view rest = std::string_view(*match).substr(search.size());
    const std::size_t searchChars = CharCount(search);
    return Edit{search + std::string(rest), searchChars, CharCount(rest)};
}

void ClassBox::SetText(std::string text)
{
    Show(std::move(text), false);
}

ClassBox::Edit ClassBox::TypeCharacter(std::size_t selectionStart, std::size_t selectionLength, char32_t ch)
{
    const UserAction action(actions);
    if (ch < 0x20 || ch == 0x7F)
        return {text_, selectionStart, selectionLength};
    if (auto completed = Complete(text_, selectionStart, selectionLength, ch, items_)) {
        // A completion always notifies, even when it restores the same text.
        text_ = completed->text;
        textShown.Emit(text_);
        if (onChange)
            onChange();
        return *completed;
    }
    const auto [before, after] = SplitAround(text_, selectionStart, selectionLength);
    // The edit describes the typed text, even when the notification replaces it.
    Edit typed{std::string(before) + EncodeUtf8(ch) + std::string(after), CharCount(before) + 1, 0};
    Show(typed.text, true);
    return typed;
}

ClassBox::Edit ClassBox::Backspace(std::size_t selectionStart, std::size_t selectionLength)
{
    const UserAction action(actions);
    std::size_t start = selectionStart;
    std::size_t length = selectionLength;
    if (length == 0 && start > 0) {
        --start;
        length = 1;
    }
    const auto [before, after] = SplitAround(text_, start, length);
    Edit edit{std::string(before) + std::string(after), CharCount(before), 0};
    text_ = edit.text;
    // Every Backspace press notifies, even when nothing was deleted.
    textShown.Emit(text_);
    if (onChange)
        onChange();
    return edit;
}

void ClassBox::EditText(std::string_view text)
{
    const UserAction action(actions);
    Show(std::string(text), true);
}

void ClassBox::Pick(std::size_t index)
{
    const UserAction action(actions);
    if (index >= items_.size())
        return;
    text_ = items_[index];
    // A pick notifies even when the box already shows that item.
    textShown.Emit(text_);
    if (onChange)
        onChange();
}

void ClassBox::SelectAdjacent(int direction)
{
    const UserAction action(actions);
    if (items_.empty())
        return;
    const auto current = std::find_if(items_.begin(), items_.end(),
        [&](const std::string &item) { return item.size() == text_.size() && StartsWithIgnoringCase(item, text_); });
    std::ptrdiff_t index = 0;
    if (current != items_.end())
        index = std::clamp<std::ptrdiff_t>(
            (current - items_.begin()) + direction, 0, static_cast<std::ptrdiff_t>(items_.size()) - 1);
    Show(items_[static_cast<std::size_t>(index)], true);
}

void ClassBox::Show(std::string text, bool notify)
{
    if (text == text_)
        return;
    text_ = std::move(text);
    textShown.Emit(text_);
    if (notify && onChange)
        onChange();
}

} // namespace rollwerk
