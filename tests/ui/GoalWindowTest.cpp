// The goals window, opened from the main window's context menu and driven by
// real keys: a goal typed into its fields, the answer following the main
// window, "Übernehmen"; and "Mit Plan vergleichen" with the clipboard.

#include "BonusCurve.h"
#include "MainWindowFixture.h"
#include "ModalBoxReader.h"
#include "PictureFormats.h"
#include "PlanApply.h"
#include "PlanCode.h"
#include "RollwerkApplication.h"
#include "TFMain.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>

class GoalWindowTest : public QObject, private MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void goalTypedIntoTheWindowIsAnsweredAndEntered();
    void levellingPathPlanIsTakenAndUndone();
    void comparesThePlanWithTheClipboard();

private:
    // Opens the context menu over the client area and chooses the entry.
    void Choose(const QString &entry);
    // Gives the field the focus as Tab does (its text selected), types and leaves it with Tab.
    void TypeAndTab(const QString &name, const QString &text);
    QStringList Lines(const QString &list) const;
};

void GoalWindowTest::init()
{
    QVERIFY(OpenWindow());
    rollwerk::Plan plan{"Gladiator", 20, {}};
    plan.skills[1] = 5;
    plan.skills[18] = 5;
    rollwerk::ApplyPlan(window_->Models(), plan);
}

void GoalWindowTest::cleanup()
{
    CloseWindow();
}

void GoalWindowTest::Choose(const QString &entry)
{
    RightClickClientArea();
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
    auto *action = menu->findChild<QAction *>(entry);
    QVERIFY(action);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

void GoalWindowTest::TypeAndTab(const QString &name, const QString &text)
{
    auto *field = Named<QAbstractSpinBox>(name);
    field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
    QVERIFY(!field->hasFocus());
}

QStringList GoalWindowTest::Lines(const QString &list) const
{
    QStringList lines;
    const auto *widget = Named<QListWidget>(list);
    for (int i = 0; i < widget->count(); ++i)
        lines << widget->item(i)->text();
    return lines;
}

void GoalWindowTest::goalTypedIntoTheWindowIsAnsweredAndEntered()
{
    Choose(QStringLiteral("PlanOptimieren"));
    auto *goals = Named(QStringLiteral("FZiel"));
    QTRY_VERIFY(goals->isVisible());
    QVERIFY(goals->isWindow() && !goals->isModal());
    QCOMPARE(goals->windowTitle(), QStringLiteral("Plan optimieren"));
    goals->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(goals));
    QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEZielStufe"))->text(), QStringLiteral("20"));
    QVERIFY(Named<QCheckBox>(QStringLiteral("CBBehalten"))->isChecked());
    // Handel comes at level 50 for a Gladiator, Magiekunde never.
    QVERIFY(!Named(QStringLiteral("SpEMindest27"))->isEnabled());
    QVERIFY(!Named(QStringLiteral("SpEGewicht16"))->isEnabled());
    for (QWidget *control : goals->findChildren<QWidget *>()) {
        // A number field's line edit is its focus proxy and is named by the field.
        if ((control->focusPolicy() & Qt::TabFocus) && !qobject_cast<QAbstractSpinBox *>(control->parentWidget()))
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }

    // Life only: Konstitution up to the level, with the points kept.
    TypeAndTab(QStringLiteral("SpEGewicht23"), QStringLiteral("10"));
    auto *value = Named<QLabel>(QStringLiteral("LZielWert"));
    QTRY_VERIFY(value->text().startsWith(
        QStringLiteral("Zielwert %1 (jetzt 0)").arg(10 * rollwerk::BonusCurve(4, 130, 50, 20))));
    QCOMPARE(Lines(QStringLiteral("LBVorschlag")), QStringList({QStringLiteral("Konstitution: 0 \u2192 20")}));
    QCOMPARE(Lines(QStringLiteral("LBVergleich")),
        QStringList({QStringLiteral("Lebensenergie: 0 \u2192 +%1 % (+%1)").arg(rollwerk::BonusCurve(4, 130, 50, 20)),
            QStringLiteral("Physische Regeneration: 0 \u2192 +%1 % (+%1)").arg(rollwerk::BonusCurve(6, 150, 50, 20))}));

    // A minimum out of reach names itself and leaves nothing to enter.
    TypeAndTab(QStringLiteral("SpEMindest23"), QStringLiteral("999"));
    QTRY_VERIFY(value->text().startsWith(QStringLiteral("Lebensenergie +999 % ist auf Stufe 20 nicht erreichbar")));
    QVERIFY(!Named(QStringLiteral("BUebernehmen"))->isEnabled());
    QVERIFY(Lines(QStringLiteral("LBVorschlag")).isEmpty());
    TypeAndTab(QStringLiteral("SpEMindest23"), QStringLiteral("0"));

    // A higher target level, entered with the answer.
    TypeAndTab(QStringLiteral("SpEZielStufe"), QStringLiteral("60"));
    QTRY_VERIFY(Named(QStringLiteral("SpEMindest27"))->isEnabled());
    QTRY_COMPARE(Lines(QStringLiteral("LBVorschlag")), QStringList({QStringLiteral("Konstitution: 0 \u2192 60")}));
    QTest::mouseClick(Named<QPushButton>(QStringLiteral("BUebernehmen")), Qt::LeftButton);
    QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEStufeH"))->text(), QStringLiteral("60"));
    QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEFert23"))->text(), QStringLiteral("60"));
    QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEFert1"))->text(), QStringLiteral("5"));
    QTRY_VERIFY(Lines(QStringLiteral("LBVorschlag")).isEmpty());
    // The proposal is the plan shown now: nothing to enter.
    QVERIFY(!Named(QStringLiteral("BUebernehmen"))->isEnabled());

    // The answer follows the main window: a point taken from Konstitution there is proposed back.
    QTest::keyClick(Named<QAbstractSpinBox>(QStringLiteral("SpEFert23")), Qt::Key_Down);
    QTRY_COMPARE(Lines(QStringLiteral("LBVorschlag")), QStringList({QStringLiteral("Konstitution: 59 \u2192 60")}));

    QTest::mouseClick(Named<QPushButton>(QStringLiteral("BSchliessen")), Qt::LeftButton);
    QTRY_VERIFY(!goals->isVisible());
}

