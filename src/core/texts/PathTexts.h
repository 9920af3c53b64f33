#pragma once

// The levelling path as German rows, for the goals window of both front
// ends and the clipboard: a row for each level at which the plan changes,
// and one row for a run of levels that each add the same.

#include "LevelPath.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rollwerk {

struct PathRow {
    std::int32_t from = 1; // the run's first level
    std::int32_t to = 1;   // its last; equal to from for a single level
    std::string text;      // "Stufe 12: Schwertkunde +3 (9), Parade neu (1)"
    friend bool operator==(const PathRow &, const PathRow &) = default;
};

// The start ("Stufe 1: Beginn mit Waffenkunde 1, Konzentration 1"), then a
// row per change: "Stufe 12: Schwertkunde +3 (9), Parade neu (1)" for one
// level, "Stufe 30–49: je +4 Schwertkunde" for a run that adds the same at
// each level ("je +2 Schwertkunde, +2 Parade" for several skills). Nothing
// for a path that was not found.
std::vector<PathRow> DescribePath(const LevelPath &path);

// "Stufenweg kopieren": the rows, one line each.
std::string PathClipboardText(const std::vector<PathRow> &rows);

// The title of the objective's curve over the levels:
// "Zielwert über die Stufen 1–250: Stufe 120 hat 3456".
std::string PathCurveTitle(const LevelPath &path, std::int32_t marked);

} // namespace rollwerk
