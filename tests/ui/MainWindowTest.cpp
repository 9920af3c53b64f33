// The main window driven like a user would: real keys and clicks on widgets
// found by their names, checked against the designed layout and the worked
// examples of the planner rules.

#include "MainWindowFixture.h"
#include "PictureFormats.h"
#include "PlanApply.h"
#include "RollwerkApplication.h"
#include "TFMain.h"
#include "WindowLayout.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace layout = rollwerk::layout;
using SkillTexts = QMap<int, QString>;

namespace {

const QColor kAvailable(130, 255, 139);
const QColor kLocked(255, 128, 128);

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class MainWindowTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpSkills_data();
    void startUpSkills();
    void startUpOutsideTheGrid();
    void widgetLayout_data();
    void widgetLayout();
    void skillGridLayout_data();
    void skillGridLayout();
    void widgetsDoNotOverlap();
    void declaredTabOrder();
    void tabKeyVisitsEnabledFields_data();
    void tabKeyVisitsEnabledFields();
    void upKeyOverspendingIsUndone_data();
    void upKeyOverspendingIsUndone();
    void typedValueClampsOnLeavingTheField();
    void typingALevelPassesThroughEachKeystroke_data();
    void typingALevelPassesThroughEachKeystroke();
    void classPickedFromTheList();
    void classTyped_data();
    void classTyped();
    void fullSlotsLockAndFreeSlotsUnlock();
    void countersGrowToTheRight();
    void smallWindowScrollsToEveryWidget();
    void bonusListScrollsBeyond28Rows();
    void bonusListNeverCutsALine();
    void fieldContextMenusAreGerman_data();
    void fieldContextMenusAreGerman();
    void beendenEndsTheLoopWithZero();
    void errorEscapingAHandlerIsShown();
    void plannerOutlivesItsViews();

private:
    QAbstractSpinBox *Skill(int s) const { return Named<QAbstractSpinBox>(QStringLiteral("SpEFert%1").arg(s)); }
    static QLineEdit *EditOf(QWidget *field) { return field->findChild<QLineEdit *>(); }
    static QString Shown(QWidget *field) { return EditOf(field)->text(); }
    static QColor ColourOf(QWidget *field) { return EditOf(field)->palette().color(QPalette::Base); }

    // Puts the focus in a field, selects its text and types over it, as a user would.
    void TypeOver(QWidget *field, const QString &keys);
    void Leave(QWidget *field) { QTest::keyClick(field, Qt::Key_Tab); }
    void SetLevel(const QString &level) { TypeOver(Named(QStringLiteral("SpEStufeH")), level); }
    QString FreePoints() const { return Named<QLabel>(QStringLiteral("LFertFrei"))->text(); }
    QString FreeSlots() const { return Named<QLabel>(QStringLiteral("LFertGesAnzeige"))->text(); }
};

void MainWindowTest::init()
{
    QVERIFY(OpenWindow());
}

void MainWindowTest::cleanup()
{
    CloseWindow();
}

void MainWindowTest::TypeOver(QWidget *field, const QString &keys)
{
    field->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(field->hasFocus());
    EditOf(field)->selectAll();
    QTest::keyClicks(field, keys);
}

void MainWindowTest::startUpSkills_data()
{
    QTest::addColumn<int>("skill");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("minimum");

    for (int s = 1; s <= rollwerk::kSkillCount; ++s) {
        const bool starting = s == 1 || s == 18;
        QTest::addRow("skill %d %s", s, starting ? "starts chosen at 1" : "starts locked at 0")
            << s << starting << (starting ? 1 : 0);
    }
}

void MainWindowTest::startUpSkills()
{
    QFETCH(int, skill);
    QFETCH(bool, enabled);
    QFETCH(int, minimum);

    QAbstractSpinBox *field = Skill(skill);
    QCOMPARE(Shown(field), QString::number(minimum));
    QCOMPARE(field->isEnabled(), enabled);
    QCOMPARE(Named(QStringLiteral("LFert%1Head").arg(skill))->isEnabled(), enabled);
    QCOMPARE(field->property("minimum").toInt(), minimum);
    QCOMPARE(field->property("maximum").toInt(), 1);
    QCOMPARE(EditOf(field)->maxLength(), 6); // three characters of up to two UTF-16 units
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        QCOMPARE(EditOf(field)->palette().color(group, QPalette::Base), enabled ? kAvailable : kLocked);
}

