#include "GoalCurvesView.h"

#include "CurveChart.h"
#include "GoalTexts.h"
#include "GoalWindowTable.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace rollwerk {

namespace {

// The narrowest chart: its line over at most 250 levels stays readable.
constexpr int kMinimumWidth = 300;

QString Title(const RowCurve &curve)
{
    return QString::fromStdString(CurveTitle(curve));
}

QPointF At(const ChartPoint &point)
{
    return {point.x, point.y};
}

} // namespace

void PaintChart(QPainter &painter, const QPalette &palette, const CurveChart &chart, const QString &title)
{
    painter.setPen(palette.color(QPalette::Text));
    painter.drawText(At(chart.title), title);
    painter.setPen(QPen(palette.color(QPalette::Mid), 1));
    painter.drawLine(At(chart.corner), At(chart.axisEnd));
    painter.drawLine(At(chart.corner), At(chart.axisTop));
    if (!chart.line.empty()) {
        QPainterPath path(At(chart.line.front()));
        for (const ChartPoint &point : chart.line)
            path.lineTo(At(point));
        painter.setPen(QPen(palette.color(QPalette::Text), 1.5));
        painter.drawPath(path);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    painter.drawEllipse(At(chart.current), kCurrentMarker, kCurrentMarker);
    painter.setBrush(QColor(0xd0, 0x20, 0x20));
    painter.drawEllipse(At(chart.proposed), kProposedMarker, kProposedMarker);
    painter.setBrush(Qt::NoBrush);
}

int ChartWidth(const QFontMetrics &metrics, const QStringList &titles)
{
    int width = kMinimumWidth;
    for (const QString &title : titles)
        width = std::max(width, metrics.horizontalAdvance(title) + 2 * kChartMargin);
    return width;
}

GoalCurvesView::GoalCurvesView(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QString::fromStdString(GoalAccessibleName("PBKurven")));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void GoalCurvesView::SetCurves(std::vector<RowCurve> curves)
{
    curves_ = std::move(curves);
    titles_.clear();
    for (const RowCurve &curve : curves_)
        titles_ << Title(curve);
    setAccessibleDescription(
        titles_.isEmpty() ? QString::fromUtf8(kNoCurvesDescription) : titles_.join(QLatin1Char('\n')));
    // A title wider than the view widens it: the scroll area around shows it whole.
    setMinimumWidth(ChartWidth(fontMetrics(), titles_));
    updateGeometry();
    update();
}

QSize GoalCurvesView::sizeHint() const
{
    return {ChartWidth(fontMetrics(), titles_),
        std::max<int>(kChartHeight, static_cast<int>(curves_.size()) * kChartHeight)};
}

void GoalCurvesView::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (curves_.empty()) {
        painter.drawText(rect().adjusted(kChartMargin, kChartMargin, -kChartMargin, -kChartMargin),
            Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8(kNoCurvesText));
        return;
    }
    for (std::size_t index = 0; index < curves_.size(); ++index) {
        const CurveChart chart = ChartOf(curves_[index], static_cast<int>(index), width(), fontMetrics().height());
        PaintChart(painter, palette(), chart, titles_.at(static_cast<qsizetype>(index)));
    }
}

} // namespace rollwerk
