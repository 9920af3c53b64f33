// The plans window, opened from the main window's context menu and driven
// by its object names with real clicks and keys: saving, opening and
// undoing it, replacing after the question, removing and bringing back, the
// comparison table following the main window, the copied text pasted into
// the plans of another window; and the menu items both front ends share.

#include "ClipboardTexts.h"
#include "ComparisonTexts.h"
#include "MainWindowFixture.h"
#include "ModalBoxReader.h"
#include "PlanCode.h"
#include "PlanShelfTexts.h"
#include "QtColour.h"
#include "RollwerkApplication.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

std::string Code(const std::string &className, int level, std::initializer_list<std::pair<int, int>> skills)
{
    rollwerk::Plan plan{className, level, {}};
    for (const auto &[skill, value] : skills)
        plan.skills[skill] = value;
    return rollwerk::EncodePlan(plan);
}

const std::string kEndPlan = Code("Seraphim", 120, {{1, 60}, {2, 40}, {10, 100}});
const std::string kLevelling = Code("Seraphim", 100, {{1, 60}, {2, 50}, {5, 30}});

} // namespace

class PlansWindowTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void savesAndOpensAPlanAsOneStep();
    void asksBeforeReplacing();
    void removedPlanComesBackUntilTheWindowCloses();
    void tableShowsDifferencesAndFollowsTheMainWindow();
    void copiedPlansPasteIntoAnotherWindow();
    void menuItemsBothFrontEndsShare();

private:
    // The main window's context menu item of this name, chosen with the mouse.
    void Choose(const QString &item);
    QWidget *OpenPlans();
    template <typename T = QWidget> T *InPlans(const QString &name) const
    {
        return NamedWidget<T>(window_->findChild<QWidget *>(QStringLiteral("FPlaene")), name);
    }
    // Types the name and clicks "Speichern".
    void SaveAs(const QString &name);
    QStringList Rows() const;
    void ChooseRow(int row);
};

void PlansWindowTest::init()
{
    QVERIFY(OpenWindow());
    QGuiApplication::clipboard()->clear();
}

void PlansWindowTest::cleanup()
{
    CloseWindow();
}

