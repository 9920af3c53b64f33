#pragma once

// The context menu of the main window's client area and of its bonus list:
// "Plan kopieren" puts a summary of the plan with its code on the clipboard,
// "Plan einfügen" enters the first code found on the clipboard, "Boni
// kopieren" copies the bonus lines, "Plan optimieren …" opens the goals
// window and "Mit Plan vergleichen" shows the difference between the plan
// and the code on the clipboard. The planner core makes the texts and
// enters the plan; this only shows the menu and talks to the clipboard.

#include "PlanApply.h"
#include "Planner.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <initializer_list>

class QWidget;

namespace rollwerk {

class FZiel;

// A message box only when the rules changed the plan or refused it.
void ReportPlanApplication(QWidget *parent, const PlanApplication &result);

class PlanMenu : public QObject {
    Q_OBJECT

public:
    // Shows the menu on each area's context-menu request (right button or the menu key).
    PlanMenu(Planner &planner, QWidget *window, std::initializer_list<QWidget *> areas);

    void CopyPlan();
    // A message box only when the clipboard holds no valid code or the rules changed the plan.
    void PastePlan();
    void CopyBonuses();
    void OpenGoals();
    void ComparePlan();

private:
    void ShowMenu(QWidget *area, const QPoint &position);

    Planner &planner_;
    QWidget *window_;
    QPointer<FZiel> goals_; // made when first opened, then only hidden and shown
};

} // namespace rollwerk
