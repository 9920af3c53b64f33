#pragma once

// The main window: a view of the planner's fields. It builds its widgets
// from the layout table, binds each one to its field model, and leaves every
// decision to the planner. Writes by the planner reach the widgets at once
// through the models' signals, nested notifications included.

#include "Planner.h"
#include "SkillTips.h"

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <array>

class QLabel;
class QListWidget;
class QMenuBar;

// The planner of a window. Listed before QWidget among the window's bases, it
// is made before the window's widgets and destroyed after them: bases are
// destroyed in the reverse order of their listing, and ~QWidget deletes the
// children, every view of the planner among them.
struct PlannerOwner {
    rollwerk::Planner planner_;
};

// Without Q_OBJECT of its own: moc wants the QObject base first in TFMain's list.
class PlannerWindow : protected PlannerOwner, public QWidget {
protected:
    using QWidget::QWidget;
};

class TFMain : public PlannerWindow {
    Q_OBJECT

public:
    // Creates every widget with its initial value, then runs FormCreate.
    explicit TFMain(QWidget *parent = nullptr);

    // The window that "Info" shows; without one, the top-level window named "FInfo".
    void SetInfoWindow(QWidget *info) { infoWindow_ = info; }

    rollwerk::Planner &planner() { return planner_; }

private:
    void CreateWidgets(QWidget *content);
    rollwerk::SkillTips::Widgets CreateSkillGrid(QWidget *content);
    void CreateMenu();
    void SetTabOrder();
    void ShowFreePoints();
    void ShowFreeSlots();
    void ShowBonusLines();

    void Beenden1Click();
    void Info1Click();

    // The width each text of a counter label needs: laying a text out costs
    // more than the rest of a skill step, and the counters show few texts.
    struct MeasuredTexts {
        QFont font;
        int dpi = 0;
        QHash<QString, int> widths;
    };
    static void FitCounter(QLabel *label, MeasuredTexts &measured);

    QLabel *LFertFrei_ = nullptr;
    MeasuredTexts freePointsWidths_;
    QLabel *LFertGes_ = nullptr;
    QLabel *LFertGesAnzeige_ = nullptr;
    MeasuredTexts freeSlotsWidths_;
    QListWidget *LBBoni_ = nullptr;
    QMenuBar *MainMenu1_ = nullptr;
    QPointer<QWidget> infoWindow_;
    QPixmap emblem_;
    // The labels' and the list's subscriptions, ended before the widgets go.
    std::array<rollwerk::Connection, 3> plannerConnections_;
};
