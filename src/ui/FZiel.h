#pragma once

// The goals window: the player names a target level, a weight and a minimum
// per bonus row and whether the points spent stay; the window shows the best
// plan for it (the core proves it best), the skills and bonus lines it
// changes, what stops each skill, what each skill's last point brings, the
// curves, and the levelling path from the start to the answer. Not modal:
// the answer follows every change of the main window's plan. "Übernehmen"
// enters the answer, "Plan dieser Stufe übernehmen" the path's plan of a
// level, through the planner's rules, as "Plan einfügen" does.

#include "PlanDocument.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QKeyEvent;
class QShowEvent;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace rollwerk {

class GoalCurvesView;
class PathChartView;

class FZiel : public QWidget {
    Q_OBJECT

public:
    // Entering the answer is one step of the document's history.
    FZiel(PlanDocument &document, QWidget *mainWindow);

    // Shows the window with the target level at the plan's level.
    void Open();
    // The answer for the goal and the plan as they are now.
    void Refresh();
    // Enters the answer into the main window ("Übernehmen").
    void Enter();
    // Enters the path's plan at the level of SpEWegStufe ("Plan dieser Stufe übernehmen").
    void EnterPathPlan();

    Goal CurrentGoal() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *CreateGoalFields();
    QWidget *CreateAnswerViews();
    QWidget *CreatePathViews();
    void ShowAnswer(const GoalView &view);
    void ShowPathLevel();
    // Beside the main window where the screen has room, over it where not.
    void PlaceBesideMainWindow();

    PlanDocument &document_;
    QSpinBox *SpEZielStufe_ = nullptr;
    QCheckBox *CBBehalten_ = nullptr;
    std::array<QLabel *, kBonusRowCount> rowLabels_{};
    std::array<QSpinBox *, kBonusRowCount> SpEGewicht_{};
    std::array<QSpinBox *, kBonusRowCount> SpEMindest_{};
    QLabel *LZielWert_ = nullptr;
    QListWidget *LBVorschlag_ = nullptr;
    QListWidget *LBGrenzen_ = nullptr;
    QListWidget *LBLetzterPunkt_ = nullptr;
    QListWidget *LBVergleich_ = nullptr;
    GoalCurvesView *PBKurven_ = nullptr;
    QPushButton *BUebernehmen_ = nullptr;
    QPushButton *BSchliessen_ = nullptr;
    QListWidget *LBStufenweg_ = nullptr;
    PathChartView *PBStufenweg_ = nullptr;
    QSpinBox *SpEWegStufe_ = nullptr;
    QPushButton *BWegUebernehmen_ = nullptr;

    std::optional<Plan> proposal_;
    std::optional<GoalView> shown_; // the answer shown, for the path's plans
    bool placed_ = false;
    Connection recordConnection_;
};

} // namespace rollwerk
