#pragma once

// What a key does in a number field and in the class box, by the key's name
// as keyboard events name keys ("ArrowUp", "F4"). Both front ends translate
// their native key events into these names and look the keys up here; a key
// without an entry is typed or edited as the field's text.

#include <array>
#include <string_view>

namespace rollwerk::keys {

enum class FieldAction {
    StepUp,
    StepDown,
    Swallow,    // taken, and nothing happens
    TypeReturn, // typed as a carriage return, which the field refuses with its cue
};

struct FieldKey {
    std::string_view key;
    FieldAction action;
};

// clang-format off
inline constexpr std::array<FieldKey, 5> kFieldKeys = {{
    {"ArrowUp", FieldAction::StepUp},
    {"ArrowDown", FieldAction::StepDown},
    {"PageUp", FieldAction::Swallow},
    {"PageDown", FieldAction::Swallow},
    {"Enter", FieldAction::TypeReturn},
}};
// clang-format on

enum class ClassAction {
    SelectPrevious, // the class before the shown one, as the model's SelectAdjacent(-1)
    SelectNext,
    HighlightPrevious, // in the open list
    HighlightNext,
    OpenList,
    ToggleList,
    CloseList,
    PickHighlighted,
    Backspace,
    Swallow,
};

enum class When { Always, ListOpen, ListClosed };
enum class Alt { Any, Held, NotHeld };

struct ClassKey {
    std::string_view key;
    When when;
    Alt alt;
    bool plainOnly; // only without Ctrl, Alt and Meta
    ClassAction action;
};

// The first entry that matches holds. The open list's entries serve a list
// the front end draws itself; a native drop-down list handles its own keys.
// clang-format off
inline constexpr std::array<ClassKey, 14> kClassKeys = {{
    {"ArrowUp", When::ListOpen, Alt::NotHeld, false, ClassAction::HighlightPrevious},
    {"ArrowDown", When::ListOpen, Alt::NotHeld, false, ClassAction::HighlightNext},
    {"ArrowUp", When::ListClosed, Alt::NotHeld, false, ClassAction::SelectPrevious},
    {"ArrowDown", When::ListClosed, Alt::NotHeld, false, ClassAction::SelectNext},
    {"ArrowDown", When::ListClosed, Alt::Held, false, ClassAction::OpenList},
    {"ArrowUp", When::Always, Alt::Held, false, ClassAction::Swallow},
    {"ArrowDown", When::Always, Alt::Held, false, ClassAction::Swallow},
    {"F4", When::Always, Alt::Any, true, ClassAction::ToggleList},
    {"Escape", When::ListOpen, Alt::Any, false, ClassAction::CloseList},
    {"Enter", When::ListOpen, Alt::Any, false, ClassAction::PickHighlighted},
    {"Enter", When::ListClosed, Alt::Any, false, ClassAction::Swallow},
    {"PageUp", When::Always, Alt::Any, false, ClassAction::Swallow},
    {"PageDown", When::Always, Alt::Any, false, ClassAction::Swallow},
    {"Backspace", When::Always, Alt::Any, true, ClassAction::Backspace},
}};
// clang-format on

// The entry of a number field's key; nullptr: typed or edited.
inline const FieldKey *FindFieldKey(std::string_view key)
{
    for (const FieldKey &entry : kFieldKeys) {
        if (entry.key == key)
            return &entry;
    }
    return nullptr;
}

// The entry of a class box's key; nullptr: typed or edited.
inline const ClassKey *FindClassKey(std::string_view key, bool listOpen, bool alt, bool plain)
{
    for (const ClassKey &entry : kClassKeys) {
        if (entry.key != key || (entry.plainOnly && !plain))
            continue;
        if ((entry.when == When::ListOpen && !listOpen) || (entry.when == When::ListClosed && listOpen))
            continue;
        if ((entry.alt == Alt::Held && !alt) || (entry.alt == Alt::NotHeld && alt))
            continue;
        return &entry;
    }
    return nullptr;
}

} // namespace rollwerk::keys
