#pragma once

// The main window: a view of a plan document. It builds its widgets from the
// layout table, binds each field widget to its field model, and leaves every
// decision to the core. Writes by the planner reach the field widgets at once
// through the models' signals, nested notifications included; the counters,
// the bonus list and the tooltips are drawn from the document's record, once
// per user action.

#include "PlanDocument.h"
#include "SkillTips.h"

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QLabel;
class QListWidget;
class QMenuBar;

namespace rollwerk {

// The plan document of a window. Listed before QWidget among the window's
// bases, it is made before the window's widgets and destroyed after them:
// bases are destroyed in the reverse order of their listing, and ~QWidget
// deletes the children, every view of the planner among them.
struct PlannerOwner {
    PlanDocument document_;
    Planner &planner_ = document_.Models();
};

// Without Q_OBJECT of its own: moc wants the QObject base first in TFMain's list.
class PlannerWindow : protected PlannerOwner, public QWidget {
protected:
    using QWidget::QWidget;
};

class TFMain : public PlannerWindow {
    Q_OBJECT

public:
    // Creates every widget showing the plan of a new window (FormCreate has run).
    explicit TFMain(QWidget *parent = nullptr);

    // The window that "Info" shows; without one, the top-level window named "FInfo".
    void SetInfoWindow(QWidget *info) { infoWindow_ = info; }

    Planner &Models() { return planner_; }
    PlanDocument &Document() { return document_; }

private:
    void CreateWidgets(QWidget *content);
    SkillTips::Widgets CreateSkillGrid(QWidget *content);
    void CreateMenu();
    void SetTabOrder();
    void ShowFreePoints();
    void ShowFreeSlots();
    void ShowBonusLines();
    void ShowRecord(const PlanRecord &record);

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
    QLabel *LFertGesAnzeige_ = nullptr;
    MeasuredTexts freeSlotsWidths_;
    QListWidget *LBBoni_ = nullptr;
    QMenuBar *MainMenu1_ = nullptr;
    QPointer<QWidget> infoWindow_;
    QPixmap emblem_;
    // The record's subscription, ended before the widgets go.
    Connection recordConnection_;
};

} // namespace rollwerk
