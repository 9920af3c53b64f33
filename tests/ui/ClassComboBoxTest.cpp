#include "ClassComboBox.h"
#include "Planner.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <string>
#include <vector>

using namespace rollwerk;

namespace {

const std::vector<std::string> kItems{"Gladiator", "Seraphim", "Waldelfin", "Dunkelelf", "Kampfmagier", "Vampirin"};

// A class box on a shown, active window next to a second widget that can take the focus.
struct Fixture {
    explicit Fixture(std::string text = "Gladiator") : model(kItems, std::move(text))
    {
        model.onChange = [this] { ++notifications; };
        box = new ClassComboBox(model, &window);
        box->setGeometry(8, 8, 145, 27);
        other = new QLineEdit(&window);
        other->setGeometry(8, 48, 145, 27);
        window.resize(170, 90);
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
        box->setFocus(Qt::OtherFocusReason);
    }

    QString text() const { return box->lineEdit()->text(); }
    QString selected() const { return box->lineEdit()->selectedText(); }

    ClassBox model;
    int notifications = 0;
    QWidget window;
    ClassComboBox *box = nullptr;
    QLineEdit *other = nullptr;
    bool active = false;
};

// A class box on a shown, active window, viewing a whole planner.
struct PlannerFixture {
    PlannerFixture()
    {
        planner.FormCreate();
        box = new ClassComboBox(planner.CBCharwahl, &window);
        box->setGeometry(8, 8, 145, 27);
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
        box->setFocus();
    }

    Planner planner;
    QWidget window;
    ClassComboBox *box = nullptr;
    bool active = false;
};

} // namespace

class ClassComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void completion_data();
    void completion();
    void backspace_data();
    void backspace();
    void otherEditsReachTheModel_data();
    void otherEditsReachTheModel();
    void arrowKeys_data();
    void arrowKeys();
    void pickFromList_data();
    void pickFromList();
    void listShowsSixItemsInOrder();
    void enterAddsNoItem();
    void wheelDoesNothing();
    void leavingDoesNotLookTheTextUp();
    void procedureTextIsShownSilently();
    void plannerUnknownClassEndsAsGladiator_data();
    void plannerUnknownClassEndsAsGladiator();
    void plannerCompletedClassRestartsThePlan();
};

void ClassComboBoxTest::completion_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<int>("notifications");

    // clang-format off
    QTest::newRow("V completes") << "V" << "Vampirin" << "ampirin" << 1;
    QTest::newRow("typed case is kept") << "v" << "vampirin" << "ampirin" << 1;
    QTest::newRow("no item begins with x") << "x" << "x" << "" << 1;
    QTest::newRow("second letter narrows") << "Wa" << "Waldelfin" << "ldelfin" << 2;
    QTest::newRow("k for Kampfmagier") << "k" << "kampfmagier" << "ampfmagier" << 1;
    QTest::newRow("D then unknown letter") << "Dz" << "Dz" << "" << 2;
    QTest::newRow("whole name") << "Seraphim" << "Seraphim" << "" << 8;
    QTest::newRow("input method V completes") << "IM:V" << "Vampirin" << "ampirin" << 1;
    // clang-format on
}

void ClassComboBoxTest::completion()
{
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(QString, selection);
    QFETCH(int, notifications);

    Fixture f;
    QVERIFY(f.active);
    f.box->lineEdit()->selectAll();
    if (keys.startsWith(QStringLiteral("IM:"))) {
        QInputMethodEvent event;
        event.setCommitString(keys.mid(3));
        QApplication::sendEvent(f.box, &event);
    } else {
        QTest::keyClicks(f.box, keys);
    }
    QCOMPARE(f.text(), expected);
    QCOMPARE(f.selected(), selection);
    QCOMPARE(QString::fromStdString(f.model.Text()), expected);
    QCOMPARE(f.notifications, notifications);
    QCOMPARE(f.box->count(), 6);
}

void ClassComboBoxTest::backspace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("notifications");

    // clang-format off
    QTest::newRow("deletes before the caret") << "Gladiator" << 2 << "Gladiat" << 2;
    QTest::newRow("empty text still notifies") << "" << 3 << "" << 3;
    // clang-format on
}

void ClassComboBoxTest::backspace()
{
    QFETCH(QString, text);
    QFETCH(int, presses);
    QFETCH(QString, expected);
    QFETCH(int, notifications);

    Fixture f(text.toStdString());
    QVERIFY(f.active);
    QCOMPARE(f.text(), text);
    f.box->lineEdit()->end(false);
    for (int i = 0; i < presses; ++i)
        QTest::keyClick(f.box, Qt::Key_Backspace);
    QCOMPARE(f.text(), expected);
    QCOMPARE(f.notifications, notifications);
}

