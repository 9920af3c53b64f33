// The planner's field models as seen from JavaScript: a thin view binding.
// The page (or a test) forwards user actions to the models through the
// Planner object and is handed the new values the models show, once per
// user action, through the view object it passed in. No rule lives here:
// every call hands straight to the core.

#include "Catalogue.h"
#include "GoalTexts.h"
#include "PlanApply.h"
#include "PlanCode.h"
#include "PlanHistory.h"
#include "PlanSummary.h"
#include "Planner.h"
#include "Preview.h"
#include "WindowLayoutTable.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using emscripten::val;
using rollwerk::NumberField;
namespace layout = rollwerk::layout;

// Field 0 is the level field, 1 to 28 the skill fields, as in the core tests.
constexpr int kLevelField = 0;

val String(std::string_view text)
{
    // Embind hands std::string over as UTF-8.
    return val(std::string(text));
}

// As a browser reports a computed colour, so that the page and its tests compare plain strings.
std::string Css(rollwerk::Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", "
        + std::to_string(colour.blue) + ")";
}

// A field's properties as the page knows them: the name and the value, in the
// order of NumberField::Property.
struct PropertyEntry {
    const char *name;
    val (*value)(const NumberField &field);
};
constexpr std::array<PropertyEntry, 6> kProperties = {{
    {"text", [](const NumberField &field) { return String(field.Text()); }},
    {"minimum", [](const NumberField &field) { return val(field.Minimum()); }},
    {"maximum", [](const NumberField &field) { return val(field.Maximum()); }},
    {"enabled", [](const NumberField &field) { return val(field.Enabled()); }},
    {"colour", [](const NumberField &field) { return val(Css(field.Colour())); }},
    {"captionEnabled", [](const NumberField &field) { return val(field.CaptionEnabled()); }},
}};
static_assert(kProperties.size() == static_cast<std::size_t>(NumberField::Property::CaptionEnabled) + 1);

// What became of a typed key, in the order of NumberField::KeyOutcome.
constexpr std::array<const char *, 4> kOutcomes = {"Inserted", "Unchanged", "Refused", "NotTyped"};
static_assert(kOutcomes.size() == static_cast<std::size_t>(NumberField::KeyOutcome::NotTyped) + 1);

val TypedKeyObject(const NumberField::TypedKey &typed)
{
    val object = val::object();
    object.set("outcome", val(kOutcomes.at(static_cast<std::size_t>(typed.outcome))));
    object.set("caret", static_cast<double>(typed.caret));
    return object;
}

val EditObject(const rollwerk::ClassBox::Edit &edit)
{
    val object = val::object();
    object.set("text", String(edit.text));
    object.set("selectionStart", static_cast<double>(edit.selectionStart));
    object.set("selectionLength", static_cast<double>(edit.selectionLength));
    return object;
}

// Runs a call into the core. An error escaping a procedure leaves the core
// unwound and reaches JavaScript as an Error with the core's message, which
// the page shows before it goes on, as the desktop does in a message box.
template <typename Action> decltype(auto) Guarded(Action action)
{
    std::string error;
    try {
        return action();
    } catch (const std::exception &exception) {
        error = exception.what();
    } catch (...) {
        error = layout::kUnknownErrorText;
    }
    val::global("Error").new_(val(error)).throw_();
}

