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

void ReportPlanApplication(QWidget *parent, const CommandReply &result)
{
    if (result.message.empty())
        return;
    QMessageBox box(QMessageBox::Warning, kTitle, QString::fromStdString(result.message), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("PlanMessage"));
    box.exec();
}

void ShowUnknownPlannerError(QWidget *parent)
{
    QMessageBox::critical(parent, kTitle, layout::Text(layout::kUnknownErrorText));
}

} // namespace rollwerk