void ClassComboBoxTest::otherEditsReachTheModel_data()
{
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("notifications");

    // clang-format off
    QTest::newRow("delete") << QKeyCombination(Qt::Key_Delete) << "ladiator" << 1;
    QTest::newRow("paste is not completed") << QKeyCombination(Qt::ControlModifier, Qt::Key_V) << "vamXGladiator"
                                             << 1;
    QTest::newRow("moving the caret changes nothing") << QKeyCombination(Qt::Key_Right) << "Gladiator" << 0;
    // clang-format on
}

void ClassComboBoxTest::otherEditsReachTheModel()
{
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, expected);
    QFETCH(int, notifications);

    Fixture f;
    QVERIFY(f.active);
    QGuiApplication::clipboard()->setText(QStringLiteral("vamX"));
    f.box->lineEdit()->setCursorPosition(0);
    QTest::keyClick(f.box, keys.key(), keys.keyboardModifiers());
    QCOMPARE(f.text(), expected);
    QCOMPARE(QString::fromStdString(f.model.Text()), expected);
    QCOMPARE(f.notifications, notifications);
}

void ClassComboBoxTest::arrowKeys_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("notifications");

    // clang-format off
    QTest::newRow("down to the next") << "Seraphim" << int(Qt::Key_Down) << "Waldelfin" << 1;
    QTest::newRow("up to the previous") << "Seraphim" << int(Qt::Key_Up) << "Gladiator" << 1;
    QTest::newRow("up at the first stays") << "Gladiator" << int(Qt::Key_Up) << "Gladiator" << 0;
    QTest::newRow("down at the last stays") << "Vampirin" << int(Qt::Key_Down) << "Vampirin" << 0;
    QTest::newRow("unknown text goes to the first") << "x" << int(Qt::Key_Down) << "Gladiator" << 1;
    QTest::newRow("page down does nothing") << "Seraphim" << int(Qt::Key_PageDown) << "Seraphim" << 0;
    // clang-format on
}

void ClassComboBoxTest::arrowKeys()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(QString, expected);
    QFETCH(int, notifications);

    Fixture f(text.toStdString());
    QVERIFY(f.active);
    QTest::keyClick(f.box, Qt::Key(key));
    QCOMPARE(f.text(), expected);
    QCOMPARE(f.box->currentText(), expected);
    QCOMPARE(f.notifications, notifications);
    QVERIFY(!f.box->view()->isVisible());
}

void ClassComboBoxTest::pickFromList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("another item") << "Gladiator" << 5 << "Vampirin";
    QTest::newRow("the current item") << "Gladiator" << 0 << "Gladiator";
    QTest::newRow("over a typed text") << "x" << 0 << "Gladiator";
    // clang-format on
}

void ClassComboBoxTest::pickFromList()
{
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(QString, expected);

    Fixture f(text.toStdString());
    QVERIFY(f.active);
    f.box->showPopup();
    QAbstractItemView *view = f.box->view();
    QTRY_VERIFY(view->isVisible());
    QCOMPARE(f.notifications, 0);
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(f.text(), expected);
    QCOMPARE(QString::fromStdString(f.model.Text()), expected);
    QCOMPARE(f.notifications, 1);
}

void ClassComboBoxTest::listShowsSixItemsInOrder()
{
    Fixture f;
    QVERIFY(f.active);
    QCOMPARE(f.box->maxVisibleItems(), 8);
    QStringList items;
    for (int i = 0; i < f.box->count(); ++i)
        items << f.box->itemText(i);
    QCOMPARE(items, (QStringList{"Gladiator", "Seraphim", "Waldelfin", "Dunkelelf", "Kampfmagier", "Vampirin"}));

    f.box->showPopup();
    QAbstractItemView *view = f.box->view();
    QTRY_VERIFY(view->isVisible());
    for (int row = 0; row < 6; ++row)
        QCOMPARE(view->visualRect(view->model()->index(row, 0)).height(), 19);
    // All six rows fit: the last one lies inside the viewport, no scroll bar.
    QVERIFY(view->viewport()->rect().contains(view->visualRect(view->model()->index(5, 0))));
    QVERIFY(!view->verticalScrollBar()->isVisible());
    f.box->hidePopup();
    QCOMPARE(f.notifications, 0);
}