void GoalWindowTest::levellingPathPlanIsTakenAndUndone()
{
    Choose(QStringLiteral("PlanOptimieren"));
    auto *goals = Named(QStringLiteral("FZiel"));
    QTRY_VERIFY(goals->isVisible());
    goals->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(goals));
    // Life only, from the plan shown at level 20 (its points kept) to level 60.
    TypeAndTab(QStringLiteral("SpEGewicht23"), QStringLiteral("10"));
    TypeAndTab(QStringLiteral("SpEZielStufe"), QStringLiteral("60"));
    QTRY_VERIFY(!Lines(QStringLiteral("LBStufenweg")).isEmpty());
    const QStringList rows = Lines(QStringLiteral("LBStufenweg"));
    QVERIFY2(rows.front().startsWith(QStringLiteral("Stufe 20")), qPrintable(rows.join(QLatin1Char('\n'))));
    QVERIFY2(rows.join(QLatin1Char('\n')).contains(QStringLiteral("Konstitution")),
        qPrintable(rows.join(QLatin1Char('\n'))));
    auto *level = Named<QAbstractSpinBox>(QStringLiteral("SpEWegStufe"));
    QCOMPARE(level->text(), QStringLiteral("60"));

    // "Stufenweg kopieren" puts the rows on the clipboard, one line each.
    auto *copy
        = Named<QListWidget>(QStringLiteral("LBStufenweg"))->findChild<QAction *>(QStringLiteral("StufenwegKopieren"));
    QVERIFY(copy);
    QCOMPARE(copy->text(), QStringLiteral("Stufenweg &kopieren"));
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), rows.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    // The path's plan at level 40: Konstitution as high as level 40 allows, the kept points stay.
    TypeAndTab(QStringLiteral("SpEWegStufe"), QStringLiteral("40"));
    QTest::mouseClick(Named<QPushButton>(QStringLiteral("BWegUebernehmen")), Qt::LeftButton);
    QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEStufeH"))->text(), QStringLiteral("40"));
    QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEFert23"))->text(), QStringLiteral("40"));
    QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEFert1"))->text(), QStringLiteral("5"));

    // One step of the history, named after the level: undone, the plan shown before is back.
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    RightClickClientArea();
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
    auto *undo = menu->findChild<QAction *>(QStringLiteral("Rueckgaengig"));
    QVERIFY(undo);
    QCOMPARE(undo->text().remove(QLatin1Char('&')), QStringLiteral("R\u00fcckg\u00e4ngig: Stufenweg: Stufe 40"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(undo).center());
    QTRY_COMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEStufeH"))->text(), QStringLiteral("20"));
    QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEFert23"))->text(), QStringLiteral("0"));

    // Escape closes the goals window.
    goals->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(goals));
    QTest::keyClick(goals, Qt::Key_Escape);
    QTRY_VERIFY(!goals->isVisible());
}

void GoalWindowTest::comparesThePlanWithTheClipboard()
{
    rollwerk::Plan other{"Gladiator", 21, {}};
    other.skills[1] = 5;
    other.skills[18] = 5;
    other.skills[22] = 10;
    QGuiApplication::clipboard()->setText(QString::fromStdString(rollwerk::EncodePlan(other)));
    const ModalBoxReader box;
    Choose(QStringLiteral("PlanVergleichen"));
    QTRY_VERIFY(!box.Text().isEmpty());
    QCOMPARE(box.Text().split(QLatin1Char('\n')),
        QStringList(
            {QStringLiteral("Dieser Plan \u2192 Plan aus der Zwischenablage"), QStringLiteral("Stufe: 20 \u2192 21"),
                QStringLiteral("Wendigkeit: 0 \u2192 10"), QStringLiteral("Freie Fertigkeitspunkte: 38 \u2192 31"),
                QStringLiteral("Freie Pl\u00e4tze: 4 \u2192 3"), QStringLiteral("Angriffswert: 0 \u2192 +44 % (+44)"),
                QStringLiteral("Verteidigungswert: 0 \u2192 +79 % (+79)")}));
}

int main(int argc, char *argv[])
{
    rollwerk::RegisterJpegFormat();
    rollwerk::RollwerkApplication app(argc, argv);
    GoalWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "GoalWindowTest.moc"
