#include "PlanMenu.h"

#include "PlanApply.h"
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

struct MenuEntry {
    const char *text;
    const char *name;
    void (PlanMenu::*run)();
};

constexpr std::array<MenuEntry, 3> kEntries = {{
    {"Plan kopieren", "PlanKopieren", &PlanMenu::CopyPlan},
    {"Plan einf\u00fcgen", "PlanEinfuegen", &PlanMenu::PastePlan},
    {"Boni kopieren", "BoniKopieren", &PlanMenu::CopyBonuses},
}};

} // namespace

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
    for (const MenuEntry &entry : kEntries) {
        QAction *action = menu->addAction(QString::fromUtf8(entry.text));
        action->setObjectName(QString::fromLatin1(entry.name));
        connect(action, &QAction::triggered, this, entry.run);
    }
    // The history's two steps, each named after a colon, with an access key;
    // disabled when there is none.
    menu->addSeparator();
    const std::array<std::tuple<std::string, const char *, bool, void (PlanMenu::*)()>, 2> steps = {{
        {history_.UndoText(), "Rueckgaengig", history_.UndoCount() > 0, &PlanMenu::Undo},
        {history_.RedoText(), "Wiederholen", history_.RedoCount() > 0, &PlanMenu::Redo},
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
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    PlanApplication result;
    const auto paste = [&] {
        const PlanHistory::NamedAction action(history_, kPastePlanStep);
        result = ApplyPlanText(planner_, text);
    };
    if (!CallPlanner(window_, paste) || result.message.empty())
        return;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Rollwerk"), QString::fromStdString(result.message),
        QMessageBox::Ok, window_);
    box.setObjectName(QStringLiteral("PlanMessage"));
    box.exec();
}

void PlanMenu::CopyBonuses()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(BonusText(planner_)));
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