void MainWindowTest::startUpOutsideTheGrid()
{
    QCOMPARE(window_->objectName(), QStringLiteral("FMain"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Rollwerk Tolvar V1.0"));
    QVERIFY(!window_->windowIcon().isNull());
    QCOMPARE(window_->palette().color(QPalette::Window), QColor(166, 202, 240));
    QCOMPARE(window_->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(window_->font().pixelSize(), 16);
    // Offscreen reports no frame: the client takes the whole outer size.
    QCOMPARE(window_->frameGeometry(), QRect(199, 168, 963, 706));

    auto *box = Named<QComboBox>(QStringLiteral("CBCharwahl"));
    QCOMPARE(box->currentText(), QStringLiteral("Gladiator"));
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    QCOMPARE(items, (QStringList{"Gladiator", "Seraphim", "Waldelfin", "Dunkelelf", "Kampfmagier", "Vampirin"}));
    QVERIFY(box->maxVisibleItems() >= 6);

    QAbstractSpinBox *level = Named<QAbstractSpinBox>(QStringLiteral("SpEStufeH"));
    QCOMPARE(Shown(level), QStringLiteral("1"));
    QCOMPARE(level->property("minimum").toInt(), 1);
    QCOMPARE(level->property("maximum").toInt(), 250);
    QVERIFY(level->hasFocus());
    // Black text in the bold font, greyed when disabled like every field.
    const QPalette levelPalette = EditOf(level)->palette();
    QCOMPARE(levelPalette.color(QPalette::Active, QPalette::Text), QColor(Qt::black));
    QVERIFY(levelPalette.color(QPalette::Disabled, QPalette::Text) != QColor(Qt::black));

    QCOMPARE(FreePoints(), QStringLiteral("Freie Fertigkeitspunkte: 0"));
    QCOMPARE(FreeSlots(), QStringLiteral("0"));
    QVERIFY(!BonusRows().isEmpty());
    QStringList planned;
    for (const std::string &line : window_->Models().LBBoni.Lines())
        planned << QString::fromStdString(line);
    QCOMPARE(BonusRows(), planned);

    for (const QString name : {"IHead1", "Image1"})
        QCOMPARE(Named<QLabel>(name)->pixmap().size(), QSize(63, 87));

    auto *menuBar = Named<QMenuBar>(QStringLiteral("MainMenu1"));
    QStringList barItems;
    for (const QAction *action : menuBar->actions())
        barItems << action->text();
    QCOMPARE(barItems, (QStringList{"&Programm", "&Info"}));
    QCOMPARE(Named<QMenu>(QStringLiteral("Programm1"))->actions().value(0)->objectName(), QStringLiteral("Beenden1"));
    QCOMPARE(Named<QAction>(QStringLiteral("Beenden1"))->text(), QStringLiteral("&Beenden"));
    QCOMPARE(Named<QAction>(QStringLiteral("Info1"))->menu(), nullptr);
}

void MainWindowTest::widgetLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("designed");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("label");

    // Straight from the designed drawing, not from the program's table.
    // clang-format off
    QTest::newRow("IHead1") << "IHead1" << QRect(208, 0, 63, 87) << 0 << false << false;
    QTest::newRow("LHead") << "LHead" << QRect(280, 16, 400, 42) << 37 << true << true;
    QTest::newRow("Image1") << "Image1" << QRect(688, 0, 63, 87) << 0 << false << false;
    QTest::newRow("LBoni") << "LBoni" << QRect(555, 81, 128, 19) << 16 << true << true;
    QTest::newRow("CBCharwahl") << "CBCharwahl" << QRect(72, 96, 145, 27) << 16 << true << false;
    QTest::newRow("LStufeHead") << "LStufeHead" << QRect(240, 104, 147, 19) << 16 << true << true;
    QTest::newRow("SpEStufeH") << "SpEStufeH" << QRect(392, 96, 57, 29) << 16 << true << false;
    QTest::newRow("LFertFrei") << "LFertFrei" << QRect(72, 136, 175, 19) << 16 << true << true;
    QTest::newRow("LFertGes") << "LFertGes" << QRect(72, 160, 290, 19) << 16 << true << true;
    QTest::newRow("LFertGesAnzeige") << "LFertGesAnzeige" << QRect(368, 160, 8, 19) << 16 << true << true;
    QTest::newRow("LBBoni") << "LBBoni" << QRect(552, 104, 398, 540) << 16 << false << false;
    // clang-format on
}

void MainWindowTest::widgetLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, designed);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(bool, label);

    QWidget *widget = Named(name);
    const QRect actual = widget->geometry();
    if (name == QLatin1String("LFertGesAnzeige")) {
        QCOMPARE(actual.left(), Named(QStringLiteral("LFertGes"))->geometry().right() + 1 + 6);
        QCOMPARE(actual.top(), designed.top());
    } else {
        QCOMPARE(actual.topLeft(), designed.topLeft());
    }
    if (label) {
        // Labels fit their text: the designed widths are of the original font, a few pixels off.
        QCOMPARE(actual.height(), designed.height());
        QCOMPARE(actual.width(), widget->sizeHint().width());
        QVERIFY2(actual.width() <= designed.width() + 16, qPrintable(QString::number(actual.width())));
        QVERIFY(widget->autoFillBackground());
        QCOMPARE(widget->palette().color(QPalette::Window), QColor(166, 202, 240));
    } else {
        QCOMPARE(actual.size(), designed.size());
    }
    if (!name.startsWith(QLatin1String("I"))) {
        QCOMPARE(widget->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(widget->font().pixelSize(), pixelSize);
        QCOMPARE(widget->font().bold(), bold);
    }
}

void MainWindowTest::skillGridLayout_data()
{
    QTest::addColumn<int>("skill");
    QTest::addColumn<QPoint>("captionAt");
    QTest::addColumn<QString>("caption");

    // The grid straight from the designed drawing, not from the program's table.
    const int columns[4] = {8, 152, 288, 424};
    const int grid[7][4] = {{1, 7, 13, 21}, {2, 8, 14, 22}, {3, 9, 15, 23}, {4, 10, 16, 24}, {5, 11, 17, 25},
        {6, 12, 18, 26}, {28, 19, 27, 20}};
    const char *captions[] = {"Waffenkunde", "Magiekunde", "Faustkampf", "Zwei-Waffenkampf", "Schwertkunde", "Axtkampf",
        "Klingenwaffen", "Stangenwaffen", "Fernkampf", "Himmelsmagie", "Feuermagie", "Wassermagie", "Luftmagie",
        "Erdmagie", "Mondmagie", "Ballistik", "Blutrausch", "Konzentration", "Fallenkunst", "Vampirismus", "Meditation",
        "Wendigkeit", "Konstitution", "Parade", "R\u00fcstung", "Handel", "Reiten", "Entwaffnung"};
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int s = grid[row][column];
            QTest::addRow("skill %d %s", s, captions[s - 1])
                << s << QPoint(columns[column], 208 + 64 * row) << QString::fromUtf8(captions[s - 1]);
        }
    }
}

