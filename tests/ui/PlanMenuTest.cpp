// The main window's context menu with the real clipboard, and the skill
// fields' previews: opened by the right mouse button and the menu key, on
// the client area and on the bonus list.

#include "MainWindowFixture.h"
#include "ModalBoxReader.h"
#include "PictureFormats.h"
#include "PlanApply.h"
#include "PlanCode.h"
#include "PlanSummary.h"
#include "Preview.h"
#include "RollwerkApplication.h"
#include "SpinField.h"
#include "TFMain.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QToolTip>

#include <memory>

namespace {

rollwerk::Plan Mage()
{
    rollwerk::Plan plan{"Kampfmagier", 60, {}};
    plan.skills[2] = 40;
    plan.skills[21] = 30;
    plan.skills[11] = 50;
    plan.skills[13] = 12;
    return plan;
}

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

class PlanMenuTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copyPlanPutsTheSummaryWithItsCode();
    void pastePlan_data();
    void pastePlan();
    void copyBonusesPutsTheBonusLines();
    void skillsPreviewTheirNextPoint();
    void undoBringsBackWhatALowerLevelWiped();

private:
    // Opens the menu as the user does.
    void OpenMenu(bool menuKey);
    // Opens the menu and chooses the entry with the mouse, or by its access key
    // when one is given; with a text, the entry must show it, enabled.
    void Choose(const QString &entry, bool menuKey, const QString &text = {}, char accessKey = 0);
};

void PlanMenuTest::init()
{
    QVERIFY(OpenWindow());
    QGuiApplication::clipboard()->clear();
}

void PlanMenuTest::cleanup()
{
    CloseWindow();
}

void PlanMenuTest::OpenMenu(bool menuKey)
{
    auto *list = Named<QListWidget>(QStringLiteral("LBBoni"));
    if (menuKey) {
        // The menu key in the bonus list: the window system turns it into
        // this event (Qt's offscreen platform has no keyboard of its own for it).
        list->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(list->hasFocus());
        const QPoint position = list->viewport()->geometry().center();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, position, list->mapToGlobal(position));
        QApplication::sendEvent(list, &event);
    } else {
        RightClickClientArea();
    }
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
    QCOMPARE(menu->objectName(), QStringLiteral("PlanMenu"));
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << action->text();
    // The plan's own items, then the history's after a separator.
    QCOMPARE(texts.mid(0, 7),
        QStringList({"&Neuer Plan", "Plan &kopieren", "Plan &einf\u00fcgen", "&Boni kopieren", "&Pl\u00e4ne \u2026",
            "Plan &optimieren \u2026", "Mit Plan &vergleichen"}));
}

void PlanMenuTest::Choose(const QString &entry, bool menuKey, const QString &text, char accessKey)
{
    OpenMenu(menuKey);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    auto *action = menu->findChild<QAction *>(entry);
    QVERIFY(action);
    if (!text.isEmpty()) {
        QCOMPARE(action->text(), text);
        QVERIFY(action->isEnabled());
    }
    if (accessKey != 0)
        QTest::keyClick(menu, accessKey);
    else
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

void PlanMenuTest::copyPlanPutsTheSummaryWithItsCode()
{
    rollwerk::ApplyPlan(window_->Models(), Mage());
    Choose(QStringLiteral("PlanKopieren"), false);
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied, Text(rollwerk::PlanSummary(window_->Models())));
    QVERIFY(copied.startsWith(QStringLiteral("Kampfmagier, Stufe 60\nMagiekunde: 40\n")));
    // The code stands on a line of its own and reads as the plan.
    const QString code = Text(rollwerk::EncodePlan(Mage()));
    QVERIFY(copied.split(QLatin1Char('\n')).contains(code));
    QCOMPARE(rollwerk::FindPlanCode(copied.toStdString()).plan, Mage());
    for (const QString &row : BonusRows())
        QVERIFY(copied.contains(row + QLatin1Char('\n')));
    // The counters as the window shows them, and the program that wrote the text.
    QVERIFY(
        copied.contains(QLatin1Char('\n') + Named<QLabel>(QStringLiteral("LFertFrei"))->text() + QLatin1Char('\n')));
    QVERIFY(copied.contains(QStringLiteral("\nFreie Anzahl an ausw\u00e4hlbaren Fertigkeiten: ")
        + Named<QLabel>(QStringLiteral("LFertGesAnzeige"))->text() + QLatin1Char('\n')));
    QVERIFY(copied.endsWith(QStringLiteral("Geplant mit ") + window_->windowTitle() + QLatin1Char('\n')));
}