// One planner with its view. The binding pushes what the models show to the
// view object's methods, each optional:
//   fieldChanged(field, property, value, number)
//                            field 0 level, 1..28 skills; property one of
//                            text, minimum, maximum, enabled, colour,
//                            captionEnabled, with its new value (a string, a
//                            number, a bool, "rgb(r, g, b)"); number is the
//                            field's value read from its text
//   classTextShown(text)     the class box's text
//   labelShown(name, text)   "LFertFrei" or "LFertGesAnzeige"
//   bonusLinesShown(lines)   the bonus list's lines, an array of strings
// A new planner pushes everything once, unless the view shows the initial
// plan already (the page drawn at build time: new Planner(view, true)).
// Inside a user action the binding notes what changed and pushes each
// changed value once, as the action left it, when the action is complete (the
// planner's settled notification, or the end of UserCall); a change outside
// one is pushed at once.
// The view only reads what it is handed: it calls nothing in the module
// while it runs.
class WebPlanner {
public:
    explicit WebPlanner(const val &view) : WebPlanner(view, false) { }
    WebPlanner(const val &view, bool shown) : view_(view)
    {
        const bool bound = !view_.isUndefined() && !view_.isNull();
        const auto has = [&](const char *method) { return bound && !view_[method].isUndefined(); };
        hears_ = {has("fieldChanged"), has("classTextShown"), has("labelShown"), has("bonusLinesShown")};
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

    // Forwards one user action: one UserAction of the planner, inside
    // Guarded, so that an error at its end reaches the page too. What it
    // changed is pushed when it ends, also when no procedure ran (no settled
    // notification) or an error ended it.
    template <typename Action> decltype(auto) UserCall(Action action)
    {
        return Guarded([&]() -> decltype(auto) {
            const struct PushAtEnd {
                WebPlanner &planner;
                ~PushAtEnd() { planner.Push(); }
            } push{*this};
            const rollwerk::Planner::UserAction userAction(planner_);
            return action();
        });
    }

    void FormCreate()
    {
        Guarded([&] { planner_.FormCreate(); });
    }

    // The class box.
    val ClassType(double start, double length, double ch)
    {
        return EditObject(UserCall(
            [&] { return planner_.CBCharwahl.TypeCharacter(Size(start), Size(length), static_cast<char32_t>(ch)); }));
    }
    val ClassBackspace(double start, double length)
    {
        return EditObject(UserCall([&] { return planner_.CBCharwahl.Backspace(Size(start), Size(length)); }));
    }
    void ClassEditText(const std::string &text)
    {
        UserCall([&] { planner_.CBCharwahl.EditText(text); });
    }
    void ClassPick(double index)
    {
        UserCall([&] { planner_.CBCharwahl.Pick(Size(index)); });
    }
    void ClassSelectAdjacent(int direction)
    {
        UserCall([&] { planner_.CBCharwahl.SelectAdjacent(direction); });
    }

    // The number fields.
    // {outcome, caret}: the caret is where the typed character leaves it (Inserted, Unchanged).
    val TypeCharacter(int f, double start, double length, double ch, double decimalSeparator)
    {
        return TypedKeyObject(UserCall([&] {
            return Field(f).TypeCharacter(
                Size(start), Size(length), static_cast<char32_t>(ch), static_cast<char32_t>(decimalSeparator));
        }));
    }
    double Paste(int f, double start, double length, const std::string &text)
    {
        return static_cast<double>(UserCall([&] { return Field(f).Paste(Size(start), Size(length), text); }));
    }
    void EditText(int f, const std::string &text)
    {
        UserCall([&] { Field(f).EditText(text); });
    }
    void StepUp(int f)
    {
        UserCall([&] { Field(f).StepUp(); });
    }
    void StepDown(int f)
    {
        UserCall([&] { Field(f).StepDown(); });
    }
    void FocusLost(int f)
    {
        UserCall([&] { Field(f).FocusLost(); });
    }

    // The plan as a code for the page's address; empty when it has none.
    std::string PlanCode() const
    {
        return Guarded([&] { return rollwerk::EncodePlan(rollwerk::CurrentPlan(planner_)); });
    }

    // Enters the plan of exactly one code through the rules. Returns
    // {decoded, applied, message}: message is German, empty when the plan was
    // taken over exactly.
    val ApplyPlanCode(const std::string &code)
    {
        const rollwerk::PlanDecoding decoding = Guarded([&] { return rollwerk::DecodePlanCode(code); });
        val result = val::object();
        result.set("decoded", decoding.plan.has_value());
        if (!decoding.plan) {
            result.set("applied", false);
            result.set("message", String(decoding.error));
            return result;
        }
        const rollwerk::PlanApplication application
            = UserCall([&] { return rollwerk::ApplyPlan(planner_, *decoding.plan); });
        result.set("applied", application.applied);
        result.set("message", String(application.message));
        return result;
    }

    // The core planner, for the functions bound below.
    rollwerk::Planner &Core() { return planner_; }

private:
    static constexpr std::uint8_t kAllProperties = (1U << kProperties.size()) - 1;
    static std::uint8_t Bit(NumberField::Property property)
    {
        return static_cast<std::uint8_t>(1 << static_cast<int>(property));
    }
    static std::size_t Size(double number) { return number > 0 ? static_cast<std::size_t>(number) : std::size_t{0}; }

    NumberField &Field(int f)
    {
        if (f < kLevelField || f > rollwerk::kSkillCount)
            throw std::out_of_range("field " + std::to_string(f));
        return f == kLevelField ? planner_.SpEStufeH : planner_.SpEFert[f];
    }

    // A model changed: pushed at once outside a user action, else when it ends.
    void Changed()
    {
        if (!planner_.InUserAction())
            Push();
    }

    // Hands the view each value that changed since the last push, once.
    void Push()
    {
        for (int f = kLevelField; f <= rollwerk::kSkillCount; ++f) {
            const std::uint8_t changed = std::exchange(changedFields_[static_cast<std::size_t>(f)], 0);
            if (changed == 0 || !hears_.field)
                continue;
            const NumberField &field = Field(f);
            for (std::size_t p = 0; p < kProperties.size(); ++p) {
                if ((changed & (1U << p)) != 0)
                    view_.call<void>(
                        "fieldChanged", f, val(kProperties[p].name), kProperties[p].value(field), field.Value());
            }
        }
        if (std::exchange(classChanged_, false) && hears_.classText)
            view_.call<void>("classTextShown", String(planner_.CBCharwahl.Text()));
        if (std::exchange(freePointsChanged_, false) && hears_.label)
            view_.call<void>("labelShown", val("LFertFrei"), String(planner_.LFertFrei.Text()));
        if (std::exchange(freeSlotsChanged_, false) && hears_.label)
            view_.call<void>("labelShown", val("LFertGesAnzeige"), String(planner_.LFertGesAnzeige.Text()));
        if (std::exchange(bonusChanged_, false) && hears_.bonusLines) {
            val lines = val::array();
            for (const std::string &line : planner_.LBBoni.Lines())
                lines.call<void>("push", String(line));
            view_.call<void>("bonusLinesShown", lines);
        }
    }

    rollwerk::Planner planner_;
    val view_;
    struct Hears {
        bool field, classText, label, bonusLines;
    } hears_{};
    // What changed since the last push: a bit per property for each field.
    std::array<std::uint8_t, rollwerk::kSkillCount + 1> changedFields_{};
    bool classChanged_ = false;
    bool freePointsChanged_ = false;
    bool freeSlotsChanged_ = false;
    bool bonusChanged_ = false;
    std::vector<rollwerk::Connection> connections_;
};

} // namespace

