#include "FPlaene.h"

#include "ClipboardRead.h"
#include "ClipboardTexts.h"
#include "FrozenColumnTable.h"
#include "PlannerCall.h"
#include "PlansWindowTable.h"
#include "QtColour.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace rollwerk {

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Caption(std::string_view widget)
{
    return Text(PlansCaption(widget));
}

template <typename T> T *Named(T *widget, std::string_view name)
{
    widget->setObjectName(Text(name));
    widget->setAccessibleName(Text(PlansAccessibleName(name)));
    return widget;
}

// A heading that names the widget below or beside it, for the eye and for screen readers.
QLabel *Heading(QWidget *buddy)
{
    auto *label = new QLabel(Caption(buddy->objectName().toStdString()));
    label->setBuddy(buddy);
    return label;
}

const QString kMessageName = QStringLiteral("PlaeneMeldung");

} // namespace

FPlaene::FPlaene(PlanDocument &document, PlanShelf &shelf, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window), document_(document), shelf_(shelf)
{
    setObjectName(QStringLiteral("FPlaene"));
    setWindowTitle(Caption("FPlaene"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);

    auto *note = Named(new QLabel(Caption("LPlaeneHinweis"), this), "LPlaeneHinweis");
    layout->addWidget(note);

    LBPlaene_ = Named(new QListWidget(this), "LBPlaene");
    LBPlaene_->setMaximumHeight(LBPlaene_->fontMetrics().height() * 7);
    layout->addWidget(Heading(LBPlaene_));
    layout->addWidget(LBPlaene_);

    auto *nameRow = new QHBoxLayout;
    EPlanName_ = Named(new QLineEdit(this), "EPlanName");
    nameRow->addWidget(Heading(EPlanName_));
    nameRow->addWidget(EPlanName_, 1);
    layout->addLayout(nameRow);

    auto *buttons = new QHBoxLayout;
    const std::array<std::pair<std::string_view, void (FPlaene::*)()>, 6> actions = {{
        {"BPlanSpeichern", &FPlaene::Save},
        {"BPlanOeffnen", &FPlaene::OpenPlan},
        {"BPlanLoeschen", &FPlaene::Remove},
        {"BPlanWiederherstellen", &FPlaene::Restore},
        {"BPlaeneKopieren", &FPlaene::CopyAll},
        {"BPlaeneEinfuegen", &FPlaene::PasteAll},
    }};
    for (const auto &[name, run] : actions) {
        QPushButton *button = CreateButton(name);
        connect(button, &QPushButton::clicked, this, run);
        // The plan's own buttons on the left, those of all plans on the right.
        if (name == "BPlaeneKopieren")
            buttons->addStretch();
        buttons->addWidget(button);
    }
    BPlanWiederherstellen_ = findChild<QPushButton *>(QStringLiteral("BPlanWiederherstellen"));
    BPlanWiederherstellen_->hide();
    BPlaeneKopieren_ = findChild<QPushButton *>(QStringLiteral("BPlaeneKopieren"));
    layout->addLayout(buttons);

    TVPlanVergleich_ = Named(new FrozenColumnTable(this), "TVPlanVergleich");
    comparison_ = new QStandardItemModel(this);
    TVPlanVergleich_->setModel(comparison_);
    TVPlanVergleich_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TVPlanVergleich_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The long names of bonus rows would take the room of the plans: cut, and whole in their tooltip.
    TVPlanVergleich_->verticalHeader()->setMaximumWidth(fontMetrics().averageCharWidth() * 30);
    layout->addWidget(Heading(TVPlanVergleich_));
    layout->addWidget(TVPlanVergleich_, 1);

    connect(LBPlaene_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && static_cast<std::size_t>(row) < shelf_.Plans().size())
            EPlanName_->setText(Text(shelf_.Plans()[static_cast<std::size_t>(row)].name));
    });
    connect(LBPlaene_, &QListWidget::itemActivated, this, &FPlaene::OpenPlan);
    connect(EPlanName_, &QLineEdit::returnPressed, this, &FPlaene::Save);
    // The one place where this window follows the main window: the record of every user action there.
    recordConnection_ = document_.recorded.Connect([this](const PlanRecord &) { ShowComparison(); });
    ShowPlans();
    resize(760, 560);
}

QPushButton *FPlaene::CreateButton(std::string_view name)
{
    return Named(new QPushButton(Caption(name), this), name);
}

void FPlaene::Open()
{
    ShowPlans();
    show();
    raise();
    activateWindow();
}

