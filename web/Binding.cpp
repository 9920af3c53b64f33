// The planner's field models as seen from JavaScript: plain exported
// functions, wrapped for the page by binding.js. No rule lives here: every
// call hands straight to the core.
//
// Planners are known to the page by a handle. Text goes in as UTF-8 in the
// module's memory; each call replies with one JSON text (see Reply) holding
// its result, the values the models pushed to the view during the call, and
// the message of an error that escaped the core. The page reads the reply
// before its next call.

#include "Catalogue.h"
#include "GoalTexts.h"
#include "Json.h"
#include "PlanApply.h"
#include "PlanCode.h"
#include "PlanComparison.h"
#include "PlanHistory.h"
#include "PlanSummary.h"
#include "Planner.h"
#include "Preview.h"
#include "WindowLayoutTable.h"

#include <emscripten/emscripten.h>

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using rollwerk::NumberField;
namespace json = rollwerk::json;
namespace layout = rollwerk::layout;

// Field 0 is the level field, 1 to 28 the skill fields, as in the core tests.
constexpr int kLevelField = 0;

// As a browser reports a computed colour, so that the page and its tests compare plain strings.
std::string Css(rollwerk::Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", "
        + std::to_string(colour.blue) + ")";
}

// A field's properties as the page knows them: the name and the value as
// JSON, in the order of NumberField::Property.
struct PropertyEntry {
    const char *name;
    std::string (*value)(const NumberField &field);
};
constexpr std::array<PropertyEntry, 6> kProperties = {{
    {"text", [](const NumberField &field) { return json::Quote(field.Text()); }},
    {"minimum", [](const NumberField &field) { return json::Number(field.Minimum()); }},
    {"maximum", [](const NumberField &field) { return json::Number(field.Maximum()); }},
    {"enabled", [](const NumberField &field) { return json::Bool(field.Enabled()); }},
    {"colour", [](const NumberField &field) { return json::Quote(Css(field.Colour())); }},
    {"captionEnabled", [](const NumberField &field) { return json::Bool(field.CaptionEnabled()); }},
}};
static_assert(kProperties.size() == static_cast<std::size_t>(NumberField::Property::CaptionEnabled) + 1);

// What became of a typed key, in the order of NumberField::KeyOutcome.
constexpr std::array<const char *, 4> kOutcomes = {"Inserted", "Unchanged", "Refused", "NotTyped"};
static_assert(kOutcomes.size() == static_cast<std::size_t>(NumberField::KeyOutcome::NotTyped) + 1);

std::size_t Size(std::int32_t number)
{
    return number > 0 ? static_cast<std::size_t>(number) : std::size_t{0};
}

std::string PlanApplicationJson(const rollwerk::PlanApplication &application)
{
    return json::Object({{"applied", json::Bool(application.applied)}, {"message", json::Quote(application.message)}});
}

// One planner, the values its models pushed since the page last read them,
// and, once the page asks for it, the plan's history.
//
// The page's view is handed what the models show, as calls:
//   ["fieldChanged", field, property, value, number]
//                            field 0 level, 1..28 skills; property one of
//                            text, minimum, maximum, enabled, colour,
//                            captionEnabled, with its new value (a string, a
//                            number, a bool, "rgb(r, g, b)"); number is the
//                            field's value read from its text
//   ["classTextShown", text] the class box's text
//   ["labelShown", name, text] "LFertFrei" or "LFertGesAnzeige"
//   ["bonusLinesShown", lines] the bonus list's lines
// A new planner pushes everything once, unless the view shows the initial
// plan already (the page drawn at build time). Inside a user action the
// binding notes what changed and pushes each changed value once, as the
// action left it, when the action is complete (the planner's settled
// notification, or the end of UserCall); a change outside one is pushed at
// once. The pushes reach the view when the call that made them returns.
class WebPlanner {
public:
    explicit WebPlanner(bool shown)
    {
        for (int f = kLevelField; f <= rollwerk::kSkillCount; ++f) {
            connections_.push_back(Field(f).propertyChanged.Connect([this, f](const NumberField::Change &change) {
                changedFields_[static_cast<std::size_t>(f)] |= Bit(change.property);
                Changed();
            }));
        }
        connections_.push_back(planner_.CBCharwahl.textShown.Connect([this](const std::string &) {
            classChanged_ = true;
            Changed();
        }));
        connections_.push_back(planner_.LFertFrei.textShown.Connect([this](const std::string &) {
            freePointsChanged_ = true;
            Changed();
        }));
        connections_.push_back(planner_.LFertGesAnzeige.textShown.Connect([this](const std::string &) {
            freeSlotsChanged_ = true;
            Changed();
        }));
        connections_.push_back(planner_.LBBoni.linesShown.Connect([this](const rollwerk::BonusLines &) {
            bonusChanged_ = true;
            Changed();
        }));
        connections_.push_back(planner_.settled.Connect([this] { Push(); }));
        if (shown)
            return;
        changedFields_.fill(kAllProperties);
        classChanged_ = freePointsChanged_ = freeSlotsChanged_ = bonusChanged_ = true;
        Push();
    }