EMSCRIPTEN_BINDINGS(rollwerk)
{
    emscripten::constant("firstRepeatMs", NumberField::kFirstRepeatMs);
    emscripten::constant("repeatMs", NumberField::kRepeatMs);
    emscripten::class_<WebPlanner>("Planner")
        .constructor<val>()
        .constructor<val, bool>()
        .function("formCreate", &WebPlanner::FormCreate)
        .function("classType", &WebPlanner::ClassType)
        .function("classBackspace", &WebPlanner::ClassBackspace)
        .function("classEditText", &WebPlanner::ClassEditText)
        .function("classPick", &WebPlanner::ClassPick)
        .function("classSelectAdjacent", &WebPlanner::ClassSelectAdjacent)
        .function("typeCharacter", &WebPlanner::TypeCharacter)
        .function("paste", &WebPlanner::Paste)
        .function("editText", &WebPlanner::EditText)
        .function("stepUp", &WebPlanner::StepUp)
        .function("stepDown", &WebPlanner::StepDown)
        .function("focusLost", &WebPlanner::FocusLost)
        .function("planCode", &WebPlanner::PlanCode)
        .function("applyPlanCode", &WebPlanner::ApplyPlanCode);
}

// The plan tools of the desktop's context menu and the skill fields'
// tooltips, for the page; each takes the page's planner.
namespace {

// The tooltip and accessible description of skill fields 1 to 28, at indices 0 to 27.
val SkillTips(WebPlanner &planner)
{
    const rollwerk::SkillArray<std::string> texts = Guarded([&] { return rollwerk::SkillTipTexts(planner.Core()); });
    val array = val::array();
    for (int s = 1; s <= rollwerk::kSkillCount; ++s)
        array.call<void>("push", String(texts[s]));
    return array;
}

// "Plan kopieren": the plan as text, with its code.
std::string PlanSummaryText(WebPlanner &planner)
{
    return Guarded([&] { return rollwerk::PlanSummary(planner.Core()); });
}

// "Boni kopieren": the bonus lines.
std::string BonusText(WebPlanner &planner)
{
    return Guarded([&] { return rollwerk::BonusText(planner.Core()); });
}

// "Plan einfügen": enters the first code found in a text, as the desktop does.
// Returns {applied, message}; without a code nothing changes and message says why.
val ApplyPlanText(WebPlanner &planner, const std::string &text)
{
    const rollwerk::PlanApplication application
        = planner.UserCall([&] { return rollwerk::ApplyPlanText(planner.Core(), text); });
    val result = val::object();
    result.set("applied", application.applied);
    result.set("message", String(application.message));
    return result;
}

// The first code in a text (a link as people pass it on) without entering it.
// Returns {code, message}: code is the plan's own code, empty when none was found,
// and message then says why.
val FindPlanCode(const std::string &text)
{
    const rollwerk::PlanDecoding decoding = Guarded([&] { return rollwerk::FindPlanCode(text); });
    val result = val::object();
    result.set("code", String(decoding.plan ? rollwerk::EncodePlan(*decoding.plan) : std::string()));
    result.set("message", String(decoding.error));
    return result;
}

} // namespace