void MainWindowTest::skillGridLayout()
{
    QFETCH(int, skill);
    QFETCH(QPoint, captionAt);
    QFETCH(QString, caption);

    auto *label = Named<QLabel>(QStringLiteral("LFert%1Head").arg(skill));
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->geometry().topLeft(), captionAt);
    QCOMPARE(label->height(), 19);
    QCOMPARE(label->width(), label->sizeHint().width());
    QAbstractSpinBox *field = Skill(skill);
    QCOMPARE(field->geometry(), QRect(captionAt + QPoint(0, 24), QSize(121, 29)));
    for (const QWidget *widget : {static_cast<QWidget *>(label), static_cast<QWidget *>(field)}) {
        QCOMPARE(widget->font().pixelSize(), 16);
        QVERIFY(!widget->font().bold());
    }
}

void MainWindowTest::widgetsDoNotOverlap()
{
    QList<QWidget *> widgets;
    for (const layout::WidgetEntry &entry : layout::kMainWidgets)
        widgets << Named(Text(entry.name));
    for (int s = 1; s <= rollwerk::kSkillCount; ++s)
        widgets << Skill(s) << Named(QStringLiteral("LFert%1Head").arg(s));
    for (int i = 0; i < widgets.size(); ++i) {
        for (int j = i + 1; j < widgets.size(); ++j) {
            QVERIFY2(!widgets[i]->geometry().intersects(widgets[j]->geometry()),
                qPrintable(widgets[i]->objectName() + " / " + widgets[j]->objectName()));
        }
    }
}