void PlanMenuTest::pastePlan_data()
{
    QTest::addColumn<QString>("clipboard"); // a null text: an empty clipboard; "<Bild>": a picture
    QTest::addColumn<bool>("planShown");
    QTest::addColumn<QString>("message"); // empty: no message box

    const QString code = Text(rollwerk::EncodePlan(Mage()));
    QTest::newRow("a summary pasted back")
        << QStringLiteral("Seht mal:\n") + code + QStringLiteral("\n") << true << QString();
    QTest::newRow("a mistyped code") << code.left(5) + (code[5] == QLatin1Char('x') ? "y" : "x") + code.mid(6) << false
                                     << QStringLiteral("Das Pr\u00fcfzeichen passt nicht zum Plan-Code: Mindestens ein "
                                                       "Zeichen ist falsch abgeschrieben.");
    QTest::newRow("no code at all") << QStringLiteral(
        "Hallo") << false << QStringLiteral("Kein Plan-Code gefunden: Ein Plan-Code beginnt mit \u201eRW\u201c.");
    rollwerk::Plan tooMuch{"Gladiator", 3, {}};
    tooMuch.skills[1] = 3;
    tooMuch.skills[18] = 3;
    QTest::newRow("more points than the level grants")
        << Text(rollwerk::EncodePlan(tooMuch)) << false
        << QStringLiteral("Der Plan lie\u00df sich nach den Regeln des Planers nicht ganz \u00fcbernehmen:\n"
                          "Konzentration: 1 statt 3 (2 weniger): die Fertigkeitspunkte der Stufe reichen nicht");
    QTest::newRow("an empty clipboard") << QString() << false
                                        << QStringLiteral("Kein Plan-Code: Die Zwischenablage ist leer.");
    QTest::newRow("a picture on the clipboard") << QStringLiteral(
        "<Bild>") << false << QStringLiteral("Kein Plan-Code: Die Zwischenablage enth\u00e4lt ein Bild, keinen Text.");
}

void PlanMenuTest::pastePlan()
{
    QFETCH(QString, clipboard);
    QFETCH(bool, planShown);
    QFETCH(QString, message);

    if (clipboard.isNull()) {
        QGuiApplication::clipboard()->clear();
    } else if (clipboard == QStringLiteral("<Bild>")) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(picture);
    } else {
        QGuiApplication::clipboard()->setText(clipboard);
    }
    const rollwerk::PlannerState before = window_->Models().CaptureState();
    const ModalBoxReader box;
    Choose(QStringLiteral("PlanEinfuegen"), true);
    QTest::qWait(50);

    QCOMPARE(box.Text(), message);
    if (planShown) {
        QCOMPARE(rollwerk::CurrentPlan(window_->Models()), Mage());
        QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEStufeH"))->text(), QStringLiteral("60"));
        QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEFert11"))->text(), QStringLiteral("50"));
        QVERIFY(BonusRows().contains(QStringLiteral("Schaden von Feuermagie: +100 %")));
    } else if (message.contains(QStringLiteral("Plan-Code"))) {
        QVERIFY(window_->Models().CaptureState() == before);
    }
}

void PlanMenuTest::copyBonusesPutsTheBonusLines()
{
    rollwerk::ApplyPlan(window_->Models(), Mage());
    Choose(QStringLiteral("BoniKopieren"), true, {}, 'b');
    QCOMPARE(QGuiApplication::clipboard()->text(), BonusRows().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QCOMPARE(BonusRows().size(), 6);
}

void PlanMenuTest::skillsPreviewTheirNextPoint()
{
    auto *level = Named<QAbstractSpinBox>(QStringLiteral("SpEStufeH"));
    auto *field = Named<QAbstractSpinBox>(QStringLiteral("SpEFert3"));
    auto *caption = Named<QLabel>(QStringLiteral("LFert3Head"));
    auto preview = [this](int skill) {
        return Text(rollwerk::DescribePreview(skill, rollwerk::PreviewPlan(window_->Models())[skill]));
    };
    QCOMPARE(field->toolTip(), preview(3));
    QVERIFY(field->toolTip().contains(QStringLiteral("erst ab Stufe 3")));
    // A locked field shows why when the mouse rests on it.
    QVERIFY(!field->isEnabled());
    QTest::mouseMove(field, field->rect().center());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), preview(3));

    level->setFocus(Qt::TabFocusReason);
    QTest::keyClick(level, Qt::Key_Up);
    QTest::keyClick(level, Qt::Key_Up);
    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(field->text(), QStringLiteral("1"));
    for (int s : {1, 3, 4, 18}) {
        auto *skill = Named<QAbstractSpinBox>(QStringLiteral("SpEFert%1").arg(s));
        QCOMPARE(skill->toolTip(), preview(s));
        QCOMPARE(skill->accessibleDescription(), preview(s));
        QCOMPARE(Named<QLabel>(QStringLiteral("LFert%1Head").arg(s))->toolTip(), preview(s));
    }
    QVERIFY(caption->toolTip().contains(QStringLiteral("Ein Punkt weniger: Faustkampf 1 \u2192 0")));
}

