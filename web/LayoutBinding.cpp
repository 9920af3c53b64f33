// The layout table of both windows, with the plan menu's items and the goals
// window's texts, as one JavaScript object, for the page generator
// (generate-page.mjs) at build time only. Built into the generator's own node
// module: the page's module does not carry it, since the page's widgets,
// places, fonts and texts are written into the site already.

#include "AccessKey.h"
#include "Catalogue.h"
#include "Goal.h"
#include "GoalWindowTable.h"
#include "KeyTable.h"
#include "PlanMenuTable.h"
#include "PlanStorageTexts.h"
#include "PlansWindowTable.h"
#include "WindowLayoutTable.h"
#include "WindowTexts.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace {

using emscripten::val;
namespace layout = rollwerk::layout;

// In the order of the enums' values.
constexpr std::array<std::string_view, 5> kKindNames = {"Picture", "Label", "ClassBox", "LevelField", "BonusList"};
constexpr std::array<std::string_view, 6> kFontNames = {"None", "Body", "Bold", "List", "Title", "Info"};

template <typename Enum, std::size_t Size> val NameOf(const std::array<std::string_view, Size> &names, Enum value)
{
    return val(std::string(names.at(static_cast<std::size_t>(value))));
}

// Embind hands std::string over as UTF-8.
val Text(std::string_view text)
{
    return val(std::string(text));
}

val PlaceObject(layout::Place place)
{
    val object = val::object();
    object.set("x", place.x);
    object.set("y", place.y);
    object.set("width", place.width);
    object.set("height", place.height);
    return object;
}

val ColourObject(rollwerk::Rgb colour)
{
    val object = val::object();
    object.set("red", colour.red);
    object.set("green", colour.green);
    object.set("blue", colour.blue);
    return object;
}

template <typename Range, typename Convert> val ArrayOf(const Range &range, Convert convert)
{
    val array = val::array();
    for (const auto &item : range)
        array.call<void>("push", convert(item));
    return array;
}

val WidgetObject(const layout::WidgetEntry &entry)
{
    val widget = val::object();
    widget.set("name", Text(entry.name));
    widget.set("kind", NameOf(kKindNames, entry.kind));
    widget.set("place", PlaceObject(entry.place));
    widget.set("font", NameOf(kFontNames, entry.font));
    widget.set("tab", entry.tab);
    widget.set("text", Text(entry.text));
    widget.set("follows", Text(entry.follows));
    widget.set("label", Text(layout::NamingLabel(entry.name)));
    widget.set("accessibleName", Text(layout::AccessibleName(entry.name)));
    return widget;
}

val SkillObject(const layout::SkillEntry &entry)
{
    val skill = val::object();
    skill.set("skill", entry.skill);
    skill.set("caption", Text(rollwerk::SkillCaption(entry.skill)));
    skill.set("captionPlace", PlaceObject(layout::CaptionPlace(entry)));
    skill.set("fieldPlace", PlaceObject(layout::FieldPlace(entry)));
    skill.set("tab", entry.tab);
    return skill;
}

val FontObject(const layout::FontEntry &entry)
{
    val font = val::object();
    font.set("kind", NameOf(kFontNames, entry.kind));
    font.set("family", Text(entry.family));
    font.set("substitute", Text(entry.substitute));
    font.set("generic", Text(entry.generic));
    font.set("pixels", entry.pixels);
    font.set("bold", entry.bold);
    return font;
}

// The page's name of each command, in the order of PlanCommand's values: an
// item of the page's menus runs the page's command of that name (chrome.js).
constexpr std::array<std::string_view, 7> kCommandNames
    = {"copyPlan", "pastePlan", "copyBonuses", "optimise", "comparePlan", "newPlan", "showPlans"};
static_assert(kCommandNames.size() == static_cast<std::size_t>(rollwerk::PlanCommand::OpenPlans) + 1);