void MainWindowTest::declaredTabOrder()
{
    QStringList expected{"SpEStufeH", "CBCharwahl"};
    for (const int s :
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 22, 20, 13, 14, 15, 16, 17, 18, 19, 21, 23, 24, 25, 26, 27, 28})
        expected << QStringLiteral("SpEFert%1").arg(s);
    expected << QStringLiteral("LBBoni");

    // Follow the focus chain once round, keeping the named widgets (inner edits are proxies).
    QStringList chain;
    QWidget *start = Named(QStringLiteral("SpEStufeH"));
    QWidget *widget = start;
    do {
        if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != start);
    QCOMPARE(chain, expected);
}

void MainWindowTest::tabKeyVisitsEnabledFields_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QStringList>("visits");

    // clang-format off
    QTest::newRow("at start: level, class, skills 1 and 18, bonus list")
        << QString() << QStringList{"CBCharwahl", "SpEFert1", "SpEFert18", "LBBoni", "SpEStufeH"};
    QTest::newRow("Gladiator at level 3: skill 22 comes before 18")
        << QStringLiteral("3")
        << QStringList{"CBCharwahl", "SpEFert1", "SpEFert3", "SpEFert4",  "SpEFert5",  "SpEFert6", "SpEFert9",
                       "SpEFert22", "SpEFert18", "SpEFert23", "SpEFert25", "LBBoni", "SpEStufeH"};
    // clang-format on
}

void MainWindowTest::tabKeyVisitsEnabledFields()
{
    QFETCH(QString, level);
    QFETCH(QStringList, visits);

    if (!level.isEmpty())
        SetLevel(level);
    QWidget *levelField = Named(QStringLiteral("SpEStufeH"));
    levelField->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(levelField->hasFocus());
    QStringList visited;
    for (int i = 0; i < visits.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        // A field's inner edit holds the focus for its field.
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget();
        visited << (focus ? focus->objectName() : QString());
    }
    QCOMPARE(visited, visits);
}

void MainWindowTest::upKeyOverspendingIsUndone_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<SkillTexts>("typed");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("starting skill at level 1: 2 is set, then undone")
        << QString() << SkillTexts{} << QStringLiteral("1");
    QTest::newRow("level 3 with the last point spent")
        << QStringLiteral("3") << SkillTexts{{1, "2"}, {18, "3"}} << QStringLiteral("2");
    // clang-format on
}

void MainWindowTest::upKeyOverspendingIsUndone()
{
    QFETCH(QString, level);
    QFETCH(SkillTexts, typed);
    QFETCH(QString, expected);

    if (!level.isEmpty())
        SetLevel(level);
    for (auto it = typed.cbegin(); it != typed.cend(); ++it)
        TypeOver(Skill(it.key()), it.value());
    QCOMPARE(FreePoints(), QStringLiteral("Freie Fertigkeitspunkte: 0"));
    QAbstractSpinBox *field = Skill(1);
    field->setFocus(Qt::OtherFocusReason);
    const QStringList rowsBefore = BonusRows();
    window_->Models().ResetCounts();

    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(Shown(field), expected);
    QCOMPARE(FreePoints(), QStringLiteral("Freie Fertigkeitspunkte: 0"));
    QCOMPARE(BonusRows(), rowsBefore);
    // The raise and its undo: one run each, the undo nested in the raise.
    QCOMPARE(window_->Models().Counts().skillChanges, 2);
}

void MainWindowTest::typedValueClampsOnLeavingTheField()
{
    SetLevel(QStringLiteral("250"));
    QCOMPARE(Shown(Named(QStringLiteral("SpEStufeH"))), QStringLiteral("250"));
    QAbstractSpinBox *field = Skill(1);
    TypeOver(field, QStringLiteral("300"));
    QCOMPARE(Shown(field), QStringLiteral("300"));
    QCOMPARE(window_->Models().SkillValue[1], 300);

    window_->Models().ResetCounts();
    Leave(field);
    QCOMPARE(Shown(field), QStringLiteral("250"));
    QCOMPARE(window_->Models().SkillValue[1], 250);
    QCOMPARE(window_->Models().Counts().skillChanges, 1);
}

