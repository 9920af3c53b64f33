#pragma once

// The context menu of the main window's client area and of its bonus list:
// "Neuer Plan" brings back the plan of a new window, "Plan kopieren" puts
// a summary of the plan with its code on the clipboard, "Plan einfügen"
// enters the first code found on the clipboard, "Boni
// kopieren" copies the bonus lines, "Pläne …" opens the window of the plans
// saved while the main window lives, "Plan optimieren …" opens the goals
// window and "Mit Plan vergleichen" shows the difference between the plan
// and the code on the clipboard; "Rückgängig" and "Wiederholen" walk the
// plan's history, each naming its step. The plan document makes the texts,
// enters the plan and keeps the history; this only shows the menu and talks
// to the clipboard.

#include "PlanDocument.h"
#include "PlanShelf.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <initializer_list>

class QWidget;

namespace rollwerk {

class FPlaene;
class FZiel;

class PlanMenu : public QObject {
    Q_OBJECT

public:
    // Shows the menu on each area's context-menu request (right button or the menu key).
    PlanMenu(PlanDocument &document, QWidget *window, std::initializer_list<QWidget *> areas);
    // The plans window goes first: it reads the shelf this menu holds.
    ~PlanMenu() override;

    void NewPlan();
    void CopyPlan();
    // A message box only when the clipboard holds no valid code or the rules changed the plan.
    void PastePlan();
    void CopyBonuses();
    void OpenPlans();
    void OpenGoals();
    void ComparePlan();
    void Undo();
    void Redo();

private:
    void ShowMenu(QWidget *area, const QPoint &position);

    PlanDocument &document_;
    QWidget *window_;
    PlanShelf shelf_;         // the saved plans, as long as the main window lives
    QPointer<FPlaene> plans_; // made when first opened, then only hidden and shown
    QPointer<FZiel> goals_;   // made when first opened, then only hidden and shown
};

} // namespace rollwerk
