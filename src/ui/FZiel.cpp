#include "FZiel.h"

#include "GoalCurvesView.h"
#include "GoalWindowTable.h"
#include "PathChartView.h"
#include "PathTexts.h"
#include "PlannerCall.h"
#include "WindowLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace rollwerk {

namespace {

using layout::Text;

// A widget's caption and accessible name, from the goals window's texts.
QString Caption(std::string_view widget)
{
    return Text(GoalCaption(widget));
}

QString AccessibleName(std::string_view widget)
{
    return Text(GoalAccessibleName(widget));
}

QSpinBox *CreateNumber(QWidget *parent, const QString &name, const QString &accessibleName, int maximum)
{
    auto *field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setAccessibleName(accessibleName);
    field->setRange(0, maximum);
    // Scrolling the list of rows must not change a number on the way.
    field->setFocusPolicy(Qt::StrongFocus);
    return field;
}

QListWidget *CreateList(QWidget *parent, std::string_view name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(Text(name));
    list->setAccessibleName(AccessibleName(name));
    // Long lines wrap rather than hide behind a scroll bar; a few lines are visible at once.
    list->setWordWrap(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMaximumHeight(list->fontMetrics().height() * 6);
    return list;
}

// A heading that names the widget below it, for the eye and for screen readers.
QLabel *Heading(QWidget *buddy)
{
    auto *label = new QLabel(Caption(buddy->objectName().toStdString()));
    label->setBuddy(buddy);
    return label;
}

void SetLines(QListWidget *list, const std::vector<std::string> &lines, const std::vector<std::string> &tips = {})
{
    list->clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto *item = new QListWidgetItem(Text(lines[i]), list);
        if (i < tips.size())
            item->setToolTip(Text(tips[i]));
    }
}

} // namespace

