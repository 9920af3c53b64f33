#include "CurveChart.h"

#include <algorithm>

namespace rollwerk {

namespace {

// A line over the positions 0 to values.size() - 1, two of them marked.
CurveChart LineChart(const std::vector<std::int64_t> &values, std::int32_t current, std::int32_t proposed, int index,
    double width, double textHeight)
{
    const double top = static_cast<double>(index) * kChartHeight;
    // Inset by a marker's radius, so that a marker at either end shows whole.
    const double left = kChartMargin + kCurrentMarker;
    const double plotTop = top + textHeight + 4 + kCurrentMarker;
    const double plotWidth = width - 2 * (kChartMargin + kCurrentMarker);
    const double plotHeight = kChartHeight - textHeight - 10 - 2 * kCurrentMarker;
    const double bottom = plotTop + plotHeight;
    const std::int32_t level = std::max<std::int32_t>(1, static_cast<std::int32_t>(values.size()) - 1);
    const std::int64_t highest
        = values.empty() ? 1 : std::max<std::int64_t>(1, *std::max_element(values.begin(), values.end()));
    const auto at = [&](std::int32_t v) {
        const auto clamped = static_cast<std::size_t>(std::clamp(v, 0, level));
        const std::int64_t value = clamped < values.size() ? values[clamped] : 0;
        return ChartPoint{left + plotWidth * v / level,
            bottom - plotHeight * static_cast<double>(value) / static_cast<double>(highest)};
    };
    CurveChart chart;
    chart.title = {static_cast<double>(kChartMargin), top + textHeight - 3};
    chart.corner = {left, bottom};
    chart.axisTop = {left, plotTop};
    chart.axisEnd = {left + plotWidth, bottom};
    chart.line.reserve(values.size());
    for (std::int32_t v = 0; v < static_cast<std::int32_t>(values.size()); ++v)
        chart.line.push_back(at(v));
    chart.current = at(std::clamp(current, 0, level));
    chart.proposed = at(proposed);
    return chart;
}

} // namespace

CurveChart ChartOf(const RowCurve &curve, int index, double width, double textHeight)
{
    return LineChart(curve.values, curve.current, curve.proposed, index, width, textHeight);
}

CurveChart PathChartOf(const LevelPath &path, std::int32_t marked, double width, double textHeight)
{
    std::vector<std::int64_t> objectives;
    objectives.reserve(path.steps.size());
    for (const PathStep &step : path.steps)
        objectives.push_back(step.objective);
    const std::int32_t first = path.steps.empty() ? kMinLevel : path.steps.front().level;
    const auto last = static_cast<std::int32_t>(objectives.size()) - 1;
    return LineChart(
        objectives, std::clamp(marked - first, 0, std::max(0, last)), std::max(0, last), 0, width, textHeight);
}

} // namespace rollwerk