EMSCRIPTEN_BINDINGS(rollwerk_plan_tools)
{
    emscripten::function("skillTips", &SkillTips);
    emscripten::function("planSummary", &PlanSummaryText);
    emscripten::function("bonusText", &BonusText);
    emscripten::function("applyPlanText", &ApplyPlanText);
    emscripten::function("findPlanCode", &FindPlanCode);
}

// The plan's history for the page: "Rückgängig" and "Wiederholen", and the
// page's commands that replace the plan, each one step with its own name.
// Made once the planner shows its first plan; lives as long as the planner.
namespace {

class WebHistory {
public:
    explicit WebHistory(WebPlanner &planner) : planner_(planner.Core()), history_(planner_) { }

    // {undo, redo, canUndo, canRedo}: the menu items' texts and whether they can be chosen.
    val Items() const
    {
        val items = val::object();
        items.set("undo", String(history_.UndoText()));
        items.set("redo", String(history_.RedoText()));
        items.set("canUndo", history_.UndoCount() > 0);
        items.set("canRedo", history_.RedoCount() > 0);
        return items;
    }

    bool Undo()
    {
        return Guarded([&] { return history_.Undo(); });
    }
    bool Redo()
    {
        return Guarded([&] { return history_.Redo(); });
    }

    // "Plan einfügen", as core.applyPlanText: {applied, message}.
    val ApplyPlanText(const std::string &text)
    {
        const rollwerk::PlanApplication application = Guarded([&] {
            const rollwerk::PlanHistory::NamedAction action(history_, rollwerk::kPastePlanStep);
            return rollwerk::ApplyPlanText(planner_, text);
        });
        val result = val::object();
        result.set("applied", application.applied);
        result.set("message", String(application.message));
        return result;
    }