FZiel::FZiel(PlanDocument &document, QWidget *mainWindow) : QWidget(mainWindow, Qt::Window), document_(document)
{
    setObjectName(QStringLiteral("FZiel"));
    setWindowTitle(Caption("FZiel"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *columns = new QHBoxLayout(this);
    columns->addWidget(CreateGoalFields());
    columns->addWidget(CreateAnswerViews(), 1);
    columns->addWidget(CreatePathViews(), 1);

    // The one place where this window follows the main window: the record of
    // every user action there.
    recordConnection_ = document_.recorded.Connect([this](const PlanRecord &) { Refresh(); });
    resize(1280, 720);
}

QWidget *FZiel::CreateGoalFields()
{
    auto *side = new QWidget(this);
    auto *layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *top = new QHBoxLayout;
    SpEZielStufe_ = CreateNumber(side, QStringLiteral("SpEZielStufe"), AccessibleName("SpEZielStufe"), kMaxLevel);
    SpEZielStufe_->setMinimum(kMinLevel);
    top->addWidget(Heading(SpEZielStufe_));
    top->addWidget(SpEZielStufe_);
    CBBehalten_ = new QCheckBox(Caption("CBBehalten"), side);
    CBBehalten_->setObjectName(QStringLiteral("CBBehalten"));
    CBBehalten_->setAccessibleName(AccessibleName("CBBehalten"));
    CBBehalten_->setChecked(true);
    top->addWidget(CBBehalten_);
    top->addStretch();
    layout->addLayout(top);

    auto *scroll = new QScrollArea(side);
    scroll->setObjectName(QStringLiteral("FZielZeilen"));
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *rows = new QWidget(scroll);
    auto *grid = new QGridLayout(rows);
    for (std::size_t column = 0; column < kGoalColumnHeads.size(); ++column)
        grid->addWidget(new QLabel(Text(kGoalColumnHeads.at(column))), 0, static_cast<int>(column));
    for (int row = 1; row <= kBonusRowCount; ++row) {
        const auto index = static_cast<std::size_t>(row - 1);
        const QString name = Text(RowName(row));
        SpEGewicht_[index] = CreateNumber(
            rows, QStringLiteral("SpEGewicht%1").arg(row), Text(kGoalWeightNamePrefix) + name, kMaxGoalWeight);
        SpEMindest_[index] = CreateNumber(
            rows, QStringLiteral("SpEMindest%1").arg(row), Text(kGoalMinimumNamePrefix) + name, kMaxGoalMinimum);
        rowLabels_[index] = new QLabel(name, rows);
        rowLabels_[index]->setBuddy(SpEGewicht_[index]);
        grid->addWidget(rowLabels_[index], row, 0);
        grid->addWidget(SpEGewicht_[index], row, 1);
        grid->addWidget(SpEMindest_[index], row, 2);
        for (QSpinBox *field : {SpEGewicht_[index], SpEMindest_[index]})
            connect(field, &QSpinBox::valueChanged, this, &FZiel::Refresh);
    }
    scroll->setWidget(rows);
    // Every column in view: only the rows scroll.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(rows->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 4);
    layout->addWidget(scroll);

    connect(SpEZielStufe_, &QSpinBox::valueChanged, this, &FZiel::Refresh);
    connect(CBBehalten_, &QCheckBox::toggled, this, &FZiel::Refresh);
    return side;
}

QWidget *FZiel::CreateAnswerViews()
{
    auto *side = new QWidget(this);
    auto *layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    LZielWert_ = new QLabel(side);
    LZielWert_->setObjectName(QStringLiteral("LZielWert"));
    LZielWert_->setAccessibleName(AccessibleName("LZielWert"));
    LZielWert_->setWordWrap(true);
    LZielWert_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    layout->addWidget(LZielWert_);

    LBVorschlag_ = CreateList(side, "LBVorschlag");
    LBGrenzen_ = CreateList(side, "LBGrenzen");
    LBLetzterPunkt_ = CreateList(side, "LBLetzterPunkt");
    LBVergleich_ = CreateList(side, "LBVergleich");
    for (QListWidget *list : {LBVorschlag_, LBGrenzen_, LBLetzterPunkt_, LBVergleich_}) {
        layout->addWidget(Heading(list));
        layout->addWidget(list);
    }

    PBKurven_ = new GoalCurvesView(side);
    PBKurven_->setObjectName(QStringLiteral("PBKurven"));
    PBKurven_->setFocusPolicy(Qt::TabFocus);
    auto *curves = new QScrollArea(side);
    curves->setWidgetResizable(true);
    curves->setFocusPolicy(Qt::NoFocus);
    curves->setWidget(PBKurven_);
    layout->addWidget(Heading(PBKurven_));
    layout->addWidget(curves, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BUebernehmen_ = new QPushButton(Caption("BUebernehmen"), side);
    BUebernehmen_->setObjectName(QStringLiteral("BUebernehmen"));
    BUebernehmen_->setAccessibleName(AccessibleName("BUebernehmen"));
    BSchliessen_ = new QPushButton(Caption("BSchliessen"), side);
    BSchliessen_->setObjectName(QStringLiteral("BSchliessen"));
    BSchliessen_->setAccessibleName(AccessibleName("BSchliessen"));
    buttons->addWidget(BUebernehmen_);
    buttons->addWidget(BSchliessen_);
    layout->addLayout(buttons);
    connect(BUebernehmen_, &QPushButton::clicked, this, &FZiel::Enter);
    connect(BSchliessen_, &QPushButton::clicked, this, &QWidget::close);
    return side;
}

QWidget *FZiel::CreatePathViews()
{
    auto *side = new QWidget(this);
    auto *layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    LBStufenweg_ = CreateList(side, "LBStufenweg");
    LBStufenweg_->setMaximumHeight(QWIDGETSIZE_MAX);
    // "Stufenweg kopieren": the rows as text, one line each.
    auto *copy = new QAction(Text(kCopyPathText), LBStufenweg_);
    copy->setObjectName(QStringLiteral("StufenwegKopieren"));
    connect(copy, &QAction::triggered, this, [this] {
        if (shown_)
            QGuiApplication::clipboard()->setText(Text(PathClipboardText(shown_->pathRows)));
    });
    LBStufenweg_->addAction(copy);
    LBStufenweg_->setContextMenuPolicy(Qt::ActionsContextMenu);
    layout->addWidget(Heading(LBStufenweg_));
    layout->addWidget(LBStufenweg_, 1);

    PBStufenweg_ = new PathChartView(side);
    PBStufenweg_->setObjectName(QStringLiteral("PBStufenweg"));
    PBStufenweg_->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(PBStufenweg_);

    auto *level = new QHBoxLayout;
    SpEWegStufe_ = CreateNumber(side, QStringLiteral("SpEWegStufe"), AccessibleName("SpEWegStufe"), kMaxLevel);
    SpEWegStufe_->setMinimum(kMinLevel);
    level->addWidget(Heading(SpEWegStufe_));
    level->addWidget(SpEWegStufe_);
    level->addStretch();
    layout->addLayout(level);
    BWegUebernehmen_ = new QPushButton(Caption("BWegUebernehmen"), side);
    BWegUebernehmen_->setObjectName(QStringLiteral("BWegUebernehmen"));
    BWegUebernehmen_->setAccessibleName(AccessibleName("BWegUebernehmen"));
    layout->addWidget(BWegUebernehmen_, 0, Qt::AlignLeft);
    connect(SpEWegStufe_, &QSpinBox::valueChanged, this, &FZiel::ShowPathLevel);
    connect(BWegUebernehmen_, &QPushButton::clicked, this, &FZiel::EnterPathPlan);
    return side;
}

void FZiel::Open()
{
    SpEZielStufe_->setValue(std::clamp(document_.Models().SpEStufeH.Value(), kMinLevel, kMaxLevel));
    show();
    raise();
    activateWindow();
    Refresh();
}

Goal FZiel::CurrentGoal() const
{
    Goal goal;
    goal.classColumn = ClassColumn(document_.Models().CBCharwahl.Text()).value_or(0);
    goal.level = SpEZielStufe_->value();
    goal.keepSpent = CBBehalten_->isChecked();
    goal.current = document_.Shown().skills;
    for (std::size_t index = 0; index < SpEGewicht_.size(); ++index) {
        goal.weight.at(index) = SpEGewicht_.at(index)->value();
        goal.minimum.at(index) = SpEMindest_.at(index)->value();
    }
    return goal;
}

void FZiel::Refresh()
{
    if (!isVisible())
        return;
    const GoalView view = document_.AnswerGoal(CurrentGoal());
    for (std::size_t index = 0; index < view.reachable.size(); ++index) {
        const bool reachable = view.reachable.at(index);
        rowLabels_.at(index)->setEnabled(reachable);
        SpEGewicht_.at(index)->setEnabled(reachable);
        SpEMindest_.at(index)->setEnabled(reachable);
    }
    ShowAnswer(view);
}

void FZiel::ShowAnswer(const GoalView &view)
{
    proposal_ = view.proposal;
    BUebernehmen_->setEnabled(proposal_.has_value());
    const GoalTexts &texts = view.texts;
    LZielWert_->setText(Text(texts.value));
    SetLines(LBVorschlag_, texts.proposal, texts.proposalTips);
    SetLines(LBGrenzen_, texts.limits);
    SetLines(LBLetzterPunkt_, texts.lastPoints, texts.lastPointTips);
    SetLines(LBVergleich_, texts.comparison);
    PBKurven_->SetCurves(view.curves);

    // The path's level stays where the player put it while the goal changes;
    // at the goal's level it follows the goal's level.
    std::vector<std::string> rows;
    for (const PathRow &row : view.pathRows)
        rows.push_back(row.text);
    SetLines(LBStufenweg_, rows);
    const bool atGoal = !shown_ || SpEWegStufe_->value() == SpEWegStufe_->maximum();
    shown_ = view;
    const bool found = view.path.found && !view.path.steps.empty();
    const QSignalBlocker blocker(SpEWegStufe_);
    if (found)
        SpEWegStufe_->setRange(view.path.steps.front().level, view.path.steps.back().level);
    if (atGoal)
        SpEWegStufe_->setValue(SpEWegStufe_->maximum());
    SpEWegStufe_->setEnabled(found);
    ShowPathLevel();
}

void FZiel::ShowPathLevel()
{
    if (!shown_)
        return;
    PBStufenweg_->SetPath(shown_->path, SpEWegStufe_->value());
    BWegUebernehmen_->setEnabled(PathPlanAt(*shown_, SpEWegStufe_->value()).has_value());
}

void FZiel::EnterPathPlan()
{
    if (!shown_)
        return;
    const std::optional<Plan> plan = PathPlanAt(*shown_, SpEWegStufe_->value());
    if (!plan)
        return;
    CommandReply result;
    if (CallPlanner(this, [&] { result = document_.Run(command::TakePathPlan{*plan}); }))
        ReportPlanApplication(this, result);
}

void FZiel::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the window, as it closes the page's.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FZiel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        PlaceBesideMainWindow();
    }
}

void FZiel::PlaceBesideMainWindow()
{
    const QWidget *main = parentWidget();
    const QScreen *screen = main ? main->screen() : nullptr;
    if (!main || !screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect beside = main->frameGeometry();
    const QSize size = frameGeometry().size();
    // Right of the main window, else left of it, else where the window manager put it.
    if (beside.right() + size.width() < room.right())
        move(beside.right() + 1, std::max(room.top(), beside.top()));
    else if (beside.left() - size.width() > room.left())
        move(beside.left() - size.width(), std::max(room.top(), beside.top()));
}

void FZiel::Enter()
{
    if (!proposal_)
        return;
    CommandReply result;
    // The record of the step refreshes the answer.
    if (CallPlanner(this, [&] { result = document_.Run(command::TakeProposal{*proposal_}); }))
        ReportPlanApplication(this, result);
}

} // namespace rollwerk