    // Forwards one user action: one UserAction of the planner. What it
    // changed is pushed when it ends, also when no procedure ran (no settled
    // notification) or an error ended it.
    template <typename Action> decltype(auto) UserCall(Action action)
    {
        const struct PushAtEnd {
            WebPlanner &planner;
            ~PushAtEnd() { planner.Push(); }
        } push{*this};
        const rollwerk::Planner::UserAction userAction(planner_);
        return action();
    }

    NumberField &Field(int f)
    {
        if (f < kLevelField || f > rollwerk::kSkillCount)
            throw std::out_of_range("field " + std::to_string(f));
        return f == kLevelField ? planner_.SpEStufeH : planner_.SpEFert[f];
    }

    rollwerk::Planner &Core() { return planner_; }

    // The plan's history, made when the page first asks for it.
    rollwerk::PlanHistory &History()
    {
        if (!history_)
            history_ = std::make_unique<rollwerk::PlanHistory>(planner_);
        return *history_;
    }

    // The pushes since the last call, as a JSON array's members, and forgets them.
    std::string TakePushes() { return std::exchange(pushes_, {}); }

private:
    static constexpr std::uint8_t kAllProperties = (1U << kProperties.size()) - 1;
    static std::uint8_t Bit(NumberField::Property property)
    {
        return static_cast<std::uint8_t>(1 << static_cast<int>(property));
    }

    // A model changed: pushed at once outside a user action, else when it ends.
    void Changed()
    {
        if (!planner_.InUserAction())
            Push();
    }

    void Add(const std::string &call)
    {
        if (!pushes_.empty())
            pushes_ += ',';
        pushes_ += call;
    }

    // Notes for the view each value that changed since the last push, once.
    void Push()
    {
        for (int f = kLevelField; f <= rollwerk::kSkillCount; ++f) {
            const std::uint8_t changed = std::exchange(changedFields_[static_cast<std::size_t>(f)], 0);
            if (changed == 0)
                continue;
            const NumberField &field = Field(f);
            for (std::size_t p = 0; p < kProperties.size(); ++p) {
                if ((changed & (1U << p)) != 0)
                    Add(json::Array({json::Quote("fieldChanged"), json::Number(f), json::Quote(kProperties[p].name),
                        kProperties[p].value(field), json::Number(field.Value())}));
            }
        }
        if (std::exchange(classChanged_, false))
            Add(json::Array({json::Quote("classTextShown"), json::Quote(planner_.CBCharwahl.Text())}));
        if (std::exchange(freePointsChanged_, false))
            Add(json::Array(
                {json::Quote("labelShown"), json::Quote("LFertFrei"), json::Quote(planner_.LFertFrei.Text())}));
        if (std::exchange(freeSlotsChanged_, false))
            Add(json::Array({json::Quote("labelShown"), json::Quote("LFertGesAnzeige"),
                json::Quote(planner_.LFertGesAnzeige.Text())}));
        if (std::exchange(bonusChanged_, false))
            Add(json::Array({json::Quote("bonusLinesShown"), json::Strings(planner_.LBBoni.Lines())}));
    }

