#pragma once

// The designed layout of both windows as data, without Qt: every widget's
// name, kind, place, font and keyboard place, the skill grid, the window
// frames and the info text. The Qt windows and the web page are built from
// these tables; their tests check against them.

#include "Catalogue.h"
#include "Colours.h"
#include "Words.h"

#include <array>
#include <string_view>

namespace rollwerk::layout {

enum class Kind { Picture, Label, ClassBox, LevelField, BonusList };
enum class FontKind { None, Body, Bold, List, Title, Info };

inline constexpr int kNoTab = -1;

struct Place {
    int x;
    int y;
    int width;
    int height;
};

struct WidgetEntry {
    std::string_view name;
    Kind kind;
    Place place; // labels: the width of the designed text; the label fits its own text
    FontKind font;
    int tab;
    std::string_view text;
    // A label placed right after the text of this one, kFreeSlotsGap apart,
    // whatever the font makes of its width; empty: placed where place says.
    std::string_view follows;
};

inline constexpr std::string_view kMainName = "FMain";
inline constexpr std::string_view kMainTitle = kProgramTitle;
// The emblem, shown twice in the main window and used as the windows' icon.
inline constexpr std::string_view kEmblemResource = ":/emblem.jpg";
inline constexpr Place kMainFrame{199, 168, 963, 706};
// The widgets reach up to here; a smaller client area scrolls.
inline constexpr int kMainContentWidth = 950;
inline constexpr int kMainContentHeight = 645;

inline constexpr int kLabelHeight = 19;
inline constexpr int kRowHeight = 19;
inline constexpr int kClassListRows = 8;
// The free slots number stands this far right of its caption's right edge.
inline constexpr int kFreeSlotsGap = 6;

// clang-format off
inline constexpr std::array<WidgetEntry, 11> kMainWidgets = {{
    {"IHead1", Kind::Picture, {208, 0, 63, 87}, FontKind::None, kNoTab, "", ""},
    {"LHead", Kind::Label, {280, 16, 400, 42}, FontKind::Title, kNoTab, "Tolvar-Rollwerk", ""},
    {"Image1", Kind::Picture, {688, 0, 63, 87}, FontKind::None, kNoTab, "", ""},
    {"LBoni", Kind::Label, {555, 81, 128, 19}, FontKind::Bold, kNoTab, "resultierende Boni:", ""},
    {"CBCharwahl", Kind::ClassBox, {72, 96, 145, 27}, FontKind::Bold, 1, "", ""},
    {"LStufeHead", Kind::Label, {240, 104, 147, 19}, FontKind::Bold, kNoTab, "Stufe des Charakters:", ""},
    {"SpEStufeH", Kind::LevelField, {392, 96, 57, 29}, FontKind::Bold, 0, "", ""},
    {"LFertFrei", Kind::Label, {72, 136, 175, 19}, FontKind::Bold, kNoTab, "", ""},
    {"LFertGes", Kind::Label, {72, 160, 290, 19}, FontKind::Bold, kNoTab, kFreeSlotsCaption, ""},
    {"LFertGesAnzeige", Kind::Label, {368, 160, 8, 19}, FontKind::Bold, kNoTab, "", "LFertGes"},
    {"LBBoni", Kind::BonusList, {552, 104, 398, 540}, FontKind::List, 30, "", ""},
}};
// clang-format on

// The skill grid: four columns, seven rows; the field sits 24 px below its caption.
inline constexpr std::array<int, 4> kGridColumnX = {8, 152, 288, 424};
inline constexpr int kGridCaptionY = 208;
inline constexpr int kGridRowStep = 64;
inline constexpr int kGridFieldOffset = 24;
inline constexpr int kSkillFieldWidth = 121;
inline constexpr int kSkillFieldHeight = 29;
// The up and down buttons along the right edge of every spin field.
inline constexpr int kSpinButtonWidth = 15;

struct SkillEntry {
    int skill;
    int column;
    int row;
    int captionWidth; // designed width; the label fits its own text
    int tab;
};

// clang-format off
inline constexpr std::array<SkillEntry, kSkillCount> kSkillGrid = {{
    {1, 0, 0, 81, 2},   {2, 0, 1, 75, 3},   {3, 0, 2, 71, 4},   {4, 0, 3, 118, 5},
    {5, 0, 4, 87, 6},   {6, 0, 5, 60, 7},   {7, 1, 0, 86, 8},   {8, 1, 1, 88, 9},
    {9, 1, 2, 66, 10},  {10, 1, 3, 87, 11}, {11, 1, 4, 70, 12}, {12, 1, 5, 81, 13},
    {13, 2, 0, 59, 16}, {14, 2, 1, 57, 17}, {15, 2, 2, 72, 18}, {16, 2, 3, 47, 19},
    {17, 2, 4, 63, 20}, {18, 2, 5, 85, 21}, {19, 1, 6, 68, 22}, {20, 3, 6, 78, 15},
    {21, 3, 0, 65, 23}, {22, 3, 1, 69, 14}, {23, 3, 2, 73, 24}, {24, 3, 3, 43, 25},
    {25, 3, 4, 48, 26}, {26, 3, 5, 43, 27}, {27, 2, 6, 38, 28}, {28, 0, 6, 74, 29},
}};
// clang-format on

constexpr Place CaptionPlace(const SkillEntry &entry)
{
    return {kGridColumnX[static_cast<std::size_t>(entry.column)], kGridCaptionY + kGridRowStep * entry.row,
        entry.captionWidth, kLabelHeight};
}

constexpr Place FieldPlace(const SkillEntry &entry)
{
    const Place caption = CaptionPlace(entry);
    return {caption.x, caption.y + kGridFieldOffset, kSkillFieldWidth, kSkillFieldHeight};
}

inline constexpr std::string_view kInfoName = "FInfo";
inline constexpr std::string_view kInfoTitle = "Rollwerk Info";
inline constexpr Place kInfoFrame{907, 176, 266, 180};
inline constexpr Place kInfoTextPlace{8, 8, 241, 129};
inline constexpr int kInfoFontPixels = 11;

// The info text, line by line; lines 1 to 3 end with a blank.
// clang-format off
inline constexpr std::array<std::string_view, 9> kInfoLines = {
    "Das Programm \"Tolvar-Rollwerk\" ist zum ",
    "erstellen einer bestimmten Zusammenstellung an ",
    "Skills gedacht. Hiermit hat man die m\u00f6glichkeit ",
    "seinen Charakter direkt zu planen.",
    "",
    "Kleinere Fehler k\u00f6nnen beim wechseln des",
    "Charakters vorkommen.",
    "",
    "Rollwerk - ein Planer f\u00fcr Tolvar-Charaktere",
};
// clang-format on

inline constexpr int kBodyPixels = 16;
inline constexpr int kTitlePixels = 37;

// The font of each kind of widget: the designed family, the free font with
// its metrics that stands in for it wherever the designed one is missing
// (the page ships it), the generic family a browser falls back to, the size
// in pixels and the weight.
struct FontEntry {
    FontKind kind;
    std::string_view family;
    std::string_view substitute;
    std::string_view generic;
    int pixels;
    bool bold;
};

inline constexpr std::string_view kBodyFamily = "Times New Roman";
inline constexpr std::string_view kBodySubstitute = "Liberation Serif";
inline constexpr std::string_view kInfoFamily = "MS Sans Serif";
// No free font matches the info window's font; the narrow sans keeps all
// nine info lines inside their box, where a wider sans wraps them.
inline constexpr std::string_view kInfoSubstitute = "Liberation Sans Narrow";

// clang-format off
inline constexpr std::array<FontEntry, 5> kFonts = {{
    {FontKind::Body, kBodyFamily, kBodySubstitute, "serif", kBodyPixels, false},
    {FontKind::Bold, kBodyFamily, kBodySubstitute, "serif", kBodyPixels, true},
    {FontKind::List, kBodyFamily, kBodySubstitute, "serif", kBodyPixels, false},
    {FontKind::Title, kBodyFamily, kBodySubstitute, "serif", kTitlePixels, true},
    {FontKind::Info, kInfoFamily, kInfoSubstitute, "sans-serif", kInfoFontPixels, false},
}};
// clang-format on

// The font of a kind; FontKind::None (pictures) has the body font.
constexpr const FontEntry &FontEntryOf(FontKind kind)
{
    for (const FontEntry &entry : kFonts) {
        if (entry.kind == kind)
            return entry;
    }
    return kFonts[0];
}

// How a screen reader names a widget that has no caption of its own beside
// it: by a name of its own, or by a label of the window, announced without
// its colon. Every skill field is named by its caption in the grid.
struct AccessibleNameEntry {
    std::string_view widget;
    std::string_view label; // empty: the name below
    std::string_view name;
};

// clang-format off
inline constexpr std::array<AccessibleNameEntry, 3> kAccessibleNames = {{
    {"CBCharwahl", "", "Charakterklasse"},
    {"SpEStufeH", "LStufeHead", ""},
    {"LBBoni", "LBoni", ""},
}};
// clang-format on

// The label that names a widget, empty when none does.
constexpr std::string_view NamingLabel(std::string_view widget)
{
    for (const AccessibleNameEntry &entry : kAccessibleNames) {
        if (entry.widget == widget)
            return entry.label;
    }
    return {};
}

// The name a screen reader announces for a widget of kAccessibleNames, empty for any other.
constexpr std::string_view AccessibleName(std::string_view widget)
{
    for (const AccessibleNameEntry &entry : kAccessibleNames) {
        if (entry.widget != widget)
            continue;
        if (entry.label.empty())
            return entry.name;
        for (const WidgetEntry &label : kMainWidgets) {
            if (label.name == entry.label) {
                std::string_view text = label.text;
                if (text.ends_with(':'))
                    text.remove_suffix(1);
                return text;
            }
        }
    }
    return {};
}

// Shown when a planner call fails with something that carries no message of its own.
inline constexpr std::string_view kUnknownErrorText = "Unbekannter Fehler in der Planung.";

} // namespace rollwerk::layout
