#include "TypedText.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <array>
#include <utility>

namespace rollwerk {

namespace {

// Qt's keys under the names the key tables use.
constexpr std::array<std::pair<int, std::string_view>, 9> kKeyNames = {{
    {Qt::Key_Up, "ArrowUp"},
    {Qt::Key_Down, "ArrowDown"},
    {Qt::Key_PageUp, "PageUp"},
    {Qt::Key_PageDown, "PageDown"},
    {Qt::Key_Enter, "Enter"},
    {Qt::Key_Return, "Enter"},
    {Qt::Key_F4, "F4"},
    {Qt::Key_Escape, "Escape"},
    {Qt::Key_Backspace, "Backspace"},
}};

std::u32string PrintableCharacters(const QString &text)
{
    const auto codePoints = text.toUcs4();
    const bool printable
        = std::all_of(codePoints.begin(), codePoints.end(), [](char32_t ch) { return ch >= 0x20 && ch != 0x7F; });
    return printable ? std::u32string(codePoints.begin(), codePoints.end()) : std::u32string();
}

// Steps over one character: a surrogate pair counts once.
int NextCharacter(const QString &text, int index)
{
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate())
        return index + 2;
    return index + 1;
}

} // namespace

std::u32string TypedCharacters(const QKeyEvent &event)
{
    const auto modifiers = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // Ctrl+Alt is AltGr on Windows and still types a character.
    const bool plain = modifiers == Qt::NoModifier || modifiers == (Qt::ControlModifier | Qt::AltModifier);
    return plain ? PrintableCharacters(event.text()) : std::u32string();
}

std::u32string ComposedCharacters(const QInputMethodEvent &event)
{
    if (!event.preeditString().isEmpty() || event.replacementLength() != 0)
        return {};
    return PrintableCharacters(event.commitString());
}

std::size_t CharPosition(const QString &text, int utf16Position)
{
    const int end = std::min<int>(std::max(utf16Position, 0), static_cast<int>(text.size()));
    std::size_t chars = 0;
    for (int i = 0; i < end; i = NextCharacter(text, i))
        ++chars;
    return chars;
}

int Utf16Position(const QString &text, std::size_t charPosition)
{
    int i = 0;
    for (std::size_t chars = 0; chars < charPosition && i < text.size(); ++chars)
        i = NextCharacter(text, i);
    return i;
}

CharSelection SelectionOf(const QLineEdit &edit)
{
    const QString text = edit.text();
    if (!edit.hasSelectedText())
        return {CharPosition(text, edit.cursorPosition()), 0};
    const std::size_t start = CharPosition(text, edit.selectionStart());
    return {start, CharPosition(text, edit.selectionEnd()) - start};
}

void ForwardKey(QLineEdit &edit, QKeyEvent &event, bool &forwarding)
{
    forwarding = true;
    static_cast<QObject &>(edit).event(&event);
    forwarding = false;
}

std::string_view KeyName(const QKeyEvent &event)
{
    const auto found = std::find_if(
        kKeyNames.begin(), kKeyNames.end(), [&](const auto &entry) { return entry.first == event.key(); });
    return found == kKeyNames.end() ? std::string_view() : found->second;
}

bool HasModifier(const QKeyEvent &event)
{
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

} // namespace rollwerk
