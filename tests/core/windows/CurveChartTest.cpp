// The curves' charts both front ends draw: for random curves, the line spans
// the axis from the corner to its end, its highest value touches the top,
// every point stays inside the chart's own band, and the markers sit on the
// line at the current and proposed values.

#include "CurveChart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace rollwerk {
namespace {

TEST(CurveChart, LineAndMarkersStayOnTheirAxes)
{
    std::mt19937 random(20261209U);
    for (int round = 0; round < 200; ++round) {
        RowCurve curve;
        const int level = 1 + static_cast<int>(random() % 250);
        for (int v = 0; v <= level; ++v)
            curve.values.push_back(static_cast<std::int64_t>(random() % 300));
        curve.current = static_cast<std::int32_t>(random() % (level + 1));
        curve.proposed = static_cast<std::int32_t>(random() % (level + 1));
        const int index = static_cast<int>(random() % 5);
        const double width = 240.0 + static_cast<double>(random() % 400);
        const CurveChart chart = ChartOf(curve, index, width, 16);

        ASSERT_EQ(chart.line.size(), curve.values.size());
        EXPECT_DOUBLE_EQ(chart.line.front().x, chart.corner.x);
        EXPECT_DOUBLE_EQ(chart.line.back().x, chart.axisEnd.x);
        EXPECT_LT(chart.axisEnd.x, width);
        const double bandTop = index * kChartHeight;
        EXPECT_GT(chart.axisTop.y, bandTop + 16) << "the plot starts below the title";
        EXPECT_LE(chart.corner.y + kCurrentMarker, bandTop + kChartHeight);
        const std::int64_t highest = *std::max_element(curve.values.begin(), curve.values.end());
        for (std::size_t v = 0; v < curve.values.size(); ++v) {
            ASSERT_GE(chart.line[v].y, chart.axisTop.y - 1e-9);
            ASSERT_LE(chart.line[v].y, chart.corner.y + 1e-9);
            if (curve.values[v] == highest && highest > 0) {
                ASSERT_DOUBLE_EQ(chart.line[v].y, chart.axisTop.y);
            }
        }
        EXPECT_EQ(chart.current, chart.line[static_cast<std::size_t>(curve.current)]);
        EXPECT_EQ(chart.proposed, chart.line[static_cast<std::size_t>(curve.proposed)]);
    }
}

// The path's chart: one point per level of the path, the marked level's
// marker on its point, the goal's level at the right end of the axis.
TEST(CurveChart, PathChartMarksTheLevelOnTheObjectiveOverTheLevels)
{
    LevelPath path;
    path.found = true;
    for (std::int32_t level = 10; level <= 40; ++level)
        path.steps.push_back({level, {}, level * 7 % 50});
    const CurveChart chart = PathChartOf(path, 25, 400, 16);
    ASSERT_EQ(chart.line.size(), path.steps.size());
    EXPECT_EQ(chart.current, chart.line.at(25 - 10));
    EXPECT_EQ(chart.proposed, chart.line.back());
    EXPECT_DOUBLE_EQ(chart.proposed.x, chart.axisEnd.x);
    EXPECT_EQ(PathChartOf(path, 3, 400, 16).current, chart.line.front()) << "below the start: the start";
}

} // namespace
} // namespace rollwerk