void MainWindowTest::typingALevelPassesThroughEachKeystroke_data()
{
    QTest::addColumn<SkillTexts>("typed");
    QTest::addColumn<SkillTexts>("atLevel2");
    QTest::addColumn<QString>("freeAtLevel2");
    QTest::addColumn<SkillTexts>("atLevel25");
    QTest::addColumn<QString>("freeAtLevel25");
    QTest::addColumn<QString>("firstBonusRowAt25"); // describes the values shown

    // clang-format off
    QTest::newRow("skill 3 at 5 is zeroed at level 2 and stays 0 at 25")
        << SkillTexts{{3, "5"}} << SkillTexts{{1, "1"}, {18, "1"}, {3, "0"}} << QStringLiteral("1")
        << SkillTexts{{1, "1"}, {18, "1"}, {3, "0"}} << QStringLiteral("61")
        << QStringLiteral("Schaden bei physischen Angriffen: +12 %");
    QTest::newRow("skills at 10, 20, 10 are clamped to 2 by the undo")
        << SkillTexts{{1, "10"}, {18, "10"}, {3, "20"}} << SkillTexts{{1, "2"}, {18, "2"}, {3, "2"}}
        << QStringLiteral("-3") << SkillTexts{{1, "2"}, {18, "2"}, {3, "2"}} << QStringLiteral("57")
        << QStringLiteral("Angriffswert beim Faustkampf: +20 %");
    // clang-format on
}

void MainWindowTest::typingALevelPassesThroughEachKeystroke()
{
    QFETCH(SkillTexts, typed);
    QFETCH(SkillTexts, atLevel2);
    QFETCH(QString, freeAtLevel2);
    QFETCH(SkillTexts, atLevel25);
    QFETCH(QString, freeAtLevel25);
    QFETCH(QString, firstBonusRowAt25);

    SetLevel(QStringLiteral("30"));
    for (auto it = typed.cbegin(); it != typed.cend(); ++it) {
        TypeOver(Skill(it.key()), it.value());
        QCOMPARE(Shown(Skill(it.key())), it.value());
    }

    QWidget *level = Named(QStringLiteral("SpEStufeH"));
    TypeOver(level, QStringLiteral("2"));
    for (auto it = atLevel2.cbegin(); it != atLevel2.cend(); ++it)
        QCOMPARE(Shown(Skill(it.key())), it.value());
    QVERIFY(!Skill(3)->isEnabled());
    QCOMPARE(ColourOf(Skill(3)), kLocked);
    QCOMPARE(FreePoints(), "Freie Fertigkeitspunkte: " + freeAtLevel2);
    const QStringList rowsAtLevel2 = BonusRows();

    QTest::keyClick(level, Qt::Key_5);
    QCOMPARE(Shown(level), QStringLiteral("25"));
    for (auto it = atLevel25.cbegin(); it != atLevel25.cend(); ++it)
        QCOMPARE(Shown(Skill(it.key())), it.value());
    QVERIFY(Skill(3)->isEnabled());
    QCOMPARE(ColourOf(Skill(3)), kAvailable);
    QCOMPARE(FreePoints(), "Freie Fertigkeitspunkte: " + freeAtLevel25);
    QCOMPARE(BonusRows().value(0), firstBonusRowAt25);
    QCOMPARE(BonusRows(), rowsAtLevel2); // raising the level changes no skill
}

