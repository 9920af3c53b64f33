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
#include "ClipboardTexts.h"
#include "CurveChart.h"
#include "GoalLink.h"
#include "GoalTexts.h"
#include "Json.h"
#include "PlanApply.h"
#include "PlanCode.h"
#include "PlanDocument.h"
#include "PlanShelf.h"
#include "PlanShelfKeeping.h"
#include "PlanShelfPaste.h"
#include "PlanSummary.h"
#include "Planner.h"
#include "WindowLayoutTable.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using rollwerk::NumberField;
namespace json = rollwerk::json;
namespace layout = rollwerk::layout;

using rollwerk::kLevelField;

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

// A goal as the page hands it over (below).
rollwerk::Goal GoalOf(std::string_view text);

std::size_t Size(std::int32_t number)
{
    return number > 0 ? static_cast<std::size_t>(number) : std::size_t{0};
}

// One plan document and the values its records pushed since the page last
// read them.
//
// The page's view is handed what each record says changed, as calls:
//   ["fieldChanged", field, property, value, number]
//                            field 0 level, 1..28 skills; property one of
//                            text, minimum, maximum, enabled, colour,
//                            captionEnabled, with its new value (a string, a
//                            number, a bool, "rgb(r, g, b)"); number is the
//                            field's value read from its text
//   ["classTextShown", text] the class box's text
//   ["labelShown", name, text] "LFertFrei" or "LFertGesAnzeige"
//   ["bonusLinesShown", lines] the bonus list's lines
//   ["tipsShown", tips]      the skill fields' tooltips, skill 1 at index 0
//   ["historyShown", {undo, redo, canUndo, canRedo}] the history's menu items
//   ["codeShown", code]      the plan's code, empty when it has none
//   ["recorded"]             the end of the record of a user action
// A new planner pushes everything once, unless the view shows the initial
// plan already (the page drawn at build time): then only the history's items
// and the code; neither ends with "recorded". The pushes reach the view when the call that made them returns.
class WebPlanner {
public:
    explicit WebPlanner(bool shown)
    {
        connection_ = document_.recorded.Connect([this](const rollwerk::PlanRecord &record) {
            Push(record);
            Add(json::Array({json::Quote("recorded")}));
        });
        rollwerk::PlanRecord first = rollwerk::PlanDocument::Everything();
        if (shown) {
            first = {};
            first.history = first.code = true;
        }
        Push(first);
    }

    rollwerk::PlanDocument &Document() { return document_; }
    rollwerk::PlanShelf &Shelf() { return shelf_; }
    const rollwerk::Planner &Core() const { return document_.Models(); }

    // The answer for a goal (its numbers, see GoalOf) on the plan shown. The
    // last one is kept with the goal and the plan's code: asked again for
    // both unchanged (the path's level moved, the window resized), it is not
    // computed again. A plan without a code is answered every time.
    const rollwerk::GoalView &Answer(std::string_view goalText)
    {
        const std::string &code = document_.Code();
        std::string key = code.empty() ? std::string() : code + '&' + std::string(goalText);
        if (key.empty() || key != answerKey_) {
            answer_ = document_.AnswerGoal(GoalOf(goalText));
            answerKey_ = std::move(key);
        }
        return answer_;
    }

    // The pushes since the last call, as a JSON array's members, and forgets them.
    std::string TakePushes() { return std::exchange(pushes_, {}); }

private:
    void Add(const std::string &call)
    {
        if (!pushes_.empty())
            pushes_ += ',';
        pushes_ += call;
    }

