#pragma once

// Drives a planner the way the windows do: user actions on the field models.

#include "Commands.h"
#include "Planner.h"
#include "Utf8.h"

#include <functional>
#include <string>
#include <string_view>

namespace rollwerk::testing {

using rollwerk::kLevelField; // field 0 is the level, 1..28 the skills

class PlannerDriver {
public:
    PlannerDriver() { planner.FormCreate(); }

    NumberField &Field(int field) { return field == kLevelField ? planner.SpEStufeH : planner.SpEFert[field]; }

    // Selects the whole text and types the characters one by one.
    void Type(int field, std::string_view text)
    {
        NumberField &f = Field(field);
        std::size_t selection = CharCount(f.Text());
        std::size_t caret = 0;
        for (char ch : text) {
            f.TypeCharacter(caret, selection, static_cast<unsigned char>(ch), U',');
            selection = 0;
            caret = CharCount(f.Text());
        }
    }
    void Up(int field) { Field(field).StepUp(); }
    void Down(int field) { Field(field).StepDown(); }
    void Leave(int field) { Field(field).FocusLost(); }

    void Pick(std::string_view className)
    {
        const auto &items = planner.CBCharwahl.Items();
        planner.CBCharwahl.Pick(
            static_cast<std::size_t>(std::find(items.begin(), items.end(), className) - items.begin()));
    }
    // Selects the whole text of the class box and types, following its completion.
    void TypeClass(std::string_view text)
    {
        ClassBox::Edit edit{planner.CBCharwahl.Text(), 0, CharCount(planner.CBCharwahl.Text())};
        for (char ch : text)
            edit = planner.CBCharwahl.TypeCharacter(
                edit.selectionStart, edit.selectionLength, static_cast<unsigned char>(ch));
    }

    Planner planner;
};

// One user action with a readable name.
struct Action {
    std::string name;
    std::function<void(PlannerDriver &)> run;
};

inline Action TypeLevel(const std::string &text)
{
    return {"type level " + text, [text](PlannerDriver &d) { d.Type(kLevelField, text); }};
}
inline Action TypeSkill(int skill, const std::string &text)
{
    return {"type " + text + " into skill " + std::to_string(skill), [=](PlannerDriver &d) { d.Type(skill, text); }};
}
inline Action Up(int field)
{
    return {"Up in field " + std::to_string(field), [field](PlannerDriver &d) { d.Up(field); }};
}
inline Action Down(int field)
{
    return {"Down in field " + std::to_string(field), [field](PlannerDriver &d) { d.Down(field); }};
}
inline Action Leave(int field)
{
    return {"leave field " + std::to_string(field), [field](PlannerDriver &d) { d.Leave(field); }};
}
inline Action Pick(const std::string &className)
{
    return {"pick " + className, [className](PlannerDriver &d) { d.Pick(className); }};
}
inline Action TypeClass(const std::string &text)
{
    return {"type class " + text, [text](PlannerDriver &d) { d.TypeClass(text); }};
}

} // namespace rollwerk::testing