val MenuItemObject(std::string_view text, std::string_view name, std::string_view command)
{
    val item = val::object();
    item.set("text", Text(text));
    item.set("name", Text(name));
    item.set("command", Text(command));
    return item;
}

// The page marks no access keys.
val PlanMenuItemObject(const rollwerk::PlanMenuItem &entry)
{
    return MenuItemObject(
        rollwerk::WithoutAccessKey(entry.text), entry.name, kCommandNames.at(static_cast<std::size_t>(entry.command)));
}

val PlanMenu()
{
    val menu = val::object();
    menu.set("items", ArrayOf(rollwerk::kPlanMenuItems, PlanMenuItemObject));
    val history = val::array();
    history.call<void>("push", MenuItemObject(rollwerk::kUndoItem.text, rollwerk::kUndoItem.name, "undo"));
    history.call<void>("push", MenuItemObject(rollwerk::kRedoItem.text, rollwerk::kRedoItem.name, "redo"));
    menu.set("history", history);
    return menu;
}

// The goals window's field limits, the desktop window's.
val GoalLimits()
{
    val limits = val::object();
    limits.set("levelMin", rollwerk::kMinLevel);
    limits.set("levelMax", rollwerk::kMaxLevel);
    limits.set("weightMax", rollwerk::kMaxGoalWeight);
    limits.set("minimumMax", rollwerk::kMaxGoalMinimum);
    return limits;
}

// A tool window's texts: {captions, accessibleNames}, per widget its caption
// as the page shows it and its accessible name.
val WindowTextsObject(std::span<const rollwerk::WindowText> table)
{
    val captions = val::object();
    val names = val::object();
    for (const rollwerk::WindowText &entry : table) {
        const std::string widget(entry.widget);
        captions.set(widget, Text(rollwerk::WithoutAccessKey(entry.caption)));
        names.set(widget, Text(rollwerk::AccessibleNameIn(table, entry.widget)));
    }
    val texts = val::object();
    texts.set("captions", captions);
    texts.set("accessibleNames", names);
    return texts;
}

// The goals window's texts (see WindowTextsObject), and its fields' limits.
val GoalWindow()
{
    val goals = WindowTextsObject(rollwerk::kGoalWindowTexts);
    goals.set("columnHeads", ArrayOf(rollwerk::kGoalColumnHeads, Text));
    goals.set("weightNamePrefix", Text(rollwerk::kGoalWeightNamePrefix));
    goals.set("minimumNamePrefix", Text(rollwerk::kGoalMinimumNamePrefix));
    goals.set("noCurvesDescription", Text(rollwerk::kNoCurvesDescription));
    goals.set("noCurvesText", Text(rollwerk::kNoCurvesText));
    goals.set("copyPathItem", Text(rollwerk::WithoutAccessKey(rollwerk::kCopyPathText)));
    goals.set("copyPathFailed", Text(rollwerk::kCopyPathFailed));
    goals.set("limits", GoalLimits());
    return goals;
}

// The plans window's texts (see WindowTextsObject), and the texts the page
// alone shows (where it keeps the plans, and the clipboard's fallbacks),
// which plans.js reads from the window's data.
val PlansWindow()
{
    val plans = WindowTextsObject(rollwerk::kPlansWindowTexts);
    // The desktop closes the window by its frame; the page's window has the goals window's button.
    plans["captions"].set("BPlaeneSchliessen", Text(rollwerk::WithoutAccessKey(rollwerk::GoalCaption("BSchliessen"))));
    struct PageText {
        const char *name;
        std::string_view text;
    };
    constexpr std::array<PageText, 6> kPageTexts = {{
        {"kept", rollwerk::kPlansKeptOnDevice},
        {"keptUntilClosed", rollwerk::kPlansKeptUntilClosed},
        {"notKept", rollwerk::kPlansNotKept},
        {"copyByHand", rollwerk::kPlansCopyByHand},
        {"pasteByHand", rollwerk::kPlansPasteByHand},
        {"differs", rollwerk::kDiffersFromShown},
    }};
    val texts = val::object();
    for (const PageText &entry : kPageTexts)
        texts.set(entry.name, Text(entry.text));
    plans.set("texts", texts);
    return plans;
}