    void Push(const rollwerk::PlanRecord &record)
    {
        const rollwerk::Planner &planner = document_.Models();
        for (int f = kLevelField; f <= rollwerk::kSkillCount; ++f) {
            const std::uint8_t changed = record.fields[static_cast<std::size_t>(f)];
            const NumberField &field = f == kLevelField ? planner.SpEStufeH : planner.SpEFert[f];
            for (std::size_t p = 0; p < kProperties.size(); ++p) {
                if ((changed & (1U << p)) != 0)
                    Add(json::Array({json::Quote("fieldChanged"), json::Number(f), json::Quote(kProperties[p].name),
                        kProperties[p].value(field), json::Number(field.Value())}));
            }
        }
        if (record.classText)
            Add(json::Array({json::Quote("classTextShown"), json::Quote(planner.CBCharwahl.Text())}));
        if (record.freePoints)
            Add(json::Array(
                {json::Quote("labelShown"), json::Quote("LFertFrei"), json::Quote(planner.LFertFrei.Text())}));
        if (record.freeSlots)
            Add(json::Array({json::Quote("labelShown"), json::Quote("LFertGesAnzeige"),
                json::Quote(planner.LFertGesAnzeige.Text())}));
        if (record.bonuses)
            Add(json::Array({json::Quote("bonusLinesShown"), json::Strings(planner.LBBoni.Lines())}));
        if (record.tips) {
            std::vector<std::string> tips;
            for (int s = 1; s <= rollwerk::kSkillCount; ++s)
                tips.push_back(document_.Tips()[s]);
            Add(json::Array({json::Quote("tipsShown"), json::Strings(tips)}));
        }
        if (record.history) {
            const rollwerk::HistoryItems &items = document_.Items();
            Add(json::Array({json::Quote("historyShown"),
                json::Object({{"undo", json::Quote(items.undo)}, {"redo", json::Quote(items.redo)},
                    {"canUndo", json::Bool(items.canUndo)}, {"canRedo", json::Bool(items.canRedo)}})}));
        }
        if (record.code)
            Add(json::Array({json::Quote("codeShown"), json::Quote(document_.Code())}));
    }