void FPlaene::Save()
{
    const std::string name = EPlanName_->text().toStdString();
    PlanShelf::Saving saving = shelf_.Save(name, document_.Code());
    if (saving.outcome == PlanShelf::Outcome::AskFirst && AskReplace(saving.message))
        saving = shelf_.Save(name, document_.Code(), true);
    if (saving.outcome == PlanShelf::Outcome::Refused) {
        ShowMessage(this, QMessageBox::Warning, saving.message, kMessageName);
        return;
    }
    EPlanName_->setText(Text(saving.name));
    ShowPlans(saving.name);
}

bool FPlaene::AskReplace(const std::string &question)
{
    QMessageBox box(QMessageBox::Question, windowTitle(), Text(question), QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("PlanErsetzen"));
    QPushButton *replace = box.addButton(Caption("BPlanErsetzen"), QMessageBox::AcceptRole);
    replace->setObjectName(QStringLiteral("BPlanErsetzen"));
    QPushButton *keep = box.addButton(Caption("BPlanNichtErsetzen"), QMessageBox::RejectRole);
    keep->setObjectName(QStringLiteral("BPlanNichtErsetzen"));
    // Enter keeps the plan that exists: replacing it is the step that loses something.
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == replace;
}

void FPlaene::OpenPlan()
{
    const std::string name = EPlanName_->text().toStdString();
    const SavedPlan *plan = shelf_.Find(name);
    if (plan == nullptr) {
        ShowMessage(this, QMessageBox::Warning, NoSuchPlanText(name), kMessageName);
        return;
    }
    const command::OpenSaved open{plan->name, plan->code};
    CommandReply reply;
    if (CallPlanner(this, [&] { reply = document_.Run(open); }))
        ReportPlanApplication(this, reply);
}

void FPlaene::Remove()
{
    const std::string name = EPlanName_->text().toStdString();
    if (!shelf_.Remove(name)) {
        ShowMessage(this, QMessageBox::Warning, NoSuchPlanText(name), kMessageName);
        return;
    }
    BPlanWiederherstellen_->show();
    ShowPlans();
}

void FPlaene::Restore()
{
    if (const std::optional<std::string> name = shelf_.Restore()) {
        EPlanName_->setText(Text(*name));
        ShowPlans(*name);
    }
    BPlanWiederherstellen_->setVisible(shelf_.CanRestore());
}

void FPlaene::CopyAll()
{
    QGuiApplication::clipboard()->setText(Text(shelf_.CopyText()));
}

void FPlaene::PasteAll()
{
    const ClipboardRead clipboard = ReadClipboard();
    // Without text, the same words as a plan's paste.
    const PlanDecoding nothing = FindPastedPlanCode(clipboard.content, clipboard.text);
    if (nothing.kind == PlanCodeError::Empty) {
        ShowMessage(this, QMessageBox::Warning, nothing.error, kMessageName);
        return;
    }
    const PlanShelf::Pasting pasting = shelf_.Paste(clipboard.text);
    ShowPlans(pasting.added.empty() ? std::string() : pasting.added.back());
    ShowMessage(
        this, pasting.unread.empty() ? QMessageBox::Information : QMessageBox::Warning, pasting.message, kMessageName);
}

void FPlaene::closeEvent(QCloseEvent *event)
{
    shelf_.ForgetRemoved();
    BPlanWiederherstellen_->hide();
    QWidget::closeEvent(event);
}

void FPlaene::ShowPlans(const std::string &chosen)
{
    {
        // Choosing a row writes its name; redrawing the list chooses nothing.
        const QSignalBlocker blocker(LBPlaene_);
        LBPlaene_->clear();
        const std::vector<std::string> rows = shelf_.RowTexts();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            LBPlaene_->addItem(Text(rows[i]));
            if (shelf_.Plans()[i].name == chosen)
                LBPlaene_->setCurrentRow(static_cast<int>(i));
        }
    }
    BPlaeneKopieren_->setEnabled(!shelf_.Plans().empty());
    ShowComparison();
}

void FPlaene::ShowComparison()
{
    const ComparisonTable table = shelf_.Compare(ShownPlanOf(document_));
    comparison_->clear();
    comparison_->setColumnCount(static_cast<int>(table.columns.size()));
    comparison_->setRowCount(static_cast<int>(table.rows.size()));
    for (std::size_t column = 0; column < table.columns.size(); ++column)
        comparison_->setHorizontalHeaderItem(static_cast<int>(column), new QStandardItem(Text(table.columns[column])));
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const ComparisonRow &line = table.rows[row];
        auto *title = new QStandardItem(Text(line.title));
        title->setToolTip(title->text());
        comparison_->setVerticalHeaderItem(static_cast<int>(row), title);
        for (std::size_t column = 0; column < line.cells.size(); ++column) {
            const ComparisonCell &cell = line.cells[column];
            auto *item = new QStandardItem(Text(cell.Text()));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (cell.differs)
                item->setBackground(ToQColor(kDifferenceColour));
            comparison_->setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
    }
}

} // namespace rollwerk