    rollwerk::Planner planner_;
    std::unique_ptr<rollwerk::PlanHistory> history_;
    // What changed since the last push: a bit per property for each field.
    std::array<std::uint8_t, rollwerk::kSkillCount + 1> changedFields_{};
    bool classChanged_ = false;
    bool freePointsChanged_ = false;
    bool freeSlotsChanged_ = false;
    bool bonusChanged_ = false;
    std::string pushes_;
    std::vector<rollwerk::Connection> connections_;
};

// The planners the page made, by handle (index + 1); a deleted one leaves its place empty.
std::vector<std::unique_ptr<WebPlanner>> &Planners()
{
    static std::vector<std::unique_ptr<WebPlanner>> planners;
    return planners;
}

// The planner of a handle; null when there is none (0 for a call without one, or deleted).
std::unique_ptr<WebPlanner> *FindPlanner(int handle)
{
    auto &planners = Planners();
    if (handle < 1 || static_cast<std::size_t>(handle) > planners.size())
        return nullptr;
    return &planners[handle - 1];
}

WebPlanner &PlannerOf(int handle)
{
    const std::unique_ptr<WebPlanner> *planner = FindPlanner(handle);
    if (!planner || !*planner)
        throw std::invalid_argument("no planner " + std::to_string(handle));
    return **planner;
}

// Builds the reply of a call, which the page reads before its next call:
// {"r": result, "p": [pushes], "e": message}, each part only when there is
// one; the pushes are those of the planner the call used. Out of line, so
// that each call's Reply stays small.
[[gnu::noinline]] const char *Finish(int handle, const std::string &result, const std::string *error)
{
    static std::string reply;
    std::string pushes;
    if (const std::unique_ptr<WebPlanner> *planner = FindPlanner(handle); planner && *planner)
        pushes = (*planner)->TakePushes();
    reply = "{";
    const auto add = [&](std::string_view name, const std::string &value) {
        if (reply.size() > 1)
            reply += ',';
        reply += json::Quote(name);
        reply += ':';
        reply += value;
    };
    if (!result.empty())
        add("r", result);
    if (!pushes.empty())
        add("p", "[" + pushes + "]");
    if (error)
        add("e", json::Quote(*error));
    reply += '}';
    return reply.c_str();
}

// Runs one call: its result (JSON, empty for none), and an error escaping
// the core, which leaves the core unwound and reaches the page as an Error
// with the core's message, as the desktop shows it in a message box.
template <typename Action> const char *Reply(int handle, Action action)
{
    std::string error;
    try {
        return Finish(handle, action(), nullptr);
    } catch (const std::exception &exception) {
        error = exception.what();
    } catch (...) {
        error = layout::kUnknownErrorText;
    }
    return Finish(handle, {}, &error);
}

// A user action on a planner, one call.
template <typename Action> const char *UserReply(int handle, Action action)
{
    return Reply(handle, [&] { return PlannerOf(handle).UserCall(action); });
}

// The numbers of a goal as the page hands them over: level, keepSpent (0 or
// 1), the 45 weights, the 45 minimums, separated by commas.
rollwerk::Goal GoalOf(std::string_view text)
{
    std::vector<std::int32_t> numbers;
    const char *at = text.data();
    const char *const end = text.data() + text.size();
    while (at < end) {
        std::int32_t number = 0;
        const auto [next, failure] = std::from_chars(at, end, number);
        if (failure != std::errc() || (next != end && *next != ','))
            throw std::invalid_argument("a goal is a list of whole numbers");
        numbers.push_back(number);
        at = next == end ? end : next + 1;
    }
    rollwerk::Goal goal;
    if (numbers.size() != 2 + goal.weight.size() + goal.minimum.size())
        throw std::invalid_argument("a goal has a weight and a minimum for each of its rows");
    goal.level = numbers[0];
    goal.keepSpent = numbers[1] != 0;
    for (std::size_t row = 0; row < goal.weight.size(); ++row) {
        goal.weight[row] = numbers[2 + row];
        goal.minimum[row] = numbers[2 + goal.weight.size() + row];
    }
    return goal;
}

