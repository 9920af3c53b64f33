#pragma once

// The curves of the goals window: for each weighted row its value over one
// skill's values 0 to the target level, the current value marked grey and
// the proposed one red, so that the player sees why the answer stops
// raising a skill. Painted with QPainter, one small chart under the other.

#include "CurveChart.h"
#include "Goal.h"

#include <QWidget>

#include <vector>

class QPainter;

namespace rollwerk {

// One chart as the core laid it out: its title, the axes, the line, the
// current value's marker grey and the proposed one red.
void PaintChart(QPainter &painter, const QPalette &palette, const CurveChart &chart, const QString &title);

// The width that shows every title whole, and a readable chart at least.
int ChartWidth(const QFontMetrics &metrics, const QStringList &titles);

class GoalCurvesView : public QWidget {
    Q_OBJECT

public:
    explicit GoalCurvesView(QWidget *parent = nullptr);

    void SetCurves(std::vector<RowCurve> curves);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<RowCurve> curves_;
    QStringList titles_;
};

} // namespace rollwerk
