#pragma once

// Drives a planner the way the windows do: the commands a front end sends
// for its native events, run on the field models.

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

    NumberField &Field(int field) { return FieldOf(planner, field); }

    // What a front end sends for one native event.
    CommandReply Send(const Command &command)
    {
        CommandReply reply;
        RunFieldCommand(planner, command, reply);
        return reply;
    }

    // Selects the whole text and types the characters one by one.
    void Type(int field, std::string_view text)
    {
        std::size_t selection = CharCount(Field(field).Text());
        std::size_t caret = 0;
        for (char ch : text) {
            Send(command::Type{field, caret, selection, static_cast<unsigned char>(ch), U','});
            selection = 0;
            caret = CharCount(Field(field).Text());
        }
    }
    void Up(int field) { Send(command::Step{field, 1, false}); }
    void Down(int field) { Send(command::Step{field, -1, false}); }
    void Leave(int field) { Send(command::Leave{field}); }
    // Pastes over the whole text.
    void Paste(int field, std::string_view text)
    {
        Send(command::Paste{field, 0, CharCount(Field(field).Text()), std::string(text)});
    }

    void Pick(std::string_view className)
    {
        const auto &items = planner.CBCharwahl.Items();
        Send(command::ClassPick{
            static_cast<std::size_t>(std::find(items.begin(), items.end(), className) - items.begin())});
    }
    // Selects the whole text of the class box and types, following its completion.
    void TypeClass(std::string_view text)
    {
        ClassBox::Edit edit{planner.CBCharwahl.Text(), 0, CharCount(planner.CBCharwahl.Text())};
        for (char ch : text)
            edit = Send(command::ClassType{edit.selectionStart, edit.selectionLength, static_cast<unsigned char>(ch)})
                       .classEdit;
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