void PlanMenuTest::undoBringsBackWhatALowerLevelWiped()
{
    const auto item = [](const QString &name) {
        return qobject_cast<QMenu *>(QApplication::activePopupWidget())->findChild<QAction *>(name);
    };
    OpenMenu(false);
    QCOMPARE(item(QStringLiteral("Rueckgaengig"))->text(), QStringLiteral("&R\u00fcckg\u00e4ngig"));
    QVERIFY(!item(QStringLiteral("Rueckgaengig"))->isEnabled());
    QVERIFY(!item(QStringLiteral("Wiederholen"))->isEnabled());
    QApplication::activePopupWidget()->close();

    rollwerk::Plan plan{"Gladiator", 60, {}};
    plan.skills[1] = 40;
    plan.skills[18] = 20;
    plan.skills[24] = 20;
    plan.skills[26] = 10;
    rollwerk::ApplyPlan(window_->Models(), plan);
    const QStringList rows = BonusRows();
    auto *level = Named<QAbstractSpinBox>(QStringLiteral("SpEStufeH"));
    const auto skillTexts = [this] {
        QStringList texts;
        for (int s : {1, 18, 24, 26})
            texts << Named<QAbstractSpinBox>(QStringLiteral("SpEFert%1").arg(s))->text();
        return texts;
    };
    level->setFocus(Qt::TabFocusReason);
    level->selectAll();
    QTest::keyClicks(level, QStringLiteral("55"));
    QCOMPARE(skillTexts(), QStringList({"5", "5", "5", "5"}));

    Choose(QStringLiteral("Rueckgaengig"), false,
        QStringLiteral("&R\u00fcckg\u00e4ngig: Stufe 60 \u2192 55 (4 Fertigkeiten gesenkt)"));
    QCOMPARE(level->text(), QStringLiteral("60"));
    QCOMPARE(skillTexts(), QStringList({"40", "20", "20", "10"}));
    QCOMPARE(BonusRows(), rows);
    QCOMPARE(Named<QLabel>(QStringLiteral("LFertFrei"))->text(), Text(window_->Models().LFertFrei.Text()));

    Choose(QStringLiteral("Wiederholen"), true,
        QStringLiteral("&Wiederholen: Stufe 60 \u2192 55 (4 Fertigkeiten gesenkt)"));
    QCOMPARE(level->text(), QStringLiteral("55"));
    QCOMPARE(skillTexts(), QStringList({"5", "5", "5", "5"}));

    // Handel's down button held until it repeats: one step with all its repeats.
    auto *handel = Named<QAbstractSpinBox>(QStringLiteral("SpEFert26"));
    const QPoint down(handel->width() - rollwerk::SpinField::kButtonWidth / 2, handel->height() * 3 / 4);
    QTest::mousePress(handel, Qt::LeftButton, {}, down);
    QTRY_VERIFY_WITH_TIMEOUT(handel->text().toInt() <= 3, 2000);
    QTest::mouseRelease(handel, Qt::LeftButton, {}, down);
    const QString held = handel->text();
    Choose(QStringLiteral("Rueckgaengig"), false, QStringLiteral("&R\u00fcckg\u00e4ngig: Handel 5 \u2192 ") + held);
    QCOMPARE(handel->text(), QStringLiteral("5"));
    QCOMPARE(level->text(), QStringLiteral("55"));
}

int main(int argc, char *argv[])
{
    rollwerk::RegisterJpegFormat();
    rollwerk::RollwerkApplication app(argc, argv);
    PlanMenuTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PlanMenuTest.moc"