// The key tables, under the names of their actions.
constexpr std::array<std::string_view, 4> kFieldActionNames = {"stepUp", "stepDown", "swallow", "typeReturn"};
constexpr std::array<std::string_view, 10> kClassActionNames = {"selectPrevious", "selectNext", "highlightPrevious",
    "highlightNext", "openList", "toggleList", "closeList", "pickHighlighted", "backspace", "swallow"};
constexpr std::array<std::string_view, 3> kWhenNames = {"always", "listOpen", "listClosed"};
constexpr std::array<std::string_view, 3> kAltNames = {"any", "held", "notHeld"};

val FieldKeyObject(const rollwerk::keys::FieldKey &entry)
{
    val key = val::object();
    key.set("key", Text(entry.key));
    key.set("action", NameOf(kFieldActionNames, entry.action));
    return key;
}

val ClassKeyObject(const rollwerk::keys::ClassKey &entry)
{
    val key = val::object();
    key.set("key", Text(entry.key));
    key.set("when", NameOf(kWhenNames, entry.when));
    key.set("alt", NameOf(kAltNames, entry.alt));
    key.set("plainOnly", entry.plainOnly);
    key.set("action", NameOf(kClassActionNames, entry.action));
    return key;
}

val Layout()
{
    val main = val::object();
    main.set("name", Text(layout::kMainName));
    main.set("title", Text(layout::kMainTitle));
    main.set("frame", PlaceObject(layout::kMainFrame));
    main.set("contentWidth", layout::kMainContentWidth);
    main.set("contentHeight", layout::kMainContentHeight);
    main.set("widgets", ArrayOf(layout::kMainWidgets, WidgetObject));
    main.set("skills", ArrayOf(layout::kSkillGrid, SkillObject));

    val info = val::object();
    info.set("name", Text(layout::kInfoName));
    info.set("title", Text(layout::kInfoTitle));
    info.set("frame", PlaceObject(layout::kInfoFrame));
    info.set("textPlace", PlaceObject(layout::kInfoTextPlace));
    info.set("lines", ArrayOf(layout::kInfoLines, Text));

    val colours = val::object();
    colours.set("skyBlue", ColourObject(rollwerk::kSkyBlue));
    colours.set("paper", ColourObject(rollwerk::kPaperColour));
    colours.set("available", ColourObject(rollwerk::kAvailableColour));
    colours.set("locked", ColourObject(rollwerk::kLockedColour));
    colours.set("difference", ColourObject(rollwerk::kDifferenceColour));

    val table = val::object();
    table.set("main", main);
    table.set("info", info);
    table.set("fonts", ArrayOf(layout::kFonts, FontObject));
    table.set("colours", colours);
    table.set("labelHeight", layout::kLabelHeight);
    table.set("rowHeight", layout::kRowHeight);
    table.set("classListRows", layout::kClassListRows);
    table.set("freeSlotsGap", layout::kFreeSlotsGap);
    table.set("spinButtonWidth", layout::kSpinButtonWidth);
    table.set("unknownError", Text(layout::kUnknownErrorText));
    table.set("planMenu", PlanMenu());
    table.set("goals", GoalWindow());
    table.set("plans", PlansWindow());
    table.set("fieldKeys", ArrayOf(rollwerk::keys::kFieldKeys, FieldKeyObject));
    table.set("classKeys", ArrayOf(rollwerk::keys::kClassKeys, ClassKeyObject));
    return table;
}

// The class box's items, in the catalogue's order.
val ClassNames()
{
    return ArrayOf(rollwerk::kClassNames, Text);
}

} // namespace

EMSCRIPTEN_BINDINGS(rollwerk_layout)
{
    emscripten::function("layout", &Layout);
    emscripten::function("classNames", &ClassNames);
}
