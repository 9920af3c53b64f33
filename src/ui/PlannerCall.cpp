#include "PlannerCall.h"

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

void ShowUnknownPlannerError(QWidget *parent)
{
    QMessageBox::critical(parent, kTitle, layout::Text(layout::kUnknownErrorText));
}

} // namespace rollwerk
