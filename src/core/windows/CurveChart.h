#pragma once

// The goals window's curves as both front ends draw them: one chart per
// curve, stacked, each with its title, two axes, the line over the skill
// values 0 to the level, the current value's marker and the proposed one's.
// The front ends only draw these points.

#include "Goal.h"
#include "LevelPath.h"

#include <vector>

namespace rollwerk {

inline constexpr int kChartHeight = 84;
inline constexpr int kChartMargin = 6;
inline constexpr double kCurrentMarker = 5;    // radius, grey
inline constexpr double kProposedMarker = 3.5; // radius, red and drawn last, so both show where they meet

struct ChartPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const ChartPoint &, const ChartPoint &) = default;
};

struct CurveChart {
    ChartPoint title;  // where the title's baseline starts
    ChartPoint corner; // the axes meet here: one runs up to axisTop, one right to axisEnd
    ChartPoint axisTop;
    ChartPoint axisEnd;
    std::vector<ChartPoint> line; // at the skill values 0 to the level
    ChartPoint current;
    ChartPoint proposed;
};

// The chart of the index-th curve in a view of the given width, for titles
// of the given line height.
CurveChart ChartOf(const RowCurve &curve, int index, double width, double textHeight);

// The levelling path's chart, drawn as a curve is: the objective over the
// path's levels, from the start (left) to the goal's level (right). The
// marker "current" stands at the marked level (SpEWegStufe), "proposed" at
// the goal's level. One chart of kChartHeight.
CurveChart PathChartOf(const LevelPath &path, std::int32_t marked, double width, double textHeight);

} // namespace rollwerk
