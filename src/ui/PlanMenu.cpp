#include "PlanMenu.h"

#include "FZiel.h"
#include "PlanComparison.h"
#include "PlanMenuTable.h"
#include "PlanSummary.h"
#include "PlannerCall.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>

#include <array>
#include <tuple>

namespace rollwerk {

namespace {

// The command of an item of kPlanMenuItems.
constexpr auto RunOf(PlanCommand command)
{
    switch (command) {
    case PlanCommand::CopyPlan:
        return &PlanMenu::CopyPlan;
    case PlanCommand::PastePlan:
        return &PlanMenu::PastePlan;
    case PlanCommand::CopyBonuses:
        return &PlanMenu::CopyBonuses;
    case PlanCommand::OpenGoals:
        return &PlanMenu::OpenGoals;
    case PlanCommand::ComparePlan:
        return &PlanMenu::ComparePlan;
    }
    return &PlanMenu::CopyPlan;
}

void ShowMessage(QWidget *parent, QMessageBox::Icon icon, const std::string &text, const QString &name)
{
    QMessageBox box(icon, QStringLiteral("Rollwerk"), QString::fromStdString(text), QMessageBox::Ok, parent);
    box.setObjectName(name);
    box.exec();
}

} // namespace

void ReportPlanApplication(QWidget *parent, const PlanApplication &result)
{
    if (!result.message.empty())
        ShowMessage(parent, QMessageBox::Warning, result.message, QStringLiteral("PlanMessage"));
}

PlanMenu::PlanMenu(Planner &planner, QWidget *window, std::initializer_list<QWidget *> areas)
    : QObject(window), planner_(planner), window_(window), history_(planner)
{
    for (QWidget *area : areas) {
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, this,
            [this, area](const QPoint &position) { ShowMenu(area, position); });
    }
}

void PlanMenu::ShowMenu(QWidget *area, const QPoint &position)
{
    auto *menu = new QMenu(area);
    menu->setObjectName(QStringLiteral("PlanMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setFont(window_->font());
    for (const PlanMenuItem &item : kPlanMenuItems) {
        QAction *action = menu->addAction(QString::fromUtf8(item.text));
        action->setObjectName(QString::fromLatin1(item.name));
        connect(action, &QAction::triggered, this, RunOf(item.command));
    }
    // The history's two steps, each named after a colon, with an access key;
    // disabled when there is none.
    menu->addSeparator();
    const std::array<std::tuple<std::string, std::string_view, bool, void (PlanMenu::*)()>, 2> steps = {{
        {history_.UndoText(), kUndoItem.name, history_.UndoCount() > 0, &PlanMenu::Undo},
        {history_.RedoText(), kRedoItem.name, history_.RedoCount() > 0, &PlanMenu::Redo},
    }};
    for (const auto &[text, name, enabled, run] : steps) {
        QAction *action = menu->addAction(QLatin1Char('&') + QString::fromStdString(text));
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, run);
    }
    // A scroll area reports the position in its viewport.
    const auto *scrollArea = qobject_cast<QAbstractScrollArea *>(area);
    const QWidget *origin = scrollArea ? scrollArea->viewport() : area;
    menu->popup(origin->mapToGlobal(position));
}

void PlanMenu::CopyPlan()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(PlanSummary(planner_)));
}

void PlanMenu::PastePlan()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ClipboardContent content = ClipboardContent::Text;
    if (data == nullptr || data->formats().isEmpty())
        content = ClipboardContent::Nothing;
    else if (!data->hasText())
        content = data->hasImage() ? ClipboardContent::Picture : ClipboardContent::OtherData;
    const std::string text = content == ClipboardContent::Text ? data->text().toStdString() : std::string();
    PlanApplication result;
    const auto paste = [&] {
        const PlanHistory::NamedAction action(history_, kPastePlanStep);
        result = rollwerk::PastePlan(planner_, content, text);
    };
    if (CallPlanner(window_, paste))
        ReportPlanApplication(window_, result);
}

void PlanMenu::CopyBonuses()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(BonusText(planner_)));
}

void PlanMenu::OpenGoals()
{
    if (!goals_)
        goals_ = new FZiel(planner_, window_, &history_);
    goals_->Open();
}

void PlanMenu::ComparePlan()
{
    const PlanDecoding decoding = FindPlanCode(QGuiApplication::clipboard()->text().toStdString());
    if (!decoding.plan) {
        ShowMessage(window_, QMessageBox::Warning, decoding.error, QStringLiteral("PlanVergleich"));
        return;
    }
    const std::string text = DescribeAgainstShown(planner_, *decoding.plan);
    ShowMessage(window_, QMessageBox::Information, text, QStringLiteral("PlanVergleich"));
}

void PlanMenu::Undo()
{
    CallPlanner(window_, [this] { history_.Undo(); });
}

void PlanMenu::Redo()
{
    CallPlanner(window_, [this] { history_.Redo(); });
}

} // namespace rollwerk