void MainWindowTest::classPickedFromTheList()
{
    SetLevel(QStringLiteral("10"));
    TypeOver(Skill(1), QStringLiteral("5"));
    TypeOver(Skill(18), QStringLiteral("3"));
    QCOMPARE(Shown(Skill(1)), QStringLiteral("5"));
    window_->Models().ResetCounts();

    auto *box = Named<QComboBox>(QStringLiteral("CBCharwahl"));
    box->showPopup();
    QAbstractItemView *list = box->view();
    QTRY_VERIFY(list->isVisible());
    QVERIFY(!list->verticalScrollBar()->isVisible());
    // The rows are lines of the box's bold font, 19 px high.
    QCOMPARE(list->font(), box->font());
    const QRect seraphim = list->visualRect(list->model()->index(1, 0));
    QCOMPARE(seraphim.height(), 19);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, seraphim.center());
    QTRY_VERIFY(!list->isVisible());

    QCOMPARE(box->currentText(), QStringLiteral("Seraphim"));
    QCOMPARE(Shown(Named(QStringLiteral("SpEStufeH"))), QStringLiteral("1"));
    for (int s = 1; s <= rollwerk::kSkillCount; ++s) {
        const bool starting = s == 1 || s == 2;
        QAbstractSpinBox *field = Skill(s);
        QCOMPARE(Shown(field), starting ? QStringLiteral("1") : QStringLiteral("0"));
        QCOMPARE(field->isEnabled(), starting);
        QCOMPARE(ColourOf(field), starting ? kAvailable : kLocked);
        if (starting) {
            QCOMPARE(field->property("minimum").toInt(), 1);
            QCOMPARE(field->property("maximum").toInt(), 1);
        }
    }
    QCOMPARE(FreeSlots(), QStringLiteral("0"));
    QCOMPARE(FreePoints(), QStringLiteral("Freie Fertigkeitspunkte: 0"));
    const QStringList rows = BonusRows();
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows[0].startsWith(QStringLiteral("Schaden bei physischen Angriffen: +12")));
    QVERIFY(rows[1].startsWith(QStringLiteral("Schaden bei magischen Angriffen: +12")));
    // The widgets add no notifications of their own to the planner's nesting.
    QCOMPARE(window_->Models().Counts().classChanges, 2);
    QCOMPARE(window_->Models().Counts().skillChanges, 10);
}

void MainWindowTest::classTyped_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("lastClass");
    QTest::addColumn<QStringList>("startingSkills");

    // clang-format off
    QTest::newRow("V completes to Vampirin with the rest selected")
        << QStringLiteral("V") << QStringLiteral("Vampirin") << QStringLiteral("ampirin")
        << QStringLiteral("Vampirin") << QStringList{"SpEFert1", "SpEFert20"};
    QTest::newRow("lower-case v names no class: the box falls back to Gladiator")
        << QStringLiteral("v") << QStringLiteral("Gladiator") << QString() << QStringLiteral("vampirin")
        << QStringList{"SpEFert1", "SpEFert18"};
    QTest::newRow("x begins no class: the box falls back to Gladiator")
        << QStringLiteral("x") << QStringLiteral("Gladiator") << QString() << QStringLiteral("x")
        << QStringList{"SpEFert1", "SpEFert18"};
    // clang-format on
}

void MainWindowTest::classTyped()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QString, selected);
    QFETCH(QString, lastClass);
    QFETCH(QStringList, startingSkills);

    SetLevel(QStringLiteral("7"));
    auto *box = Named<QComboBox>(QStringLiteral("CBCharwahl"));
    TypeOver(box, keys);
    QCOMPARE(box->currentText(), shown);
    if (!selected.isEmpty())
        QCOMPARE(box->lineEdit()->selectedText(), selected);
    QCOMPARE(QString::fromStdString(window_->Models().LastClass), lastClass);
    QCOMPARE(Shown(Named(QStringLiteral("SpEStufeH"))), QStringLiteral("1"));
    for (int s = 1; s <= rollwerk::kSkillCount; ++s) {
        const bool starting = startingSkills.contains(QStringLiteral("SpEFert%1").arg(s));
        QCOMPARE(Shown(Skill(s)), starting ? QStringLiteral("1") : QStringLiteral("0"));
    }
    if (shown != lastClass) {
        // The box and the remembered class differ: the next level typed restarts the plan.
        SetLevel(QStringLiteral("5"));
        QCOMPARE(Shown(Named(QStringLiteral("SpEStufeH"))), QStringLiteral("1"));
    }
}