void PlansWindowTest::Choose(const QString &item)
{
    RightClickClientArea();
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
    auto *action = menu->findChild<QAction *>(item);
    QVERIFY(action);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

QWidget *PlansWindowTest::OpenPlans()
{
    Choose(QStringLiteral("Plaene"));
    auto *plans = window_->findChild<QWidget *>(QStringLiteral("FPlaene"));
    if (plans == nullptr || !QTest::qWaitForWindowExposed(plans))
        return nullptr;
    plans->activateWindow();
    return plans;
}

void PlansWindowTest::SaveAs(const QString &name)
{
    auto *edit = InPlans<QLineEdit>(QStringLiteral("EPlanName"));
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // A key for each character, umlauts and emoji included, as a keyboard layout sends them.
    for (qsizetype i = 0; i < name.size(); ++i) {
        const qsizetype length = name.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, name.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
    QTest::mouseClick(InPlans<QPushButton>(QStringLiteral("BPlanSpeichern")), Qt::LeftButton);
}

QStringList PlansWindowTest::Rows() const
{
    QStringList rows;
    const auto *list = InPlans<QListWidget>(QStringLiteral("LBPlaene"));
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

void PlansWindowTest::ChooseRow(int row)
{
    auto *list = InPlans<QListWidget>(QStringLiteral("LBPlaene"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void PlansWindowTest::savesAndOpensAPlanAsOneStep()
{
    window_->Document().Run(rollwerk::command::OpenLink{kEndPlan});
    QVERIFY(OpenPlans());
    SaveAs(QStringLiteral("Endg\u00fcltig"));
    SaveAs(QString());
    const QString freePoints = Named<QLabel>(QStringLiteral("LFertFrei"))->text().section(QLatin1Char(' '), -1);
    QCOMPARE(Rows(),
        QStringList({QStringLiteral("Endg\u00fcltig \u2013 Seraphim, Stufe 120, %1 Punkte frei").arg(freePoints),
            QStringLiteral("Plan 1 \u2013 Seraphim, Stufe 120, %1 Punkte frei").arg(freePoints)}));
    QCOMPARE(InPlans<QLineEdit>(QStringLiteral("EPlanName"))->text(), QStringLiteral("Plan 1"));

    // "Neuer Plan" from the main window's menu, then the saved plan back.
    Choose(QStringLiteral("NeuerPlan"));
    auto *level = Named<QAbstractSpinBox>(QStringLiteral("SpEStufeH"));
    QCOMPARE(level->text(), QStringLiteral("1"));
    const std::string fresh = window_->Document().Code();
    ChooseRow(0);
    QCOMPARE(InPlans<QLineEdit>(QStringLiteral("EPlanName"))->text(), QStringLiteral("Endg\u00fcltig"));
    QTest::mouseClick(InPlans<QPushButton>(QStringLiteral("BPlanOeffnen")), Qt::LeftButton);
    QCOMPARE(level->text(), QStringLiteral("120"));
    QCOMPARE(Named<QAbstractSpinBox>(QStringLiteral("SpEFert10"))->text(), QStringLiteral("100"));
    QCOMPARE(window_->Document().Code(), kEndPlan);

    // One step of the history, named after the plan; undone from the menu.
    RightClickClientArea();
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
    auto *undo = menu->findChild<QAction *>(QStringLiteral("Rueckgaengig"));
    QCOMPARE(undo->text(), QStringLiteral("&R\u00fcckg\u00e4ngig: Plan \u201eEndg\u00fcltig\u201c \u00f6ffnen"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(undo).center());
    QCOMPARE(level->text(), QStringLiteral("1"));
    QCOMPARE(window_->Document().Code(), fresh);

    // A name no plan has: said so, nothing opened.
    const ModalBoxReader box;
    InPlans<QLineEdit>(QStringLiteral("EPlanName"))->setText(QStringLiteral("Gibt es nicht"));
    QTest::mouseClick(InPlans<QPushButton>(QStringLiteral("BPlanOeffnen")), Qt::LeftButton);
    QTRY_COMPARE(box.Text(), Text(rollwerk::NoSuchPlanText("Gibt es nicht")));
    QCOMPARE(window_->Document().Code(), fresh);
}

void PlansWindowTest::asksBeforeReplacing()
{
    window_->Document().Run(rollwerk::command::OpenLink{kEndPlan});
    QVERIFY(OpenPlans());
    SaveAs(QStringLiteral("Mein Plan"));
    window_->Document().Run(rollwerk::command::OpenLink{kLevelling});
    {
        const ModalBoxReader keep(QStringLiteral("BPlanNichtErsetzen"));
        SaveAs(QStringLiteral("Mein Plan"));
        QCOMPARE(keep.Text(), Text(rollwerk::ReplaceQuestion("Mein Plan")));
    }
    QCOMPARE(Rows().size(), 1);
    QVERIFY(Rows().front().contains(QStringLiteral("Stufe 120")));
    {
        const ModalBoxReader replace(QStringLiteral("BPlanErsetzen"));
        SaveAs(QStringLiteral("Mein Plan"));
        QCOMPARE(replace.Boxes(), 1);
    }
    QCOMPARE(Rows().size(), 1);
    QVERIFY(Rows().front().startsWith(QStringLiteral("Mein Plan \u2013 Seraphim, Stufe 100")));
}

void PlansWindowTest::removedPlanComesBackUntilTheWindowCloses()
{
    QWidget *plans = OpenPlans();
    QVERIFY(plans);
    for (const QString &name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
        SaveAs(name);
    auto *restore = InPlans<QPushButton>(QStringLiteral("BPlanWiederherstellen"));
    QVERIFY(!restore->isVisible());
    ChooseRow(1);
    QTest::mouseClick(InPlans<QPushButton>(QStringLiteral("BPlanLoeschen")), Qt::LeftButton);
    QCOMPARE(Rows().size(), 2);
    QVERIFY(restore->isVisible());
    QCOMPARE(restore->text(), QStringLiteral("Wiederherstellen"));
    QTest::mouseClick(restore, Qt::LeftButton);
    QCOMPARE(Rows().size(), 3);
    QVERIFY(Rows().at(1).startsWith(QStringLiteral("B \u2013 ")));
    QVERIFY(!restore->isVisible());

    ChooseRow(0);
    QTest::mouseClick(InPlans<QPushButton>(QStringLiteral("BPlanLoeschen")), Qt::LeftButton);
    plans->close();
    QVERIFY(OpenPlans());
    QVERIFY(!restore->isVisible());
    QCOMPARE(Rows().size(), 2);
    QVERIFY(Rows().front().startsWith(QStringLiteral("B \u2013 ")));
}

void PlansWindowTest::tableShowsDifferencesAndFollowsTheMainWindow()
{
    QVERIFY(OpenPlans());
    window_->Document().Run(rollwerk::command::OpenLink{kLevelling});
    SaveAs(QStringLiteral("Leveln"));
    window_->Document().Run(rollwerk::command::OpenLink{kEndPlan});
    SaveAs(QStringLiteral("Endg\u00fcltig"));
    auto *table = InPlans<QTableView>(QStringLiteral("TVPlanVergleich"));
    const QAbstractItemModel *model = table->model();
    const auto column = [&](const QString &title) {
        for (int c = 0; c < model->columnCount(); ++c) {
            if (model->headerData(c, Qt::Horizontal).toString() == title)
                return c;
        }
        return -1;
    };
    const auto row = [&](const QString &title) {
        for (int r = 0; r < model->rowCount(); ++r) {
            if (model->headerData(r, Qt::Vertical).toString() == title)
                return r;
        }
        return -1;
    };
    const auto cell = [&](const QString &r, const QString &c) { return model->index(row(r), column(c)); };
    QCOMPARE(model->columnCount(), 3);
    QCOMPARE(column(QStringLiteral("Angezeigt")), 0);
    QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("Klasse"));
    QCOMPARE(
        cell(QStringLiteral("Stufe"), QStringLiteral("Leveln")).data().toString(), QStringLiteral("100 (\u221220)"));
    QCOMPARE(
        cell(QStringLiteral("Schwertkunde"), QStringLiteral("Leveln")).data().toString(), QStringLiteral("30 (+30)"));
    QCOMPARE(cell(QStringLiteral("Stufe"), QStringLiteral("Endg\u00fcltig")).data().toString(), QStringLiteral("120"));
    QCOMPARE(cell(QStringLiteral("Stufe"), QStringLiteral("Leveln")).data(Qt::BackgroundRole).value<QBrush>().color(),
        rollwerk::ToQColor(rollwerk::kDifferenceColour));
    QVERIFY(!cell(QStringLiteral("Stufe"), QStringLiteral("Endg\u00fcltig")).data(Qt::BackgroundRole).isValid());

    // The main window's level stepped up with its key: the first column and the differences follow.
    auto *level = Named<QAbstractSpinBox>(QStringLiteral("SpEStufeH"));
    window_->activateWindow();
    level->setFocus(Qt::TabFocusReason);
    QTest::keyClick(level, Qt::Key_Up);
    QCOMPARE(cell(QStringLiteral("Stufe"), QStringLiteral("Angezeigt")).data().toString(), QStringLiteral("121"));
    QCOMPARE(cell(QStringLiteral("Stufe"), QStringLiteral("Endg\u00fcltig")).data().toString(),
        QStringLiteral("120 (\u22121)"));

    // Scrolled sideways, the shown plan's column stays where it was.
    auto *frozen = table->findChild<QTableView *>(QStringLiteral("FrozenColumn"));
    QVERIFY(frozen && frozen->isVisible());
    const auto besideTheTitles = [&] {
        return frozen->geometry().left() == table->verticalHeader()->geometry().right() + 1
            && frozen->width() == table->columnWidth(0);
    };
    QTRY_VERIFY(besideTheTitles());
    table->resize(table->verticalHeader()->width() + table->columnWidth(0) + 30, table->height());
    table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
    QVERIFY(table->horizontalScrollBar()->maximum() > 0);
    QVERIFY(table->columnViewportPosition(0) < 0);
    QVERIFY(besideTheTitles());
    QCOMPARE(frozen->model()->index(0, 0).data().toString(), QStringLiteral("Seraphim"));
}

void PlansWindowTest::copiedPlansPasteIntoAnotherWindow()
{
    QVERIFY(OpenPlans());
    window_->Document().Run(rollwerk::command::OpenLink{kEndPlan});
    SaveAs(QStringLiteral("Endg\u00fcltig: Seraph"));
    window_->Document().Run(rollwerk::command::OpenLink{kLevelling});
    SaveAs(QStringLiteral("Stra\u00dfe \U0001F409"));
    const QStringList rows = Rows();
    QTest::mouseClick(InPlans<QPushButton>(QStringLiteral("BPlaeneKopieren")), Qt::LeftButton);
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied.count(QLatin1Char('\n')), 2);
    QVERIFY(copied.contains(Text(kEndPlan)));

    // Another window, its plans empty: the paste brings both, and a second paste numbers the names.
    CloseWindow();
    QVERIFY(OpenWindow());
    QVERIFY(OpenPlans());
    QCOMPARE(Rows(), QStringList());
    QGuiApplication::clipboard()->setText(copied + QStringLiteral("Kein Plan hier\n"));
    {
        const ModalBoxReader box;
        QTest::mouseClick(InPlans<QPushButton>(QStringLiteral("BPlaeneEinfuegen")), Qt::LeftButton);
        QVERIFY(box.Text().startsWith(QStringLiteral("2 Pl\u00e4ne hinzugef\u00fcgt.\n")));
        QVERIFY(box.Text().contains(QStringLiteral("Zeile 3 \u201eKein Plan hier\u201c")));
    }
    QCOMPARE(Rows(), rows);
    QGuiApplication::clipboard()->setText(copied);
    {
        const ModalBoxReader box;
        QTest::mouseClick(InPlans<QPushButton>(QStringLiteral("BPlaeneEinfuegen")), Qt::LeftButton);
        QCOMPARE(box.Text(), QStringLiteral("2 Pl\u00e4ne hinzugef\u00fcgt."));
    }
    QVERIFY(Rows().at(2).startsWith(QStringLiteral("Endg\u00fcltig: Seraph (2) \u2013 ")));
    // An empty clipboard: the words of a plan's paste.
    QGuiApplication::clipboard()->clear();
    const ModalBoxReader box;
    QTest::mouseClick(InPlans<QPushButton>(QStringLiteral("BPlaeneEinfuegen")), Qt::LeftButton);
    QCOMPARE(box.Text(), Text(std::string(rollwerk::kEmptyClipboardText)));
}

void PlansWindowTest::menuItemsBothFrontEndsShare()
{
    RightClickClientArea();
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << action->text();
    QCOMPARE(texts.mid(0, 7),
        QStringList({"&Neuer Plan", "Plan &kopieren", "Plan &einf\u00fcgen", "&Boni kopieren", "&Pl\u00e4ne \u2026",
            "Plan &optimieren \u2026", "Mit Plan &vergleichen"}));
    menu->close();

    // "Mit Plan vergleichen" with a picture on the clipboard says so, as "Plan einfügen" does.
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(picture);
    {
        const ModalBoxReader box;
        Choose(QStringLiteral("PlanVergleichen"));
        QTRY_VERIFY(!box.Text().isEmpty());
        QCOMPARE(box.Text(), QStringLiteral("Kein Plan-Code: Die Zwischenablage enth\u00e4lt ein Bild, keinen Text."));
    }
    // The plan compared with itself is the same plan.
    window_->Document().Run(rollwerk::command::OpenLink{kEndPlan});
    QGuiApplication::clipboard()->setText(Text(kEndPlan));
    const ModalBoxReader box;
    Choose(QStringLiteral("PlanVergleichen"));
    QTRY_VERIFY(!box.Text().isEmpty());
    QCOMPARE(box.Text(), Text(std::string(rollwerk::kSamePlansText)));
}

int main(int argc, char *argv[])
{
    rollwerk::RollwerkApplication app(argc, argv);
    PlansWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PlansWindowTest.moc"
