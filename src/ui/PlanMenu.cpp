#include "PlanMenu.h"

#include "ClipboardRead.h"
#include "ClipboardTexts.h"
#include "FPlaene.h"
#include "FZiel.h"
#include "PlanMenuTable.h"
#include "PlanSummary.h"
#include "PlannerCall.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>

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
    case PlanCommand::NewPlan:
        return &PlanMenu::NewPlan;
    case PlanCommand::OpenPlans:
        return &PlanMenu::OpenPlans;
    }
    return &PlanMenu::CopyPlan;
}

} // namespace

PlanMenu::PlanMenu(PlanDocument &document, QWidget *window, std::initializer_list<QWidget *> areas)
    : QObject(window), document_(document), window_(window)
{
    for (QWidget *area : areas) {
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, this,
            [this, area](const QPoint &position) { ShowMenu(area, position); });
    }
}

PlanMenu::~PlanMenu()
{
    delete plans_;
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
    const HistoryItems &items = document_.Items();
    const std::array<std::tuple<std::string, std::string_view, bool, void (PlanMenu::*)()>, 2> steps = {{
        {items.undo, kUndoItem.name, items.canUndo, &PlanMenu::Undo},
        {items.redo, kRedoItem.name, items.canRedo, &PlanMenu::Redo},
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
    QGuiApplication::clipboard()->setText(QString::fromStdString(PlanSummary(document_.Models())));
}

void PlanMenu::PastePlan()
{
    const ClipboardRead clipboard = ReadClipboard();
    CommandReply result;
    if (CallPlanner(window_, [&] { result = document_.Run(command::PastePlan{clipboard.content, clipboard.text}); }))
        ReportPlanApplication(window_, result);
}

void PlanMenu::NewPlan()
{
    CallPlanner(window_, [this] { document_.Run(command::NewPlan{}); });
}

void PlanMenu::OpenPlans()
{
    if (!plans_)
        plans_ = new FPlaene(document_, shelf_, window_);
    plans_->Open();
}

void PlanMenu::CopyBonuses()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(BonusText(document_.Models())));
}

void PlanMenu::OpenGoals()
{
    if (!goals_)
        goals_ = new FZiel(document_, window_);
    goals_->Open();
}

void PlanMenu::ComparePlan()
{
    const ClipboardRead clipboard = ReadClipboard();
    const PlanDecoding decoding = FindPastedPlanCode(clipboard.content, clipboard.text);
    if (!decoding.plan) {
        ShowMessage(window_, QMessageBox::Warning, decoding.error, QStringLiteral("PlanVergleich"));
        return;
    }
    const std::string text = document_.CompareWithShown(*decoding.plan);
    ShowMessage(window_, QMessageBox::Information, text, QStringLiteral("PlanVergleich"));
}

void PlanMenu::Undo()
{
    CallPlanner(window_, [this] { document_.Run(command::Undo{}); });
}

void PlanMenu::Redo()
{
    CallPlanner(window_, [this] { document_.Run(command::Redo{}); });
}

} // namespace rollwerk
