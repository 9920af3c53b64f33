#include "PlannerCall.h"

#include "Commands.h"
#include "WindowLayout.h"

#include <QMessageBox>

namespace rollwerk {

namespace {

const QString kTitle = QStringLiteral("Rollwerk");

} // namespace

void ShowPlannerError(QWidget *parent, const std::exception &error)
{
    QMessageBox::critical(parent, kTitle, QString::fromUtf8(error.what()));
}

void ShowMessage(QWidget *parent, QMessageBox::Icon icon, const std::string &text, const QString &name)
{
    QMessageBox box(icon, kTitle, QString::fromStdString(text), QMessageBox::Ok, parent);
    box.setObjectName(name);
    box.exec();
}

void ReportPlanApplication(QWidget *parent, const CommandReply &result)
{
    if (!result.message.empty())
        ShowMessage(parent, QMessageBox::Warning, result.message, QStringLiteral("PlanMessage"));
}

void ShowUnknownPlannerError(QWidget *parent)
{
    QMessageBox::critical(parent, kTitle, layout::Text(layout::kUnknownErrorText));
}

} // namespace rollwerk
