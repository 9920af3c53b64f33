#pragma once

// The plans window: the plans saved while the main window lives, each under
// a name, and a table of the plan shown beside every saved one. Not modal:
// the table follows every change of the main window's plan. Opening a plan
// enters it through the rules as one step of the main window's history;
// a removed plan can be brought back until the window closes. The shelf
// decides names, values and texts; this only shows it and asks the user.

#include "PlanDocument.h"
#include "PlanShelf.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStandardItemModel;

namespace rollwerk {

class FrozenColumnTable;

class FPlaene : public QWidget {
    Q_OBJECT

public:
    // The shelf outlives the window's closing: it lives as long as the main window.
    FPlaene(PlanDocument &document, PlanShelf &shelf, QWidget *mainWindow);

    void Open();
    // The plan shown, under the name in EPlanName; asks before it replaces one.
    void Save();
    // The plan named in EPlanName, into the main window.
    void OpenPlan();
    void Remove();
    void Restore();
    void CopyAll();
    void PasteAll();

protected:
    // A removed plan can be brought back only while the window is open.
    void closeEvent(QCloseEvent *event) override;

private:
    QPushButton *CreateButton(std::string_view name);
    // The list of plans, with the row of name chosen, and the table.
    void ShowPlans(const std::string &chosen = {});
    void ShowComparison();
    // Asks whether the plan of this name is to be replaced.
    bool AskReplace(const std::string &question);

    PlanDocument &document_;
    PlanShelf &shelf_;
    QListWidget *LBPlaene_ = nullptr;
    QLineEdit *EPlanName_ = nullptr;
    QPushButton *BPlanWiederherstellen_ = nullptr;
    QPushButton *BPlaeneKopieren_ = nullptr;
    FrozenColumnTable *TVPlanVergleich_ = nullptr;
    QStandardItemModel *comparison_ = nullptr;
    Connection recordConnection_;
};

} // namespace rollwerk
