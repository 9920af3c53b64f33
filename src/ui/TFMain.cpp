#include "TFMain.h"

#include "ClassComboBox.h"
#include "FixedRowDelegate.h"
#include "PictureFormats.h"
#include "PlanMenu.h"
#include "QtColour.h"
#include "SkillTips.h"
#include "SpinField.h"
#include "WindowLayout.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace rollwerk {

using layout::Text;

namespace {

void SetColour(QWidget *widget, QPalette::ColorRole role, Rgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, ToQColor(colour));
    widget->setPalette(palette);
}

// A label is as wide as its text and grows or shrinks to the right. This is
// the width of its size hint, measured once: the hint lays the text out three
// times, which adds up over the window's labels at start-up.
int TextWidth(const QLabel *label)
{
    return label->fontMetrics()
        .boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), Qt::AlignLeft | Qt::TextExpandTabs, label->text())
        .width();
}

void ResizeToText(QLabel *label, int textWidth)
{
    const QMargins margins = label->contentsMargins();
    label->resize(textWidth + margins.left() + margins.right(), label->height());
}

void FitLabel(QLabel *label)
{
    ResizeToText(label, TextWidth(label));
}

QLabel *CreateLabel(
    QWidget *content, const QString &name, const QString &text, const QFont &font, const layout::Place &place)
{
    auto *label = new QLabel(text, content);
    label->setObjectName(name);
    label->setFont(font);
    label->setAutoFillBackground(true);
    label->setGeometry(place.x, place.y, place.width, place.height);
    FitLabel(label);
    return label;
}

} // namespace

