#include "PathChartView.h"

#include "CurveChart.h"
#include "GoalCurvesView.h"
#include "GoalWindowTable.h"
#include "PathTexts.h"

#include <QPainter>

namespace rollwerk {

PathChartView::PathChartView(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QString::fromStdString(GoalAccessibleName("PBStufenweg")));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void PathChartView::SetPath(LevelPath path, std::int32_t marked)
{
    path_ = std::move(path);
    marked_ = marked;
    title_ = path_.found ? QString::fromStdString(PathCurveTitle(path_, marked_)) : QString();
    setAccessibleDescription(title_);
    setMinimumWidth(ChartWidth(fontMetrics(), {title_}));
    updateGeometry();
    update();
}

QSize PathChartView::sizeHint() const
{
    return {ChartWidth(fontMetrics(), {title_}), kChartHeight};
}

void PathChartView::paintEvent(QPaintEvent * /*event*/)
{
    if (!path_.found || path_.steps.empty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintChart(painter, palette(), PathChartOf(path_, marked_, width(), fontMetrics().height()), title_);
}

} // namespace rollwerk
