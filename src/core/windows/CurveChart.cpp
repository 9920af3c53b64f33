#include "CurveChart.h"

#include <algorithm>

namespace rollwerk {

CurveChart ChartOf(const RowCurve &curve, int index, double width, double textHeight)
{
    const double top = static_cast<double>(index) * kChartHeight;
    // Inset by a marker's radius, so that a marker at either end shows whole.
    const double left = kChartMargin + kCurrentMarker;
    const double plotTop = top + textHeight + 4 + kCurrentMarker;
    const double plotWidth = width - 2 * (kChartMargin + kCurrentMarker);
    const double plotHeight = kChartHeight - textHeight - 10 - 2 * kCurrentMarker;
    const double bottom = plotTop + plotHeight;
    const std::int32_t level = std::max<std::int32_t>(1, static_cast<std::int32_t>(curve.values.size()) - 1);
    const std::int64_t highest = curve.values.empty()
        ? 1
        : std::max<std::int64_t>(1, *std::max_element(curve.values.begin(), curve.values.end()));
    const auto at = [&](std::int32_t v) {
        const auto clamped = static_cast<std::size_t>(std::clamp(v, 0, level));
        const std::int64_t value = clamped < curve.values.size() ? curve.values[clamped] : 0;
        return ChartPoint{left + plotWidth * v / level,
            bottom - plotHeight * static_cast<double>(value) / static_cast<double>(highest)};
    };
    CurveChart chart;
    chart.title = {static_cast<double>(kChartMargin), top + textHeight - 3};
    chart.corner = {left, bottom};
    chart.axisTop = {left, plotTop};
    chart.axisEnd = {left + plotWidth, bottom};
    for (std::int32_t v = 0; v < static_cast<std::int32_t>(curve.values.size()); ++v)
        chart.line.push_back(at(v));
    chart.current = at(std::clamp(curve.current, 0, level));
    chart.proposed = at(curve.proposed);
    return chart;
}

} // namespace rollwerk
