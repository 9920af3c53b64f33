#pragma once

// What the user types, as the field models see it: characters (not UTF-16
// units) and selections counted in characters.

#include <QEvent>
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;

namespace rollwerk {

// A key's name as the key tables name it ("ArrowUp", "Enter"); empty for a
// key that no table holds.
std::string_view KeyName(const QKeyEvent &event);

// Whether Ctrl, Alt or Meta is held.
bool HasModifier(const QKeyEvent &event);

// The characters a key press types; empty for control keys and shortcuts.
std::u32string TypedCharacters(const QKeyEvent &event);

// The characters a finished input-method composition types; empty otherwise.
std::u32string ComposedCharacters(const QInputMethodEvent &event);

// Accepts the event and hands its characters to type one at a time; false,
// with the event untouched, when it has none.
template <typename Type> bool TypeEach(QEvent &event, const std::u32string &characters, Type type)
{
    if (characters.empty())
        return false;
    event.accept();
    for (const char32_t ch : characters)
        type(ch);
    return true;
}

// Hands a key its owner leaves to the line edit straight to the edit, with
// forwarding set meanwhile, so that the owner tells the edit changes it
// forwarded from the edit's own. Called directly: QApplication would hand a
// key the edit ignores back up to the owner and round again.
void ForwardKey(QLineEdit &edit, QKeyEvent &event, bool &forwarding);

// The models count characters; QString counts UTF-16 units.
std::size_t CharPosition(const QString &text, int utf16Position);
int Utf16Position(const QString &text, std::size_t charPosition);

// A line edit's selection in characters (the caret, with no length, when nothing is selected).
struct CharSelection {
    std::size_t start = 0;
    std::size_t length = 0;
};
CharSelection SelectionOf(const QLineEdit &edit);

} // namespace rollwerk