void ClassComboBoxTest::enterAddsNoItem()
{
    Fixture f;
    QVERIFY(f.active);
    f.box->lineEdit()->selectAll();
    QTest::keyClicks(f.box, "xy");
    QTest::keyClick(f.box, Qt::Key_Return);
    QTest::keyClick(f.box, Qt::Key_Enter);
    QCOMPARE(f.box->count(), 6);
    QCOMPARE(f.text(), QStringLiteral("xy"));
    QCOMPARE(f.notifications, 2);
}

void ClassComboBoxTest::wheelDoesNothing()
{
    Fixture f("Seraphim");
    QVERIFY(f.active);
    const QPointF pos(f.box->width() / 2.0, f.box->height() / 2.0);
    for (const int delta : {120, -120}) {
        QWheelEvent event(pos, f.box->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.box, &event);
    }
    QCOMPARE(f.text(), QStringLiteral("Seraphim"));
    QCOMPARE(f.box->currentText(), QStringLiteral("Seraphim"));
    QCOMPARE(f.notifications, 0);
}

void ClassComboBoxTest::leavingDoesNotLookTheTextUp()
{
    Fixture f;
    QVERIFY(f.active);
    // An item's text that is not the current item: Qt's own lookup on
    // finished editing would take it as a pick.
    {
        const QSignalBlocker blocker(f.box);
        f.box->setCurrentIndex(3);
        f.box->lineEdit()->setText(QStringLiteral("Seraphim"));
    }
    QTest::keyClick(f.box, Qt::Key_Tab);
    QVERIFY(f.other->hasFocus());
    QCOMPARE(f.notifications, 0);
    QCOMPARE(f.box->currentIndex(), 3);
}

void ClassComboBoxTest::procedureTextIsShownSilently()
{
    Fixture f;
    QVERIFY(f.active);
    int editSignals = 0;
    connect(f.box, &QComboBox::editTextChanged, [&] { ++editSignals; });
    f.model.SetText("Dunkelelf");
    QCOMPARE(f.text(), QStringLiteral("Dunkelelf"));
    QCOMPARE(f.box->currentIndex(), 3);
    f.model.SetText("frei");
    QCOMPARE(f.text(), QStringLiteral("frei"));
    QCOMPARE(f.notifications, 0);
    QCOMPARE(editSignals, 0);

    // A view that goes leaves no hook behind on the model it viewed.
    delete f.box;
    QVERIFY(!f.model.textShown.HasSubscribers());
    f.model.SetText("Gladiator");
}

void ClassComboBoxTest::plannerUnknownClassEndsAsGladiator_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<QString>("lastClass");

    // The typed part keeps its case, so "vampirin" names no class.
    QTest::newRow("lower-case completion") << 'v' << "vampirin";
    QTest::newRow("no class begins with x") << 'x' << "x";
}

void ClassComboBoxTest::plannerUnknownClassEndsAsGladiator()
{
    QFETCH(char, key);
    QFETCH(QString, lastClass);

    PlannerFixture f;
    QVERIFY(f.active);

    // The plan restarts and the procedure puts "Gladiator" into the box; the
    // caret stands at its end, so that the next key does not land inside it.
    f.box->lineEdit()->selectAll();
    f.planner.ResetCounts();
    QTest::keyClick(f.box, key);
    QCOMPARE(f.box->lineEdit()->text(), QStringLiteral("Gladiator"));
    QCOMPARE(f.box->lineEdit()->cursorPosition(), 9);
    QVERIFY(!f.box->lineEdit()->hasSelectedText());
    QCOMPARE(QString::fromStdString(f.planner.LastClass), lastClass);
    QCOMPARE(f.box->currentIndex(), 0);
    QVERIFY(f.planner.Counts().classChanges > 0);
}

void ClassComboBoxTest::plannerCompletedClassRestartsThePlan()
{
    PlannerFixture f;
    QVERIFY(f.active);

    f.box->lineEdit()->selectAll();
    QTest::keyClick(f.box, 'S');
    QCOMPARE(f.box->lineEdit()->text(), QStringLiteral("Seraphim"));
    QCOMPARE(f.box->lineEdit()->selectedText(), QStringLiteral("eraphim"));
    QCOMPARE(f.planner.LastClass, std::string("Seraphim"));
    // Seraphim starts with skills 1 and 2.
    QCOMPARE(f.planner.SpEFert[2].Text(), std::string("1"));
    QVERIFY(f.planner.SpEFert[2].Enabled());
}

QTEST_MAIN(ClassComboBoxTest)
#include "ClassComboBoxTest.moc"
