#pragma once

// The levelling path's chart in the goals window: the goal's objective over
// the levels of the path, the level chosen on the way marked grey and the
// goal's level red, painted as the bonus curves are.

#include "LevelPath.h"

#include <QWidget>

namespace rollwerk {

class PathChartView : public QWidget {
    Q_OBJECT

public:
    explicit PathChartView(QWidget *parent = nullptr);

    void SetPath(LevelPath path, std::int32_t marked);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LevelPath path_;
    std::int32_t marked_ = 1;
    QString title_;
};

} // namespace rollwerk