    // "Neuer Plan": the plan of a freshly opened page.
    void NewPlan()
    {
        Guarded([&] {
            const rollwerk::PlanHistory::NamedAction action(history_, rollwerk::kNewPlanStep);
            rollwerk::LoadNewPlan(planner_);
        });
    }

    // A link opened while a plan is shown: its code entered into a new plan,
    // as when the page opens with it. {decoded, applied, message}, as applyPlanCode.
    val OpenPlanCode(const std::string &code)
    {
        return EnterCode(code, rollwerk::kOpenLinkStep, true);
    }

    // "Übernehmen" of the goals window: the answer's code entered into the plan shown.
    val TakeProposal(const std::string &code)
    {
        return EnterCode(code, rollwerk::kTakeProposalStep, false);
    }

private:
    // One step of the history with its name: a code entered, into a new plan when fresh.
    val EnterCode(const std::string &code, std::string_view step, bool fresh)
    {
        const rollwerk::PlanDecoding decoding = Guarded([&] { return rollwerk::DecodePlanCode(code); });
        rollwerk::PlanApplication application{false, {}, decoding.error};
        if (decoding.plan) {
            application = Guarded([&] {
                const rollwerk::PlanHistory::NamedAction action(history_, step);
                if (fresh)
                    rollwerk::LoadNewPlan(planner_);
                return rollwerk::ApplyPlan(planner_, *decoding.plan);
            });
        }
        val result = val::object();
        result.set("decoded", decoding.plan.has_value());
        result.set("applied", application.applied);
        result.set("message", String(application.message));
        return result;
    }

    rollwerk::Planner &planner_;
    rollwerk::PlanHistory history_;
};

// A further step of a step button held down (direction +1 up, -1 down): one
// step of the history with the press's first.
void StepHeld(WebPlanner &planner, int f, int direction)
{
    Guarded([&] {
        rollwerk::Planner &core = planner.Core();
        if (f < kLevelField || f > rollwerk::kSkillCount)
            throw std::out_of_range("field " + std::to_string(f));
        NumberField &field = f == kLevelField ? core.SpEStufeH : core.SpEFert[f];
        direction > 0 ? field.StepUp(true) : field.StepDown(true);
    });
}

} // namespace

EMSCRIPTEN_BINDINGS(rollwerk_history)
{
    emscripten::function("stepHeld", &StepHeld);
    emscripten::class_<WebHistory>("PlanHistory")
        .constructor<WebPlanner &>()
        .function("items", &WebHistory::Items)
        .function("undo", &WebHistory::Undo)
        .function("redo", &WebHistory::Redo)
        .function("applyPlanText", &WebHistory::ApplyPlanText)
        .function("newPlan", &WebHistory::NewPlan)
        .function("openPlanCode", &WebHistory::OpenPlanCode)
        .function("takeProposal", &WebHistory::TakeProposal);
}

