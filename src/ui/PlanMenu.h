#pragma once

// The context menu of the main window's client area and of its bonus list:
// "Plan kopieren" puts a summary of the plan with its code on the clipboard,
// "Plan einfügen" enters the first code found on the clipboard, "Boni
// kopieren" copies the bonus lines; "Rückgängig" and "Wiederholen" walk the
// plan's history, each naming its step. The planner core makes the texts,
// enters the plan and keeps the history; this only shows the menu and talks
// to the clipboard.

#include "PlanHistory.h"
#include "Planner.h"

#include <QObject>
#include <QPoint>

#include <initializer_list>

class QWidget;

namespace rollwerk {

class PlanMenu : public QObject {
    Q_OBJECT

public:
    // Shows the menu on each area's context-menu request (right button or the menu key).
    PlanMenu(Planner &planner, QWidget *window, std::initializer_list<QWidget *> areas);

    void CopyPlan();
    // A message box only when the clipboard holds no valid code or the rules changed the plan.
    void PastePlan();
    void CopyBonuses();
    void Undo();
    void Redo();

private:
    void ShowMenu(QWidget *area, const QPoint &position);

    Planner &planner_;
    QWidget *window_;
    PlanHistory history_;
};

} // namespace rollwerk
