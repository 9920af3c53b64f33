#include "Commands.h"

#include "Overloaded.h"
#include "Planner.h"

#include <stdexcept>

namespace rollwerk {

namespace {

std::string Field(int field)
{
    return field == kLevelField ? std::string("the level") : "skill " + std::to_string(field);
}

} // namespace

std::string DescribeCommand(const Command &command)
{
    return std::visit(
        Overloaded{
            [](const command::Type &c) {
                return "type U+" + std::to_string(static_cast<std::uint32_t>(c.character)) + " into " + Field(c.field);
            },
            [](const command::Paste &c) { return "paste '" + c.text + "' into " + Field(c.field); },
            [](const command::Edit &c) { return "edit " + Field(c.field) + " to '" + c.text + "'"; },
            [](const command::Step &c) {
                return std::string(c.direction > 0 ? "Up" : "Down") + (c.held ? " held" : "") + " in " + Field(c.field);
            },
            [](const command::Leave &c) { return "leave " + Field(c.field); },
            [](const command::HoldPress &c) {
                return std::string(c.direction > 0 ? "hold Up" : "hold Down") + " in " + Field(c.field);
            },
            [](const command::HoldTick &) { return std::string("the held button's next step"); },
            [](const command::HoldMove &c) { return std::string(c.over ? "onto" : "off") + " the held button"; },
            [](const command::HoldLift &c) {
                return std::string("let go ") + (c.over ? "over" : "off") + " the button";
            },
            [](const command::HoldRelease &) { return std::string("the hold ends"); },
            [](const command::ClassType &c) {
                return "type U+" + std::to_string(static_cast<std::uint32_t>(c.character)) + " into the class box";
            },
            [](const command::ClassBackspace &) { return std::string("Backspace in the class box"); },
            [](const command::ClassEdit &c) { return "edit the class box to '" + c.text + "'"; },
            [](const command::ClassPick &c) { return "pick class " + std::to_string(c.index); },
            [](const command::ClassStep &c) {
                return std::string(c.direction > 0 ? "Down" : "Up") + " in the class box";
            },
            [](const command::Undo &) { return std::string("undo"); },
            [](const command::Redo &) { return std::string("redo"); },
            [](const command::PastePlan &c) { return "paste the plan '" + c.text + "'"; },
            [](const command::NewPlan &) { return std::string("new plan"); },
            [](const command::OpenLink &c) { return "open the link '" + c.code + "'"; },
            [](const command::OpenFirst &c) { return "open the window with '" + c.code + "'"; },
            [](const command::TakeProposal &c) { return "take the proposal " + EncodePlan(c.plan); },
            [](const command::TakePathPlan &c) {
                return "take the path's plan at level " + std::to_string(c.plan.level) + " " + EncodePlan(c.plan);
            },
            [](const command::OpenSaved &c) { return "open the saved plan '" + c.name + "' '" + c.code + "'"; },
        },
        command);
}

NumberField &FieldOf(Planner &planner, int field)
{
    if (field < kLevelField || field > kSkillCount)
        throw std::out_of_range("field " + std::to_string(field));
    return field == kLevelField ? planner.SpEStufeH : planner.SpEFert[field];
}

bool RunFieldCommand(Planner &planner, const Command &command, CommandReply &reply)
{
    ClassBox &box = planner.CBCharwahl;
    return std::visit(
        Overloaded{
            [&](const command::Type &c) {
                reply.typed
                    = FieldOf(planner, c.field).TypeCharacter(c.start, c.length, c.character, c.decimalSeparator);
                return true;
            },
            [&](const command::Paste &c) {
                reply.caret = FieldOf(planner, c.field).Paste(c.start, c.length, c.text);
                return true;
            },
            [&](const command::Edit &c) {
                FieldOf(planner, c.field).EditText(c.text);
                return true;
            },
            [&](const command::Step &c) {
                NumberField &field = FieldOf(planner, c.field);
                c.direction > 0 ? field.StepUp(c.held) : field.StepDown(c.held);
                return true;
            },
            [&](const command::Leave &c) {
                FieldOf(planner, c.field).FocusLost();
                return true;
            },
            [&](const command::ClassType &c) {
                reply.classEdit = box.TypeCharacter(c.start, c.length, c.character);
                return true;
            },
            [&](const command::ClassBackspace &c) {
                reply.classEdit = box.Backspace(c.start, c.length);
                return true;
            },
            [&](const command::ClassEdit &c) {
                box.EditText(c.text);
                return true;
            },
            [&](const command::ClassPick &c) {
                box.Pick(c.index);
                return true;
            },
            [&](const command::ClassStep &c) {
                box.SelectAdjacent(c.direction);
                return true;
            },
            [](const auto &) { return false; },
        },
        command);
}

} // namespace rollwerk