void MainWindowTest::fullSlotsLockAndFreeSlotsUnlock()
{
    SetLevel(QStringLiteral("3"));
    QCOMPARE(FreeSlots(), QStringLiteral("1"));
    QCOMPARE(FreePoints(), QStringLiteral("Freie Fertigkeitspunkte: 3"));
    QVERIFY(Skill(4)->isEnabled());

    TypeOver(Skill(3), QStringLiteral("1"));
    QCOMPARE(FreeSlots(), QStringLiteral("0"));
    for (const int s : {4, 5, 6, 9, 22, 23, 25}) {
        QVERIFY2(!Skill(s)->isEnabled(), qPrintable(QString::number(s)));
        QVERIFY(!Named(QStringLiteral("LFert%1Head").arg(s))->isEnabled());
        QCOMPARE(ColourOf(Skill(s)), kLocked);
    }
    QVERIFY(Skill(3)->isEnabled());

    TypeOver(Skill(3), QStringLiteral("0"));
    QCOMPARE(FreeSlots(), QStringLiteral("1"));
    for (const int s : {3, 4, 5, 6, 9, 22, 23, 25}) {
        QVERIFY(Skill(s)->isEnabled());
        QVERIFY(Named(QStringLiteral("LFert%1Head").arg(s))->isEnabled());
        QCOMPARE(ColourOf(Skill(s)), kAvailable);
    }
}

void MainWindowTest::countersGrowToTheRight()
{
    auto *points = Named<QLabel>(QStringLiteral("LFertFrei"));
    auto *slotsLabel = Named<QLabel>(QStringLiteral("LFertGesAnzeige"));
    const QRect pointsBefore = points->geometry();
    const QRect slotsBefore = slotsLabel->geometry();

    SetLevel(QStringLiteral("250"));
    QVERIFY(FreePoints().size() > QStringLiteral("Freie Fertigkeitspunkte: 0").size() + 1);
    QCOMPARE(points->geometry().topLeft(), pointsBefore.topLeft());
    QVERIFY(points->width() > pointsBefore.width());
    QCOMPARE(points->width(), points->sizeHint().width());

    // A negative count has more characters: the number widens, its left edge stays.
    SetLevel(QStringLiteral("3"));
    TypeOver(Skill(1), QStringLiteral("2"));
    TypeOver(Skill(18), QStringLiteral("2"));
    TypeOver(Skill(3), QStringLiteral("1"));
    SetLevel(QStringLiteral("2"));
    QCOMPARE(FreeSlots(), QStringLiteral("-1"));
    QCOMPARE(slotsLabel->geometry().topLeft(), slotsBefore.topLeft());
    QVERIFY(slotsLabel->width() > slotsBefore.width());
}

void MainWindowTest::smallWindowScrollsToEveryWidget()
{
    window_->resize(500, 300);
    auto *area = window_->findChild<QScrollArea *>();
    QVERIFY(area);
    QCOMPARE(area->frameShape(), QFrame::NoFrame);
    QCOMPARE(area->focusPolicy(), Qt::NoFocus);
    QTRY_VERIFY(area->horizontalScrollBar()->isVisible());
    QVERIFY(area->verticalScrollBar()->isVisible());
    QVERIFY(area->horizontalScrollBar()->maximum() >= 950 - area->viewport()->width());
    QVERIFY(area->verticalScrollBar()->maximum() >= 645 - area->viewport()->height());

    // Tabbing into the bonus list scrolls it into view.
    Skill(18)->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(Skill(18)->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY(Named(QStringLiteral("LBBoni"))->hasFocus());
    QTRY_VERIFY(area->horizontalScrollBar()->value() > 0);
}

void MainWindowTest::bonusListScrollsBeyond28Rows()
{
    auto *list = Named<QListWidget>(QStringLiteral("LBBoni"));
    QCOMPARE(list->frameShadow(), QFrame::Sunken);
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list->palette().color(QPalette::Base), QColor(249, 234, 213));
    list->clear();
    for (int row = 0; row < 28; ++row)
        list->addItem(QStringLiteral("Zeile %1").arg(row));
    QCOMPARE(list->visualItemRect(list->item(1)).height(), 19);
    QTRY_VERIFY(!list->verticalScrollBar()->isVisible());
    list->addItem(QStringLiteral("Zeile 28"));
    QTRY_VERIFY(list->verticalScrollBar()->isVisible());
}

