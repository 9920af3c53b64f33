#include "GoalCurvesView.h"

#include "ComparisonTexts.h"
#include "GoalTexts.h"
#include "GoalWindowTable.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace rollwerk {

namespace {

constexpr int kChartHeight = 84;
constexpr int kMargin = 6;
constexpr int kWidth = 300;
constexpr int kMarker = 5;

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

void GoalCurvesView::SetCurves(std::vector<RowCurve> curves, std::int32_t level)
{
    curves_ = std::move(curves);
    level_ = std::max(level, 1);
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
    const int text = fontMetrics().height();
    if (curves_.empty()) {
        painter.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin), Qt::AlignLeft | Qt::AlignTop,
            QString::fromUtf8(kNoCurvesText));
        return;
    }
    int top = 0;
    for (const RowCurve &curve : curves_) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(kMargin, top + text, Title(curve));
        // Inset by a marker's radius, so that a marker at either end shows whole.
        const QRectF plot(kMargin + kMarker, top + text + 4 + kMarker, width() - 2 * (kMargin + kMarker),
            kChartHeight - text - 10 - 2 * kMarker);
        painter.setPen(QPen(palette().color(QPalette::Mid), 1));
        painter.drawLine(plot.bottomLeft(), plot.bottomRight());
        painter.drawLine(plot.bottomLeft(), plot.topLeft());
        const std::int64_t highest
            = std::max<std::int64_t>(1, *std::max_element(curve.values.begin(), curve.values.end()));
        auto at = [&](std::int32_t v) {
            const std::int64_t value = curve.values.at(static_cast<std::size_t>(std::clamp(v, 0, level_)));
            return QPointF(plot.left() + plot.width() * v / level_,
                plot.bottom() - plot.height() * static_cast<double>(value) / static_cast<double>(highest));
        };
        QPainterPath path(at(0));
        for (std::int32_t v = 1; v <= level_; ++v)
            path.lineTo(at(v));
        painter.setPen(QPen(palette().color(QPalette::Text), 1.5));
        painter.drawPath(path);
        // The current value grey, the proposed one red and larger, so that both show where they meet.
        const std::int32_t current = std::clamp(curve.current, 0, level_);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x80, 0x80, 0x80));
        painter.drawEllipse(at(current), kMarker, kMarker);
        painter.setBrush(QColor(0xd0, 0x20, 0x20));
        painter.drawEllipse(at(curve.proposed), 3.5, 3.5);
        painter.setBrush(Qt::NoBrush);
        top += kChartHeight;
    }
}

} // namespace rollwerk