// The goals window of the page: a goal goes in as plain values (the target
// level, whether the points spent stay, the weights and minimums of rows 1
// to 45 as arrays) and its answer comes back as the texts and curves the
// window shows.
namespace {

val Strings(const std::vector<std::string> &texts)
{
    val array = val::array();
    for (const std::string &text : texts)
        array.call<void>("push", String(text));
    return array;
}

val GoalObject(const rollwerk::Goal &goal)
{
    val object = val::object();
    object.set("level", goal.level);
    object.set("keepSpent", goal.keepSpent);
    object.set("weights", val::array(goal.weight.begin(), goal.weight.end()));
    object.set("minimums", val::array(goal.minimum.begin(), goal.minimum.end()));
    return object;
}

rollwerk::Goal GoalOf(std::int32_t level, bool keepSpent, const val &weights, const val &minimums)
{
    rollwerk::Goal goal;
    goal.level = level;
    goal.keepSpent = keepSpent;
    const std::vector<int> weight = emscripten::convertJSArrayToNumberVector<int>(weights);
    const std::vector<std::int32_t> minimum = emscripten::convertJSArrayToNumberVector<std::int32_t>(minimums);
    if (weight.size() != goal.weight.size() || minimum.size() != goal.minimum.size())
        throw std::invalid_argument("a goal has a weight and a minimum for each of its rows");
    std::copy(weight.begin(), weight.end(), goal.weight.begin());
    std::copy(minimum.begin(), minimum.end(), goal.minimum.begin());
    return goal;
}

// The rows' names ("Lebensenergie"), row 1 at index 0.
val GoalRowNames()
{
    val names = val::array();
    for (int row = 1; row <= rollwerk::kBonusRowCount; ++row)
        names.call<void>("push", String(rollwerk::RowName(row)));
    return names;
}

// The answer for the planner's class and plan: {found, reachable[45], value,
// proposal, proposalTips, lastPoints, lastPointTips, comparison (texts),
// curves [{title, values, current, proposed}], code: the plan to enter, empty without an answer}.
val GoalAnswer(WebPlanner &planner, std::int32_t level, bool keepSpent, const val &weights, const val &minimums)
{
    return Guarded([&] {
        rollwerk::Goal goal = GoalOf(level, keepSpent, weights, minimums);
        const rollwerk::PlanSide shown = rollwerk::ShownSide(planner.Core());
        goal.classColumn = rollwerk::ClassColumn(planner.Core().CBCharwahl.Text()).value_or(0);
        goal.current = shown.skills;
        const rollwerk::GoalAnswer answer = rollwerk::Optimise(goal);
        const rollwerk::GoalTexts texts = rollwerk::DescribeGoalAnswer(goal, answer, shown);
        val reachable = val::array();
        for (int row = 1; row <= rollwerk::kBonusRowCount; ++row)
            reachable.call<void>("push", rollwerk::RowReachable(row, goal.classColumn, goal.level));
        val curves = val::array();
        for (const rollwerk::RowCurve &curve :
            rollwerk::GoalCurves(goal, answer.found ? answer.skills : goal.current)) {
            val object = val::object();
            object.set("title", String(rollwerk::CurveTitle(curve)));
            val values = val::array();
            for (const std::int64_t value : curve.values)
                values.call<void>("push", static_cast<double>(value));
            object.set("values", values);
            object.set("current", curve.current);
            object.set("proposed", curve.proposed);
            curves.call<void>("push", object);
        }
        val result = val::object();
        result.set("found", answer.found);
        result.set("reachable", reachable);
        result.set("value", String(texts.value));
        result.set("proposal", Strings(texts.proposal));
        result.set("proposalTips", Strings(texts.proposalTips));
        result.set("lastPoints", Strings(texts.lastPoints));
        result.set("lastPointTips", Strings(texts.lastPointTips));
        result.set("comparison", Strings(texts.comparison));
        result.set("curves", curves);
        result.set("code",
            String(answer.found ? rollwerk::EncodePlan(rollwerk::ProposedPlan(goal, answer.skills)) : std::string()));
        return result;
    });
}

// The goal part of a link ("120,frei,3:5,17:2:100").
std::string GoalLink(std::int32_t level, bool keepSpent, const val &weights, const val &minimums)
{
    return Guarded([&] { return rollwerk::EncodeGoalLink(GoalOf(level, keepSpent, weights, minimums)); });
}

// A link's goal part read: {goal: {level, keepSpent, weights, minimums} or null, message}.
val ReadGoalLink(const std::string &text)
{
    const rollwerk::GoalLinkDecoding decoding = rollwerk::DecodeGoalLink(text);
    val result = val::object();
    result.set("goal", decoding.goal ? GoalObject(*decoding.goal) : val::null());
    result.set("message", String(decoding.error));
    return result;
}

} // namespace

EMSCRIPTEN_BINDINGS(rollwerk_goals)
{
    emscripten::function("goalRowNames", &GoalRowNames);
    emscripten::function("goalAnswer", &GoalAnswer);
    emscripten::function("goalLink", &GoalLink);
    emscripten::function("readGoalLink", &ReadGoalLink);
}
