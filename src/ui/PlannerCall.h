#pragma once

// The boundary where a widget's notification calls into the planner: an
// error escaping a procedure is shown in a message box and the program goes
// on (Qt must never see an exception leave an event handler).

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <exception>
#include <string>

namespace rollwerk {

void ShowPlannerError(QWidget *parent, const std::exception &error);
void ShowUnknownPlannerError(QWidget *parent);

struct CommandReply;

// A German message in a box named name, with the program's title.
void ShowMessage(QWidget *parent, QMessageBox::Icon icon, const std::string &text, const QString &name);

// A message box named "PlanMessage" only when the rules changed an entered
// plan or refused it.
void ReportPlanApplication(QWidget *parent, const CommandReply &result);

// Returns false when the call ended in an error (already shown).
template <typename Call> bool CallPlanner(QWidget *parent, Call &&call)
{
    try {
        call();
        return true;
    } catch (const std::exception &error) {
        ShowPlannerError(parent, error);
    } catch (...) {
        ShowUnknownPlannerError(parent);
    }
    return false;
}

} // namespace rollwerk
