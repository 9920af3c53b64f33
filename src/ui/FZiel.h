#pragma once

// The goals window: the player names a target level, a weight and a minimum
// per bonus row and whether the points spent stay; the window shows the best
// plan for it (the core proves it best), the skills and bonus lines it
// changes, what each skill's last point brings, and the curves. Not modal:
// the answer follows every change of the main window's plan. "Übernehmen"
// enters the answer through the planner's rules, as "Plan einfügen" does.

#include "PlanDocument.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace rollwerk {

class GoalCurvesView;

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

    Goal CurrentGoal() const;

private:
    QWidget *CreateGoalFields();
    QWidget *CreateAnswerViews();
    void ShowAnswer(const GoalView &view);

    PlanDocument &document_;
    QSpinBox *SpEZielStufe_ = nullptr;
    QCheckBox *CBBehalten_ = nullptr;
    std::array<QLabel *, kBonusRowCount> rowLabels_{};
    std::array<QSpinBox *, kBonusRowCount> SpEGewicht_{};
    std::array<QSpinBox *, kBonusRowCount> SpEMindest_{};
    QLabel *LZielWert_ = nullptr;
    QListWidget *LBVorschlag_ = nullptr;
    QListWidget *LBLetzterPunkt_ = nullptr;
    QListWidget *LBVergleich_ = nullptr;
    GoalCurvesView *PBKurven_ = nullptr;
    QPushButton *BUebernehmen_ = nullptr;
    QPushButton *BSchliessen_ = nullptr;

    std::optional<Plan> proposal_;
    Connection recordConnection_;
};

} // namespace rollwerk