std::string GoalJson(const rollwerk::Goal &goal)
{
    std::vector<std::string> weights;
    std::vector<std::string> minimums;
    for (const int weight : goal.weight)
        weights.push_back(json::Number(weight));
    for (const std::int32_t minimum : goal.minimum)
        minimums.push_back(json::Number(minimum));
    return json::Object({{"level", json::Number(goal.level)}, {"keepSpent", json::Bool(goal.keepSpent)},
        {"weights", json::Array(weights)}, {"minimums", json::Array(minimums)}});
}

// The plan of exactly one code entered through the rules, into a new plan
// when fresh; with a step's name, as one step of the plan's history.
// {decoded, applied, message}.
std::string EnterCode(
    WebPlanner &planner, std::string_view code, std::optional<std::string_view> step = {}, bool fresh = false)
{
    const rollwerk::PlanDecoding decoding = rollwerk::DecodePlanCode(code);
    rollwerk::PlanApplication application{false, {}, decoding.error};
    if (decoding.plan) {
        application = planner.UserCall([&] {
            std::optional<rollwerk::PlanHistory::NamedAction> action;
            if (step)
                action.emplace(planner.History(), *step);
            if (fresh)
                rollwerk::LoadNewPlan(planner.Core());
            return rollwerk::ApplyPlan(planner.Core(), *decoding.plan);
        });
    }
    return json::Object({{"decoded", json::Bool(decoding.plan.has_value())},
        {"applied", json::Bool(application.applied)}, {"message", json::Quote(application.message)}});
}

std::string EditJson(const rollwerk::ClassBox::Edit &edit)
{
    return json::Object({{"text", json::Quote(edit.text)}, {"selectionStart", json::Number(edit.selectionStart)},
        {"selectionLength", json::Number(edit.selectionLength)}});
}

} // namespace