void MainWindowTest::bonusListNeverCutsALine()
{
    auto *list = Named<QListWidget>(QStringLiteral("LBBoni"));
    QVERIFY(list->toolTip().startsWith(QStringLiteral("Ein Rechtsklick \u00f6ffnet das Men\u00fc des Plans")));
    // A plan whose longest bonus line is wider than the list.
    QVERIFY(rollwerk::PastePlan(window_->Models(), rollwerk::ClipboardContent::Text, "RW1rHAAABYyAAAAh").applied);
    int widest = 0;
    for (int row = 0; row < list->count(); ++row) {
        QCOMPARE(list->item(row)->toolTip(), list->item(row)->text());
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->item(row)->text()));
    }
    QVERIFY(widest > list->viewport()->width());
    QTRY_VERIFY(list->horizontalScrollBar()->isVisible());
    QVERIFY(list->horizontalScrollBar()->maximum() >= widest - list->viewport()->width());
}

void MainWindowTest::fieldContextMenusAreGerman_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QStringList>("texts"); // of the menu's items, without access keys

    const QStringList editing{QStringLiteral("R\u00fcckg\u00e4ngig"), QStringLiteral("Wiederherstellen"),
        QStringLiteral("Ausschneiden"), QStringLiteral("Kopieren"), QStringLiteral("Einf\u00fcgen"),
        QStringLiteral("L\u00f6schen"), QStringLiteral("Alles ausw\u00e4hlen")};
    QTest::newRow("the level field") << QStringLiteral("SpEStufeH")
                                     << editing + QStringList{"Inkrementieren", "Dekrementieren"};
    QTest::newRow("the class box") << QStringLiteral("CBCharwahl") << editing;
}

void MainWindowTest::fieldContextMenusAreGerman()
{
    QFETCH(QString, widget);
    QFETCH(QStringList, texts);

    QWidget *target = Named(widget);
    if (auto *box = qobject_cast<QComboBox *>(target))
        target = box->lineEdit();
    QStringList shown;
    QTimer reader;
    connect(&reader, &QTimer::timeout, this, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : menu->actions()) {
                if (!action->isSeparator())
                    shown << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
            }
            menu->close();
            reader.stop();
        }
    });
    reader.start(10);
    const QPoint position = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, position, target->mapToGlobal(position));
    QApplication::sendEvent(target, &event);
    QTRY_VERIFY(!reader.isActive());
    QCOMPARE(shown, texts);
}

void MainWindowTest::beendenEndsTheLoopWithZero()
{
    QTimer::singleShot(0, window_.get(), [this] { Named<QAction>(QStringLiteral("Beenden1"))->trigger(); });
    QCOMPARE(QApplication::exec(), 0);
}

void MainWindowTest::errorEscapingAHandlerIsShown()
{
    // A widget whose event handler fails as a planner error would.
    struct Failing : QObject {
        bool event(QEvent *event) override
        {
            if (event->type() == QEvent::User)
                throw std::runtime_error("Testfehler");
            return QObject::event(event);
        }
    } failing;

    QString shownText;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible()) {
                shownText = box->text();
                box->done(QMessageBox::Ok);
                closer.stop();
            }
        }
    });
    closer.start(10);
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&failing, &event);
    QVERIFY(shownText.contains(QStringLiteral("Testfehler")));
    // The loop goes on: the window still answers keys.
    QTest::keyClick(Skill(1), Qt::Key_Up);
    QCOMPARE(Shown(Skill(1)), QStringLiteral("1"));
}

void MainWindowTest::plannerOutlivesItsViews()
{
    // Each view goes while the planner is whole; the planner's destructor clears LastClass.
    const rollwerk::Planner &planner = window_->Models();
    QStringList seen;
    const QList<QWidget *> views{Named(QStringLiteral("CBCharwahl")), Named(QStringLiteral("SpEStufeH")), Skill(28),
        Named(QStringLiteral("LBBoni"))};
    for (QWidget *view : views)
        connect(view, &QObject::destroyed, [&] { seen << QString::fromStdString(planner.LastClass); });
    window_.reset();
    QCOMPARE(seen, QStringList(4, QStringLiteral("Gladiator")));
}

int main(int argc, char *argv[])
{
    rollwerk::RegisterJpegFormat();
    rollwerk::RollwerkApplication app(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
