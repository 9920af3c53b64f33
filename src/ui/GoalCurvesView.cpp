#include "GoalCurvesView.h"

#include "CurveChart.h"
#include "GoalTexts.h"
#include "GoalWindowTable.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace rollwerk {

namespace {

constexpr int kWidth = 300;

QString Title(const RowCurve &curve)
{
    return QString::fromStdString(CurveTitle(curve));
}

} // namespace

GoalCurvesView::GoalCurvesView(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QString::fromStdString(GoalAccessibleName("PBKurven")));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void GoalCurvesView::SetCurves(std::vector<RowCurve> curves)
{
    curves_ = std::move(curves);
    QStringList titles;
    for (const RowCurve &curve : curves_)
        titles << Title(curve);
    setAccessibleDescription(
        titles.isEmpty() ? QString::fromUtf8(kNoCurvesDescription) : titles.join(QLatin1Char('\n')));
    updateGeometry();
    update();
}

QSize GoalCurvesView::sizeHint() const
{
    return {kWidth, std::max<int>(kChartHeight, static_cast<int>(curves_.size()) * kChartHeight)};
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
    const auto at = [](const ChartPoint &point) { return QPointF(point.x, point.y); };
    for (std::size_t index = 0; index < curves_.size(); ++index) {
        const CurveChart chart = ChartOf(curves_[index], static_cast<int>(index), width(), fontMetrics().height());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(at(chart.title), Title(curves_[index]));
        painter.setPen(QPen(palette().color(QPalette::Mid), 1));
        painter.drawLine(at(chart.corner), at(chart.axisEnd));
        painter.drawLine(at(chart.corner), at(chart.axisTop));
        QPainterPath path(at(chart.line.front()));
        for (const ChartPoint &point : chart.line)
            path.lineTo(at(point));
        painter.setPen(QPen(palette().color(QPalette::Text), 1.5));
        painter.drawPath(path);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x80, 0x80, 0x80));
        painter.drawEllipse(at(chart.current), kCurrentMarker, kCurrentMarker);
        painter.setBrush(QColor(0xd0, 0x20, 0x20));
        painter.drawEllipse(at(chart.proposed), kProposedMarker, kProposedMarker);
        painter.setBrush(Qt::NoBrush);
    }
}

} // namespace rollwerk