extern "C" {

// Text the page hands over: a buffer of the given size in bytes, its end
// zeroed; the page writes UTF-8 into it and passes it to its next call.
EMSCRIPTEN_KEEPALIVE char *rw_text_buffer(std::int32_t bytes)
{
    static std::string buffer;
    buffer.assign(Size(bytes) + 1, '\0');
    return buffer.data();
}

EMSCRIPTEN_KEEPALIVE std::int32_t rw_first_repeat_ms()
{
    return NumberField::kFirstRepeatMs;
}

EMSCRIPTEN_KEEPALIVE std::int32_t rw_repeat_ms()
{
    return NumberField::kRepeatMs;
}

// A planner holding the initial plan; shown: the view shows it already.
// Result: the handle.
EMSCRIPTEN_KEEPALIVE const char *rw_planner_new(std::int32_t shown)
{
    auto &planners = Planners();
    planners.push_back(nullptr);
    const int handle = static_cast<int>(planners.size());
    return Reply(handle, [&] {
        planners.back() = std::make_unique<WebPlanner>(shown != 0);
        return json::Number(handle);
    });
}

EMSCRIPTEN_KEEPALIVE void rw_planner_delete(std::int32_t handle)
{
    if (std::unique_ptr<WebPlanner> *planner = FindPlanner(handle))
        planner->reset();
}

EMSCRIPTEN_KEEPALIVE const char *rw_form_create(std::int32_t handle)
{
    return Reply(handle, [&] {
        PlannerOf(handle).Core().FormCreate();
        return std::string();
    });
}

// The class box.
EMSCRIPTEN_KEEPALIVE const char *rw_class_type(
    std::int32_t handle, std::int32_t start, std::int32_t length, std::int32_t ch)
{
    return UserReply(handle, [&] {
        return EditJson(
            PlannerOf(handle).Core().CBCharwahl.TypeCharacter(Size(start), Size(length), static_cast<char32_t>(ch)));
    });
}

EMSCRIPTEN_KEEPALIVE const char *rw_class_backspace(std::int32_t handle, std::int32_t start, std::int32_t length)
{
    return UserReply(
        handle, [&] { return EditJson(PlannerOf(handle).Core().CBCharwahl.Backspace(Size(start), Size(length))); });
}

EMSCRIPTEN_KEEPALIVE const char *rw_class_edit_text(std::int32_t handle, const char *text)
{
    return UserReply(handle, [&] {
        PlannerOf(handle).Core().CBCharwahl.EditText(text);
        return std::string();
    });
}

EMSCRIPTEN_KEEPALIVE const char *rw_class_pick(std::int32_t handle, std::int32_t index)
{
    return UserReply(handle, [&] {
        PlannerOf(handle).Core().CBCharwahl.Pick(Size(index));
        return std::string();
    });
}

EMSCRIPTEN_KEEPALIVE const char *rw_class_select_adjacent(std::int32_t handle, std::int32_t direction)
{
    return UserReply(handle, [&] {
        PlannerOf(handle).Core().CBCharwahl.SelectAdjacent(direction);
        return std::string();
    });
}

// The number fields. Result {outcome, caret}: the caret is where the typed
// character leaves it (Inserted, Unchanged).
EMSCRIPTEN_KEEPALIVE const char *rw_type_character(std::int32_t handle, std::int32_t f, std::int32_t start,
    std::int32_t length, std::int32_t ch, std::int32_t decimalSeparator)
{
    return UserReply(handle, [&] {
        const NumberField::TypedKey typed = PlannerOf(handle).Field(f).TypeCharacter(
            Size(start), Size(length), static_cast<char32_t>(ch), static_cast<char32_t>(decimalSeparator));
        return json::Object({{"outcome", json::Quote(kOutcomes.at(static_cast<std::size_t>(typed.outcome)))},
            {"caret", json::Number(static_cast<std::int64_t>(typed.caret))}});
    });
}

// Result: the caret after the pasted text.
EMSCRIPTEN_KEEPALIVE const char *rw_paste(
    std::int32_t handle, std::int32_t f, std::int32_t start, std::int32_t length, const char *text)
{
    return UserReply(handle, [&] {
        return json::Number(
            static_cast<std::int64_t>(PlannerOf(handle).Field(f).Paste(Size(start), Size(length), text)));
    });
}

EMSCRIPTEN_KEEPALIVE const char *rw_edit_text(std::int32_t handle, std::int32_t f, const char *text)
{
    return UserReply(handle, [&] {
        PlannerOf(handle).Field(f).EditText(text);
        return std::string();
    });
}

// A press of a step button or an arrow key (direction +1 up, -1 down); held:
// a further step of a button held down, which joins its press's step in the
// plan's history.
EMSCRIPTEN_KEEPALIVE const char *rw_step(std::int32_t handle, std::int32_t f, std::int32_t direction, std::int32_t held)
{
    return UserReply(handle, [&] {
        NumberField &field = PlannerOf(handle).Field(f);
        direction > 0 ? field.StepUp(held != 0) : field.StepDown(held != 0);
        return std::string();
    });
}

EMSCRIPTEN_KEEPALIVE const char *rw_focus_lost(std::int32_t handle, std::int32_t f)
{
    return UserReply(handle, [&] {
        PlannerOf(handle).Field(f).FocusLost();
        return std::string();
    });
}

// The plan as a code for the page's address; empty when it has none.
EMSCRIPTEN_KEEPALIVE const char *rw_plan_code(std::int32_t handle)
{
    return Reply(
        handle, [&] { return json::Quote(rollwerk::EncodePlan(rollwerk::CurrentPlan(PlannerOf(handle).Core()))); });
}

// Enters the plan of exactly one code through the rules, outside the plan's
// history: {decoded, applied, message}; message is German, empty when the
// plan was taken over exactly.
EMSCRIPTEN_KEEPALIVE const char *rw_apply_plan_code(std::int32_t handle, const char *code)
{
    return Reply(handle, [&] { return EnterCode(PlannerOf(handle), code); });
}

// The plan tools of the desktop's context menu and the skill fields' tooltips.

// The tooltip and accessible description of skill fields 1 to 28, at indices 0 to 27.
EMSCRIPTEN_KEEPALIVE const char *rw_skill_tips(std::int32_t handle)
{
    return Reply(handle, [&] {
        const rollwerk::SkillArray<std::string> texts = rollwerk::SkillTipTexts(PlannerOf(handle).Core());
        std::vector<std::string> tips;
        for (int s = 1; s <= rollwerk::kSkillCount; ++s)
            tips.push_back(texts[s]);
        return json::Strings(tips);
    });
}

// "Plan kopieren": the plan as text, with its code.
EMSCRIPTEN_KEEPALIVE const char *rw_plan_summary(std::int32_t handle)
{
    return Reply(handle, [&] { return json::Quote(rollwerk::PlanSummary(PlannerOf(handle).Core())); });
}

// "Boni kopieren": the bonus lines.
EMSCRIPTEN_KEEPALIVE const char *rw_bonus_text(std::int32_t handle)
{
    return Reply(handle, [&] { return json::Quote(rollwerk::BonusText(PlannerOf(handle).Core())); });
}

// The first code in a text (a link as people pass it on) without entering
// it: {code, message}; code is the plan's own code, empty when none was
// found, and message then says why.
EMSCRIPTEN_KEEPALIVE const char *rw_find_plan_code(const char *text)
{
    return Reply(0, [&] {
        const rollwerk::PlanDecoding decoding = rollwerk::FindPlanCode(text);
        return json::Object(
            {{"code", json::Quote(decoding.plan ? rollwerk::EncodePlan(*decoding.plan) : std::string())},
                {"message", json::Quote(decoding.error)}});
    });
}

// "Mit Plan vergleichen": the plan shown against the first code in a text
// (the clipboard's): {found, message}; without a code, message says why.
EMSCRIPTEN_KEEPALIVE const char *rw_compare_plan(std::int32_t handle, const char *text)
{
    return Reply(handle, [&] {
        const rollwerk::PlanDecoding decoding = rollwerk::FindPlanCode(text);
        const std::string message
            = decoding.plan ? rollwerk::DescribeAgainstShown(PlannerOf(handle).Core(), *decoding.plan) : decoding.error;
        return json::Object({{"found", json::Bool(decoding.plan.has_value())}, {"message", json::Quote(message)}});
    });
}

// The plan's history: "Rückgängig" and "Wiederholen", and the page's commands
// that replace the plan, each one step with its own name. Made with the
// planner's first call here; lives as long as the planner.

// {undo, redo, canUndo, canRedo}: the menu items' texts and whether they can be chosen.
EMSCRIPTEN_KEEPALIVE const char *rw_history_items(std::int32_t handle)
{
    return Reply(handle, [&] {
        const rollwerk::PlanHistory &history = PlannerOf(handle).History();
        return json::Object({{"undo", json::Quote(history.UndoText())}, {"redo", json::Quote(history.RedoText())},
            {"canUndo", json::Bool(history.UndoCount() > 0)}, {"canRedo", json::Bool(history.RedoCount() > 0)}});
    });
}

// Undo (direction -1) or redo (+1): whether a step was taken.
EMSCRIPTEN_KEEPALIVE const char *rw_history_move(std::int32_t handle, std::int32_t direction)
{
    return Reply(handle, [&] {
        rollwerk::PlanHistory &history = PlannerOf(handle).History();
        return json::Bool(direction < 0 ? history.Undo() : history.Redo());
    });
}

// "Plan einfügen" as one step: {applied, message}.
EMSCRIPTEN_KEEPALIVE const char *rw_history_apply_plan_text(std::int32_t handle, const char *text)
{
    return Reply(handle, [&] {
        WebPlanner &planner = PlannerOf(handle);
        return PlanApplicationJson(planner.UserCall([&] {
            const rollwerk::PlanHistory::NamedAction action(planner.History(), rollwerk::kPastePlanStep);
            return rollwerk::ApplyPlanText(planner.Core(), text);
        }));
    });
}

// "Neuer Plan": the plan of a freshly opened page, one step.
EMSCRIPTEN_KEEPALIVE const char *rw_history_new_plan(std::int32_t handle)
{
    return Reply(handle, [&] {
        WebPlanner &planner = PlannerOf(handle);
        planner.UserCall([&] {
            const rollwerk::PlanHistory::NamedAction action(planner.History(), rollwerk::kNewPlanStep);
            rollwerk::LoadNewPlan(planner.Core());
        });
        return std::string();
    });
}

// A link opened while a plan is shown: its code entered into a new plan, as
// when the page opens with it. {decoded, applied, message}.
EMSCRIPTEN_KEEPALIVE const char *rw_history_open_plan_code(std::int32_t handle, const char *code)
{
    return Reply(handle, [&] { return EnterCode(PlannerOf(handle), code, rollwerk::kOpenLinkStep, true); });
}

// "Übernehmen" of the goals window: the answer's code entered into the plan shown.
EMSCRIPTEN_KEEPALIVE const char *rw_history_take_proposal(std::int32_t handle, const char *code)
{
    return Reply(handle, [&] { return EnterCode(PlannerOf(handle), code, rollwerk::kTakeProposalStep, false); });
}

// The goals window. A goal goes in as a list of numbers (see GoalOf).

// The rows' names ("Lebensenergie"), row 1 at index 0.
EMSCRIPTEN_KEEPALIVE const char *rw_goal_row_names()
{
    return Reply(0, [&] {
        std::vector<std::string> names;
        for (int row = 1; row <= rollwerk::kBonusRowCount; ++row)
            names.push_back(rollwerk::RowName(row));
        return json::Strings(names);
    });
}

// The answer for the planner's class and plan: {found, reachable[45], value,
// proposal, proposalTips, lastPoints, lastPointTips, comparison (texts),
// curves [{title, values, current, proposed}], code: the plan to enter, empty
// without an answer}.
EMSCRIPTEN_KEEPALIVE const char *rw_goal_answer(std::int32_t handle, const char *goalText)
{
    return Reply(handle, [&] {
        rollwerk::Planner &planner = PlannerOf(handle).Core();
        rollwerk::Goal goal = GoalOf(goalText);
        const rollwerk::PlanSide shown = rollwerk::ShownSide(planner);
        goal.classColumn = rollwerk::ClassColumn(planner.CBCharwahl.Text()).value_or(0);
        goal.current = shown.skills;
        const rollwerk::GoalAnswer answer = rollwerk::Optimise(goal);
        const rollwerk::GoalTexts texts = rollwerk::DescribeGoalAnswer(goal, answer, shown);
        std::vector<std::string> reachable;
        for (int row = 1; row <= rollwerk::kBonusRowCount; ++row)
            reachable.push_back(json::Bool(rollwerk::RowReachable(row, goal.classColumn, goal.level)));
        std::vector<std::string> curves;
        for (const rollwerk::RowCurve &curve :
            rollwerk::GoalCurves(goal, answer.found ? answer.skills : goal.current)) {
            std::vector<std::string> values;
            values.reserve(curve.values.size());
            for (const std::int64_t value : curve.values)
                values.push_back(json::Number(value));
            curves.push_back(
                json::Object({{"title", json::Quote(rollwerk::CurveTitle(curve))}, {"values", json::Array(values)},
                    {"current", json::Number(curve.current)}, {"proposed", json::Number(curve.proposed)}}));
        }
        const std::string code
            = answer.found ? rollwerk::EncodePlan(rollwerk::ProposedPlan(goal, answer.skills)) : std::string();
        return json::Object({{"found", json::Bool(answer.found)}, {"reachable", json::Array(reachable)},
            {"value", json::Quote(texts.value)}, {"proposal", json::Strings(texts.proposal)},
            {"proposalTips", json::Strings(texts.proposalTips)}, {"lastPoints", json::Strings(texts.lastPoints)},
            {"lastPointTips", json::Strings(texts.lastPointTips)}, {"comparison", json::Strings(texts.comparison)},
            {"curves", json::Array(curves)}, {"code", json::Quote(code)}});
    });
}

// The goal part of a link ("120,frei,3:5,17:2:100").
EMSCRIPTEN_KEEPALIVE const char *rw_goal_link(const char *goalText)
{
    return Reply(0, [&] { return json::Quote(rollwerk::EncodeGoalLink(GoalOf(goalText))); });
}

// A link's goal part read: {goal: {level, keepSpent, weights, minimums} or null, message}.
EMSCRIPTEN_KEEPALIVE const char *rw_read_goal_link(const char *text)
{
    return Reply(0, [&] {
        const rollwerk::GoalLinkDecoding decoding = rollwerk::DecodeGoalLink(text);
        return json::Object({{"goal", decoding.goal ? GoalJson(*decoding.goal) : std::string("null")},
            {"message", json::Quote(decoding.error)}});
    });
}

} // extern "C"