    rollwerk::PlanDocument document_;
    rollwerk::PlanShelf shelf_; // the saved plans, which the page keeps in the browser's storage
    std::string pushes_;
    rollwerk::Connection connection_;
    rollwerk::GoalView answer_;
    std::string answerKey_; // the plan's code and the goal of answer_; empty: none kept
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

// One command on a planner: its reply as JSON, made by reply from the
// document's CommandReply.
template <typename Reply> const char *CommandCall(int handle, const rollwerk::Command &command, Reply reply)
{
    return ::Reply(handle, [&] { return reply(PlannerOf(handle).Document().Run(command)); });
}

std::string None(const rollwerk::CommandReply &)
{
    return {};
}

// {decoded, applied, message} of a plan entered from a code.
std::string EntryJson(const rollwerk::CommandReply &reply)
{
    return json::Object({{"decoded", json::Bool(reply.decoded)}, {"applied", json::Bool(reply.applied)},
        {"message", json::Quote(reply.message)}});
}

// {applied, message} of a plan entered from a text or a saved plan.
std::string AppliedJson(const rollwerk::CommandReply &reply)
{
    return json::Object({{"applied", json::Bool(reply.applied)}, {"message", json::Quote(reply.message)}});
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

// The same numbers for the page: the one form a goal takes across the edge.
std::string GoalText(const rollwerk::Goal &goal)
{
    std::string text = std::to_string(goal.level) + (goal.keepSpent ? ",1" : ",0");
    for (const int weight : goal.weight)
        text += ',' + std::to_string(weight);
    for (const std::int32_t minimum : goal.minimum)
        text += ',' + std::to_string(minimum);
    return text;
}

// The wait a held step button's command asks for.
std::string WaitJson(const rollwerk::CommandReply &reply)
{
    return json::Number(reply.waitMs);
}

// Appends a coordinate of a chart, to a tenth of a pixel. Written from whole
// tenths: printf's formatting of floating point would be a large part of the
// module. Appended in place, since a chart has a few thousand of them.
void AppendFixed(std::string &out, double value)
{
    const long long tenths = std::llround(value * 10.0);
    const long long whole = std::llabs(tenths);
    if (tenths < 0)
        out += '-';
    std::array<char, 24> digits{};
    const char *end = std::to_chars(digits.data(), digits.data() + digits.size(), whole / 10).ptr;
    out.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
    out += '.';
    out += static_cast<char>('0' + whole % 10);
}

// [x, y], or [x, y, radius] for a marker.
std::string PointJson(const rollwerk::ChartPoint &point, double radius = 0)
{
    std::string out = "[";
    AppendFixed(out, point.x);
    out += ',';
    AppendFixed(out, point.y);
    if (radius > 0) {
        out += ',';
        AppendFixed(out, radius);
    }
    return out + ']';
}

// A chart as the page draws it: {title, titleAt, axes (an SVG path), points
// (an SVG polyline's), current, proposed (markers)}.
std::string ChartJson(const rollwerk::CurveChart &chart, const std::string &title)
{
    std::string points;
    points.reserve(chart.line.size() * 12);
    for (const rollwerk::ChartPoint &point : chart.line) {
        if (!points.empty())
            points += ' ';
        AppendFixed(points, point.x);
        points += ',';
        AppendFixed(points, point.y);
    }
    std::string axes = "M";
    AppendFixed(axes, chart.axisTop.x);
    axes += ' ';
    AppendFixed(axes, chart.axisTop.y);
    axes += 'V';
    AppendFixed(axes, chart.corner.y);
    axes += 'H';
    AppendFixed(axes, chart.axisEnd.x);
    return json::Object({{"title", json::Quote(title)}, {"titleAt", PointJson(chart.title)},
        {"axes", json::Quote(axes)}, {"points", json::Quote(points)},
        {"current", PointJson(chart.current, rollwerk::kCurrentMarker)},
        {"proposed", PointJson(chart.proposed, rollwerk::kProposedMarker)}});
}

// The levelling path of an answer for the page: its rows, each row's first
// and last level, its clipboard text, its levels (from, to), the level
// marked on its chart (asked, 0 for the goal's level, brought into the
// path), the chart, and the code of the plan "Plan dieser Stufe übernehmen"
// enters there; without a path, no levels, no chart and no code.
std::string PathJson(const rollwerk::GoalView &view, std::int32_t asked, double width, double textHeight)
{
    const std::vector<rollwerk::PathStep> &steps = view.path.steps;
    std::vector<std::string> rows;
    std::vector<std::string> levels;
    for (const rollwerk::PathRow &row : view.pathRows) {
        rows.push_back(row.text);
        levels.push_back(json::Array({json::Number(row.from), json::Number(row.to)}));
    }
    const std::int32_t from = steps.empty() ? 0 : steps.front().level;
    const std::int32_t to = steps.empty() ? 0 : steps.back().level;
    const std::int32_t marked = steps.empty() ? 0 : std::clamp(asked == 0 ? to : asked, from, to);
    const std::optional<rollwerk::Plan> plan = rollwerk::PathPlanAt(view, marked);
    return json::Object({{"rows", json::Strings(rows)}, {"rowLevels", json::Array(levels)},
        {"text", json::Quote(rollwerk::PathClipboardText(view.pathRows))}, {"from", json::Number(from)},
        {"to", json::Number(to)}, {"level", json::Number(marked)},
        {"chart",
            steps.empty() ? std::string("null")
                          : ChartJson(rollwerk::PathChartOf(view.path, marked, width, textHeight),
                              rollwerk::PathCurveTitle(view.path, marked))},
        {"chartHeight", json::Number(std::int64_t{rollwerk::kChartHeight})},
        {"code", json::Quote(plan ? rollwerk::EncodePlan(*plan) : std::string())}});
}

// A plan's code from the goals window entered as command(plan): {decoded, applied, message}.
template <typename Command> const char *EnterGoalPlan(std::int32_t handle, const char *code)
{
    return Reply(handle, [&] {
        const rollwerk::PlanDecoding decoding = rollwerk::DecodePlanCode(code);
        rollwerk::CommandReply reply{};
        reply.decoded = decoding.plan.has_value();
        reply.applied = false;
        reply.message = decoding.error;
        if (decoding.plan)
            reply = PlannerOf(handle).Document().Run(Command{*decoding.plan});
        return EntryJson(reply);
    });
}

// The outcome of saving a plan, in the order of PlanShelf::Outcome.
constexpr std::array<const char *, 4> kSavingOutcomes = {"Saved", "Replaced", "AskFirst", "Refused"};
static_assert(kSavingOutcomes.size() == static_cast<std::size_t>(rollwerk::PlanShelf::Outcome::Refused) + 1);

// The saved plans as the plans window shows and keeps them: {rows [{name,
// text}], canRestore, text: every plan as "Alle kopieren" writes them}.
std::string ShelfJson(const rollwerk::PlanShelf &shelf)
{
    const std::vector<std::string> texts = shelf.RowTexts();
    std::vector<std::string> rows;
    for (std::size_t index = 0; index < texts.size(); ++index)
        rows.push_back(
            json::Object({{"name", json::Quote(shelf.Plans()[index].name)}, {"text", json::Quote(texts[index])}}));
    return json::Object({{"rows", json::Array(rows)}, {"canRestore", json::Bool(shelf.CanRestore())},
        {"text", json::Quote(shelf.CopyText())}});
}

// The comparison: {columns, rows [{title, cells [{text, differs}]}]}, the plan shown first.
std::string ComparisonJson(const rollwerk::ComparisonTable &table)
{
    std::vector<std::string> rows;
    for (const rollwerk::ComparisonRow &row : table.rows) {
        std::vector<std::string> cells;
        for (const rollwerk::ComparisonCell &cell : row.cells)
            cells.push_back(json::Object({{"text", json::Quote(cell.Text())}, {"differs", json::Bool(cell.differs)}}));
        rows.push_back(json::Object({{"title", json::Quote(row.title)}, {"cells", json::Array(cells)}}));
    }
    return json::Object({{"columns", json::Strings(table.columns)}, {"rows", json::Array(rows)}});
}

std::string EditJson(const rollwerk::ClassBox::Edit &edit)
{
    return json::Object({{"text", json::Quote(edit.text)}, {"selectionStart", json::Number(edit.selectionStart)},
        {"selectionLength", json::Number(edit.selectionLength)}});
}

// The size of each text the page handed over and has not freed: a text is
// read whole, NUL characters included, as the desktop reads it.
std::unordered_map<const char *, std::size_t> &HandedSizes()
{
    static std::unordered_map<const char *, std::size_t> sizes;
    return sizes;
}

// A handed text, whole; a text the page did not hand over ends at its first NUL.
std::string_view Handed(const char *text)
{
    const auto size = HandedSizes().find(text);
    return size == HandedSizes().end() ? std::string_view(text) : std::string_view(text, size->second);
}

} // namespace

extern "C" {

// Text the page hands over: a buffer of the given size in bytes, its end
// zeroed, which the page writes UTF-8 into and passes to a call; each text
// has its own, so that a call may take several, and the page frees it once
// the call has returned.
EMSCRIPTEN_KEEPALIVE char *rw_text_new(std::int32_t bytes)
{
    char *text = new char[Size(bytes) + 1]();
    HandedSizes()[text] = Size(bytes);
    return text;
}

EMSCRIPTEN_KEEPALIVE void rw_text_delete(char *text)
{
    HandedSizes().erase(text);
    delete[] text;
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

// The class box.
EMSCRIPTEN_KEEPALIVE const char *rw_class_type(
    std::int32_t handle, std::int32_t start, std::int32_t length, std::int32_t ch)
{
    return CommandCall(handle, rollwerk::command::ClassType{Size(start), Size(length), static_cast<char32_t>(ch)},
        [](const rollwerk::CommandReply &reply) { return EditJson(reply.classEdit); });
}

EMSCRIPTEN_KEEPALIVE const char *rw_class_backspace(std::int32_t handle, std::int32_t start, std::int32_t length)
{
    return CommandCall(handle, rollwerk::command::ClassBackspace{Size(start), Size(length)},
        [](const rollwerk::CommandReply &reply) { return EditJson(reply.classEdit); });
}

EMSCRIPTEN_KEEPALIVE const char *rw_class_edit_text(std::int32_t handle, const char *text)
{
    return CommandCall(handle, rollwerk::command::ClassEdit{text}, None);
}

EMSCRIPTEN_KEEPALIVE const char *rw_class_pick(std::int32_t handle, std::int32_t index)
{
    return CommandCall(handle, rollwerk::command::ClassPick{Size(index)}, None);
}

EMSCRIPTEN_KEEPALIVE const char *rw_class_select_adjacent(std::int32_t handle, std::int32_t direction)
{
    return CommandCall(handle, rollwerk::command::ClassStep{direction}, None);
}

// The number fields. Result {outcome, caret}: the caret is where the typed
// character leaves it (Inserted, Unchanged).
EMSCRIPTEN_KEEPALIVE const char *rw_type_character(std::int32_t handle, std::int32_t f, std::int32_t start,
    std::int32_t length, std::int32_t ch, std::int32_t decimalSeparator)
{
    return CommandCall(handle,
        rollwerk::command::Type{
            f, Size(start), Size(length), static_cast<char32_t>(ch), static_cast<char32_t>(decimalSeparator)},
        [](const rollwerk::CommandReply &reply) {
            return json::Object({{"outcome", json::Quote(kOutcomes.at(static_cast<std::size_t>(reply.typed.outcome)))},
                {"caret", json::Number(static_cast<std::int64_t>(reply.typed.caret))}});
        });
}

// Result: the caret after the pasted text.
EMSCRIPTEN_KEEPALIVE const char *rw_paste(
    std::int32_t handle, std::int32_t f, std::int32_t start, std::int32_t length, const char *text)
{
    return CommandCall(handle, rollwerk::command::Paste{f, Size(start), Size(length), text},
        [](const rollwerk::CommandReply &reply) { return json::Number(static_cast<std::int64_t>(reply.caret)); });
}

EMSCRIPTEN_KEEPALIVE const char *rw_edit_text(std::int32_t handle, std::int32_t f, const char *text)
{
    return CommandCall(handle, rollwerk::command::Edit{f, text}, None);
}

// A step of an arrow key (direction +1 up, -1 down).
EMSCRIPTEN_KEEPALIVE const char *rw_step(std::int32_t handle, std::int32_t f, std::int32_t direction)
{
    return CommandCall(handle, rollwerk::command::Step{f, direction > 0 ? 1 : -1, false}, None);
}

// A step button held down, timed by the core: press and tick reply with the
// wait in ms before the next tick, 0 when the hold is over.
EMSCRIPTEN_KEEPALIVE const char *rw_hold_press(std::int32_t handle, std::int32_t f, std::int32_t direction)
{
    return CommandCall(handle, rollwerk::command::HoldPress{f, direction}, WaitJson);
}

EMSCRIPTEN_KEEPALIVE const char *rw_hold_tick(std::int32_t handle)
{
    return CommandCall(handle, rollwerk::command::HoldTick{}, WaitJson);
}

EMSCRIPTEN_KEEPALIVE const char *rw_hold_move(std::int32_t handle, std::int32_t over)
{
    return CommandCall(handle, rollwerk::command::HoldMove{over != 0}, None);
}

EMSCRIPTEN_KEEPALIVE const char *rw_hold_lift(std::int32_t handle, std::int32_t over)
{
    return CommandCall(handle, rollwerk::command::HoldLift{over != 0}, None);
}

EMSCRIPTEN_KEEPALIVE const char *rw_hold_release(std::int32_t handle)
{
    return CommandCall(handle, rollwerk::command::HoldRelease{}, None);
}

EMSCRIPTEN_KEEPALIVE const char *rw_focus_lost(std::int32_t handle, std::int32_t f)
{
    return CommandCall(handle, rollwerk::command::Leave{f}, None);
}

// The plan as a code for the page's address, as last pushed; empty when it has none.
EMSCRIPTEN_KEEPALIVE const char *rw_plan_code(std::int32_t handle)
{
    return Reply(handle, [&] { return json::Quote(PlannerOf(handle).Document().Code()); });
}

// Enters the plan of exactly one code through the rules as the plan the page
// opens with, before which nothing can be undone: {decoded, applied,
// message}; message is German, empty when the plan was taken over exactly.
EMSCRIPTEN_KEEPALIVE const char *rw_open_first(std::int32_t handle, const char *code)
{
    return CommandCall(handle, rollwerk::command::OpenFirst{code}, EntryJson);
}

// The plan tools of the desktop's context menu.

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

// "Mit Plan vergleichen": the plan shown against the first code in the
// clipboard's text: {found, message}; without a code, message says why, as
// "Plan einfügen" does.
EMSCRIPTEN_KEEPALIVE const char *rw_compare_plan(std::int32_t handle, const char *text)
{
    return Reply(handle, [&] {
        const rollwerk::PlanDecoding decoding = rollwerk::FindPastedPlanCode(rollwerk::ClipboardContent::Text, text);
        const std::string message
            = decoding.plan ? PlannerOf(handle).Document().CompareWithShown(*decoding.plan) : decoding.error;
        return json::Object({{"found", json::Bool(decoding.plan.has_value())}, {"message", json::Quote(message)}});
    });
}

// The plan's history: "Rückgängig" and "Wiederholen", and the page's commands
// that replace the plan, each one step with its own name.

// Undo (direction -1) or redo (+1): whether a step was taken.
EMSCRIPTEN_KEEPALIVE const char *rw_history_move(std::int32_t handle, std::int32_t direction)
{
    const rollwerk::Command command
        = direction < 0 ? rollwerk::Command(rollwerk::command::Undo{}) : rollwerk::Command(rollwerk::command::Redo{});
    return CommandCall(handle, command, [](const rollwerk::CommandReply &reply) { return json::Bool(reply.moved); });
}

// "Plan einfügen" as one step: {applied, message}.
EMSCRIPTEN_KEEPALIVE const char *rw_history_apply_plan_text(std::int32_t handle, const char *text)
{
    return CommandCall(handle, rollwerk::command::PastePlan{rollwerk::ClipboardContent::Text, text}, AppliedJson);
}

// "Neuer Plan": the plan of a freshly opened page, one step.
EMSCRIPTEN_KEEPALIVE const char *rw_history_new_plan(std::int32_t handle)
{
    return CommandCall(handle, rollwerk::command::NewPlan{}, None);
}

// A link opened while a plan is shown: its code entered into a new plan, as
// when the page opens with it. {decoded, applied, message}.
EMSCRIPTEN_KEEPALIVE const char *rw_history_open_plan_code(std::int32_t handle, const char *code)
{
    return CommandCall(handle, rollwerk::command::OpenLink{code}, EntryJson);
}

// "Übernehmen" of the goals window: the answer's code entered into the plan shown.
EMSCRIPTEN_KEEPALIVE const char *rw_history_take_proposal(std::int32_t handle, const char *code)
{
    return EnterGoalPlan<rollwerk::command::TakeProposal>(handle, code);
}

// "Plan dieser Stufe übernehmen": the code of the path's plan at a level
// (path.code of the answer) entered as one step named after its level.
EMSCRIPTEN_KEEPALIVE const char *rw_history_take_path_plan(std::int32_t handle, const char *code)
{
    return EnterGoalPlan<rollwerk::command::TakePathPlan>(handle, code);
}

// The plans window: the saved plans of a planner, which the page keeps in
// the browser's storage as the text that "Alle kopieren" writes.

// The plans as the window shows and the page keeps them (see ShelfJson).
EMSCRIPTEN_KEEPALIVE const char *rw_plans_state(std::int32_t handle)
{
    return Reply(handle, [&] { return ShelfJson(PlannerOf(handle).Shelf()); });
}

// Replaces the plans by those of a kept text (another tab's, or the
// storage's when the window first opens).
EMSCRIPTEN_KEEPALIVE const char *rw_plans_load(std::int32_t handle, const char *text)
{
    return Reply(handle, [&] {
        rollwerk::PlanShelf &shelf = PlannerOf(handle).Shelf();
        shelf = rollwerk::ShelfOfKeptText(std::move(shelf), text);
        return std::string();
    });
}

// "Speichern": the plan shown under a name; replace: the user agreed to
// replace a plan of that name. {outcome, name, message}.
EMSCRIPTEN_KEEPALIVE const char *rw_plans_save(std::int32_t handle, const char *name, std::int32_t replace)
{
    return Reply(handle, [&] {
        WebPlanner &planner = PlannerOf(handle);
        const rollwerk::PlanShelf::Saving saving = planner.Shelf().Save(name, planner.Document().Code(), replace != 0);
        return json::Object({{"outcome", json::Quote(kSavingOutcomes.at(static_cast<std::size_t>(saving.outcome)))},
            {"name", json::Quote(saving.name)}, {"message", json::Quote(saving.message)}});
    });
}

// "Öffnen": the saved plan of a name entered as one step. {applied, message}.
EMSCRIPTEN_KEEPALIVE const char *rw_plans_open(std::int32_t handle, const char *name)
{
    return Reply(handle, [&] {
        WebPlanner &planner = PlannerOf(handle);
        rollwerk::CommandReply reply{};
        reply.applied = false;
        reply.message = rollwerk::NoSuchPlanText(name);
        if (const rollwerk::SavedPlan *plan = planner.Shelf().Find(name))
            reply = planner.Document().Run(rollwerk::command::OpenSaved{plan->name, plan->code});
        return AppliedJson(reply);
    });
}

// "Löschen": {message}, empty once the plan is removed, which the window can bring back.
EMSCRIPTEN_KEEPALIVE const char *rw_plans_remove(std::int32_t handle, const char *name)
{
    return Reply(handle, [&] {
        const bool removed = PlannerOf(handle).Shelf().Remove(name);
        return json::Object({{"message", json::Quote(removed ? std::string() : rollwerk::NoSuchPlanText(name))}});
    });
}

// "Wiederherstellen": the name the plan removed last is back under, empty when none was.
EMSCRIPTEN_KEEPALIVE const char *rw_plans_restore(std::int32_t handle)
{
    return Reply(handle, [&] { return json::Quote(PlannerOf(handle).Shelf().Restore().value_or(std::string())); });
}

// The window closed: what was removed is gone.
EMSCRIPTEN_KEEPALIVE const char *rw_plans_forget_removed(std::int32_t handle)
{
    return Reply(handle, [&] {
        PlannerOf(handle).Shelf().ForgetRemoved();
        return std::string();
    });
}

// The plan shown beside every saved plan (see ComparisonJson).
EMSCRIPTEN_KEEPALIVE const char *rw_plans_compare(std::int32_t handle)
{
    return Reply(handle, [&] {
        WebPlanner &planner = PlannerOf(handle);
        return ComparisonJson(planner.Shelf().Compare(rollwerk::ShownPlanOf(planner.Document())));
    });
}

// "Alle einfügen": every plan of the clipboard's text added. {added: the names, message}.
EMSCRIPTEN_KEEPALIVE const char *rw_plans_paste(std::int32_t handle, const char *text)
{
    return Reply(handle, [&] {
        const rollwerk::PlanShelf::Pasting pasting
            = rollwerk::PasteClipboard(PlannerOf(handle).Shelf(), rollwerk::ClipboardContent::Text, text);
        return json::Object({{"added", json::Strings(pasting.added)}, {"message", json::Quote(pasting.message)}});
    });
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
// proposal, proposalTips, lastPoints, lastPointTips, comparison, limits
// (texts), curves [{title, titleAt, axes, points, current, proposed}],
// chartsHeight, code: the plan to enter, empty without an answer or when it
// is the plan shown, path (see PathJson; pathLevel the level to mark, 0 for
// the goal's)}.
EMSCRIPTEN_KEEPALIVE const char *rw_goal_answer(
    std::int32_t handle, const char *goalText, std::int32_t width, std::int32_t textHeight, std::int32_t pathLevel)
{
    return Reply(handle, [&] {
        const rollwerk::GoalView &view = PlannerOf(handle).Answer(goalText);
        std::vector<std::string> reachable;
        for (const bool row : view.reachable)
            reachable.push_back(json::Bool(row));
        std::vector<std::string> curves;
        for (std::size_t index = 0; index < view.curves.size(); ++index) {
            const rollwerk::RowCurve &curve = view.curves[index];
            curves.push_back(ChartJson(
                rollwerk::ChartOf(curve, static_cast<int>(index), width, textHeight), rollwerk::CurveTitle(curve)));
        }
        const rollwerk::GoalTexts &texts = view.texts;
        return json::Object({{"found", json::Bool(view.answer.found)}, {"reachable", json::Array(reachable)},
            {"value", json::Quote(texts.value)}, {"proposal", json::Strings(texts.proposal)},
            {"proposalTips", json::Strings(texts.proposalTips)}, {"lastPoints", json::Strings(texts.lastPoints)},
            {"lastPointTips", json::Strings(texts.lastPointTips)}, {"comparison", json::Strings(texts.comparison)},
            {"limits", json::Strings(texts.limits)}, {"curves", json::Array(curves)},
            {"chartsHeight",
                json::Number(std::int64_t{rollwerk::kChartHeight}
                    * std::max<std::int64_t>(1, static_cast<std::int64_t>(curves.size())))},
            {"code", json::Quote(view.proposal ? rollwerk::EncodePlan(*view.proposal) : std::string())},
            {"path", PathJson(view, pathLevel, width, textHeight)}});
    });
}

// The goal part of a link ("120,frei,3:5,17:2:100").
EMSCRIPTEN_KEEPALIVE const char *rw_goal_link(const char *goalText)
{
    return Reply(0, [&] { return json::Quote(rollwerk::EncodeGoalLink(GoalOf(goalText))); });
}

// A link's goal part read: {goal: the goal's numbers (see GoalOf) or null, message}.
EMSCRIPTEN_KEEPALIVE const char *rw_read_goal_link(const char *text)
{
    return Reply(0, [&] {
        const rollwerk::GoalLinkDecoding decoding = rollwerk::DecodeGoalLink(Handed(text));
        return json::Object({{"goal", decoding.goal ? json::Quote(GoalText(*decoding.goal)) : std::string("null")},
            {"message", json::Quote(decoding.error)}});
    });
}

} // extern "C"
