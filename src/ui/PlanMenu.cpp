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
#include <QMimeData>

#include <array>

namespace rollwerk {

namespace {

struct MenuEntry {
    const char *text;
    const char *name;
    void (PlanMenu::*run)();
};

// Each item has its own access key, as the menu bar's items have.
constexpr std::array<MenuEntry, 3> kEntries = {{
    {"Plan &kopieren", "PlanKopieren", &PlanMenu::CopyPlan},
    {"Plan &einf\u00fcgen", "PlanEinfuegen", &PlanMenu::PastePlan},
    {"&Boni kopieren", "BoniKopieren", &PlanMenu::CopyBonuses},
}};

} // namespace

PlanMenu::PlanMenu(Planner &planner, QWidget *window, std::initializer_list<QWidget *> areas)
    : QObject(window), planner_(planner), window_(window)
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
    if (!CallPlanner(window_, [&] { result = rollwerk::PastePlan(planner_, content, text); }) || result.message.empty())
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

} // namespace rollwerk