TFMain::TFMain(QWidget *parent) : PlannerWindow(parent)
{
    setObjectName(Text(layout::kMainName));
    setWindowTitle(Text(layout::kMainTitle));
    setFont(layout::FontOf(layout::FontKind::Body));
    SetColour(this, QPalette::Window, kSkyBlue);
    setAutoFillBackground(true);
    // Decoded once: the window's icon and both pictures show it.
    emblem_ = QPixmap::fromImage(LoadPicture(Text(layout::kEmblemResource)));
    setWindowIcon(QIcon(emblem_));

    // A frameless scroll area reaches every widget when the window is made small.
    auto *scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("FMainScroll"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->setWidgetResizable(true);
    // Created inside the window, so that every widget is made with the window's
    // font: made with the desktop's, each would load a font it never shows.
    auto *content = new QWidget(scrollArea);
    content->setObjectName(QStringLiteral("FMainContent"));
    content->setMinimumSize(layout::kMainContentWidth, layout::kMainContentHeight);
    CreateWidgets(content);
    const SkillTips::Widgets skillWidgets = CreateSkillGrid(content);
    scrollArea->setWidget(content);

    CreateMenu();
    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->setSpacing(0);
    windowLayout->setMenuBar(MainMenu1_);
    windowLayout->addWidget(scrollArea);

    SetTabOrder();
    layout::PlaceWindowFrame(*this, layout::kMainFrame);

    ShowBonusLines();
    recordConnection_ = document_.recorded.Connect([this](const PlanRecord &record) { ShowRecord(record); });
    // The plan travels by the clipboard; each skill field previews its next point.
    new PlanMenu(document_, this, {content, LBBoni_});
    new SkillTips(document_, content, skillWidgets);
}

void TFMain::ShowRecord(const PlanRecord &record)
{
    if (record.freePoints)
        ShowFreePoints();
    if (record.freeSlots)
        ShowFreeSlots();
    if (record.bonuses)
        ShowBonusLines();
}

void TFMain::CreateWidgets(QWidget *content)
{
    for (const layout::WidgetEntry &entry : layout::kMainWidgets) {
        const QString name = Text(entry.name);
        const QFont font = layout::FontOf(entry.font);
        QWidget *widget = nullptr;
        switch (entry.kind) {
        case layout::Kind::Picture: {
            auto *picture = new QLabel(content);
            picture->setPixmap(emblem_);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            picture->setGeometry(layout::RectOf(entry.place));
            widget = picture;
            break;
        }
        case layout::Kind::Label: {
            QString text = Text(entry.text);
            if (entry.name == "LFertFrei")
                text = QString::fromStdString(planner_.LFertFrei.Text());
            else if (entry.name == "LFertGesAnzeige")
                text = QString::fromStdString(planner_.LFertGesAnzeige.Text());
            QLabel *label = CreateLabel(content, name, text, font, entry.place);
            if (entry.font == layout::FontKind::Bold)
                SetColour(label, QPalette::WindowText, {0, 0, 0});
            if (entry.name == "LFertFrei")
                LFertFrei_ = label;
            else if (entry.name == "LFertGesAnzeige")
                LFertGesAnzeige_ = label;
            widget = label;
            break;
        }
        case layout::Kind::ClassBox: {
            auto *box = new ClassComboBox(planner_.CBCharwahl, content);
            SetColour(box, QPalette::Base, kSkyBlue);
            SetColour(box, QPalette::Button, kSkyBlue);
            SetColour(box, QPalette::Text, {0, 0, 0});
            box->view()->setPalette(QApplication::palette(box->view()));
            // On Linux Qt names an editable combo box by its text and ignores an accessible
            // name; screen readers find its name through the label relation instead.
            box->setAccessibleName(Text(layout::AccessibleName(entry.name)));
            // Its edit is a node of its own in the tree, reached by flat review.
            box->lineEdit()->setAccessibleName(box->accessibleName());
            auto *boxName = new QLabel(box->accessibleName(), content);
            boxName->setObjectName(QStringLiteral("LCharwahlName"));
            boxName->setBuddy(box);
            boxName->hide();
            widget = box;
            break;
        }
        case layout::Kind::LevelField: {
            auto *field = new SpinField(planner_.SpEStufeH, content);
            field->SetTextColour(Qt::black);
            field->setAccessibleName(Text(layout::AccessibleName(entry.name)));
            widget = field;
            break;
        }
        case layout::Kind::BonusList: {
            LBBoni_ = new QListWidget(content);
            LBBoni_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            LBBoni_->setLineWidth(1);
            LBBoni_->setSelectionMode(QAbstractItemView::SingleSelection);
            LBBoni_->setSortingEnabled(false);
            // Not uniform: the widest row, not the first, sets the width to scroll.
            LBBoni_->setUniformItemSizes(false);
            LBBoni_->setItemDelegate(new FixedRowDelegate(layout::kRowHeight, LBBoni_));
            LBBoni_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            // A number is never cut off: a row wider than the list scrolls, and shows whole as its tooltip.
            LBBoni_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            LBBoni_->setTextElideMode(Qt::ElideNone);
            LBBoni_->setToolTip(QStringLiteral("Ein Rechtsklick \u00f6ffnet das Men\u00fc des Plans: kopieren, "
                                               "einf\u00fcgen, Boni kopieren, r\u00fcckg\u00e4ngig machen und das "
                                               "Fenster der Ziele."));
            SetColour(LBBoni_, QPalette::Base, kPaperColour);
            SetColour(LBBoni_, QPalette::Text, {0, 0, 0});
            LBBoni_->setAccessibleName(Text(layout::AccessibleName(entry.name)));
            widget = LBBoni_;
            break;
        }
        }
        widget->setObjectName(name);
        if (entry.font != layout::FontKind::None)
            widget->setFont(font);
        if (entry.kind != layout::Kind::Label && entry.kind != layout::Kind::Picture)
            widget->setGeometry(layout::RectOf(entry.place));
    }
    // A label that follows another keeps its distance to that one's text, whatever the font.
    for (const layout::WidgetEntry &entry : layout::kMainWidgets) {
        if (entry.follows.empty())
            continue;
        QWidget *label = content->findChild<QWidget *>(Text(entry.name));
        const QWidget *before = content->findChild<QWidget *>(Text(entry.follows));
        label->move(before->geometry().right() + 1 + layout::kFreeSlotsGap, label->y());
    }
    // The first field in the keyboard order takes the focus when the window first becomes active.
    content->findChild<QWidget *>(QStringLiteral("SpEStufeH"))->setFocus();
}

SkillTips::Widgets TFMain::CreateSkillGrid(QWidget *content)
{
    SkillTips::Widgets widgets;
    const QFont body = layout::FontOf(layout::FontKind::Body);
    for (const layout::SkillEntry &entry : layout::kSkillGrid) {
        const int s = entry.skill;
        NumberField &model = planner_.SpEFert[s];
        QLabel *caption = CreateLabel(
            content, QStringLiteral("LFert%1Head").arg(s), Text(SkillCaption(s)), body, layout::CaptionPlace(entry));
        caption->setEnabled(model.CaptionEnabled());

        auto *field = new SpinField(model, content);
        field->setObjectName(QStringLiteral("SpEFert%1").arg(s));
        field->setFont(body);
        field->setGeometry(layout::RectOf(layout::FieldPlace(entry)));
        field->setAccessibleName(caption->text());

        connect(field, &SpinField::captionEnabledChanged, caption, &QWidget::setEnabled);
        widgets.fields[s] = field;
        widgets.captions[s] = caption;
    }
    return widgets;
}

void TFMain::CreateMenu()
{
    // The menu bar and its drop-down menu write in the window's font, like every
    // other text of the window.
    MainMenu1_ = new QMenuBar(this);
    MainMenu1_->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *programm = MainMenu1_->addMenu(QStringLiteral("&Programm"));
    programm->setObjectName(QStringLiteral("Programm1"));
    programm->setFont(font());
    programm->menuAction()->setObjectName(QStringLiteral("Programm1"));
    QAction *beenden = programm->addAction(QStringLiteral("&Beenden"));
    beenden->setObjectName(QStringLiteral("Beenden1"));
    connect(beenden, &QAction::triggered, this, &TFMain::Beenden1Click);

    QAction *info = MainMenu1_->addAction(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("Info1"));
    connect(info, &QAction::triggered, this, &TFMain::Info1Click);
}

void TFMain::SetTabOrder()
{
    const auto order = layout::MainTabOrder();
    QWidget *previous = nullptr;
    for (const std::string_view name : order) {
        QWidget *widget = findChild<QWidget *>(Text(name));
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void TFMain::FitCounter(QLabel *label, MeasuredTexts &measured)
{
    // A width holds for the font and resolution it was measured with.
    const int dpi = label->logicalDpiX();
    if (label->font() != measured.font || dpi != measured.dpi) {
        measured.widths.clear();
        measured.font = label->font();
        measured.dpi = dpi;
    }
    auto known = measured.widths.constFind(label->text());
    if (known == measured.widths.cend())
        known = measured.widths.insert(label->text(), TextWidth(label));
    ResizeToText(label, *known);
}

void TFMain::ShowFreePoints()
{
    LFertFrei_->setText(QString::fromStdString(planner_.LFertFrei.Text()));
    FitCounter(LFertFrei_, freePointsWidths_);
}

void TFMain::ShowFreeSlots()
{
    LFertGesAnzeige_->setText(QString::fromStdString(planner_.LFertGesAnzeige.Text()));
    FitCounter(LFertGesAnzeige_, freeSlotsWidths_);
}

void TFMain::ShowBonusLines()
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(planner_.LBBoni.Lines().size()));
    for (const std::string &line : planner_.LBBoni.Lines())
        lines << QString::fromStdString(line);
    LBBoni_->clear();
    LBBoni_->addItems(lines);
    for (int row = 0; row < LBBoni_->count(); ++row)
        LBBoni_->item(row)->setToolTip(lines[row]);
}

void TFMain::Beenden1Click()
{
    QCoreApplication::exit(0);
}

void TFMain::Info1Click()
{
    QWidget *info = infoWindow_;
    if (!info) {
        const auto windows = QApplication::topLevelWidgets();
        const auto found = std::find_if(windows.begin(), windows.end(),
            [](const QWidget *window) { return window->objectName() == Text(layout::kInfoName); });
        info = found == windows.end() ? nullptr : *found;
    }
    // Already shown, even minimised or covered: leave it as it is.
    if (!info || info->isVisible())
        return;
    info->setWindowState(info->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    info->show();
    info->raise();
    info->activateWindow();
}

} // namespace rollwerk
