// What a screen reader learns about both windows through Qt's accessibility
// interfaces: a name for every widget that takes the focus, and the shown
// text as each number field's value. Qt passes change events on only while a
// platform bridge is active, which offscreen never is: scripts/check-atspi.sh
// checks the announcements with a real client.

#include "BothWindows.h"
#include "NamedWidget.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include <memory>

namespace {

const char *const kCaptions[] = {"Waffenkunde", "Magiekunde", "Faustkampf", "Zwei-Waffenkampf", "Schwertkunde",
    "Axtkampf", "Klingenwaffen", "Stangenwaffen", "Fernkampf", "Himmelsmagie", "Feuermagie", "Wassermagie", "Luftmagie",
    "Erdmagie", "Mondmagie", "Ballistik", "Blutrausch", "Konzentration", "Fallenkunst", "Vampirismus", "Meditation",
    "Wendigkeit", "Konstitution", "Parade", "R\u00fcstung", "Handel", "Reiten", "Entwaffnung"};

// The name a screen reader announces. Qt names an editable combo box on
// Linux by its text and ignores its accessible name; the AT-SPI bridge passes
// the label relation on (labelled-by), and readers take the name from there.
QString AnnouncedName(QAccessibleInterface *iface)
{
    if (iface->role() == QAccessible::ComboBox) {
        const auto labels = iface->relations(QAccessible::Label);
        return labels.size() == 1 ? labels.first().first->text(QAccessible::Name) : QString();
    }
    return iface->text(QAccessible::Name);
}

// Every focusable object of a window's accessible tree, as a reader walks it;
// hidden subtrees are left out, and items are announced by their content.
void CollectFocusable(QAccessibleInterface *iface, QList<QAccessibleInterface *> &found)
{
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    const QAccessible::Role role = iface->role();
    if (state.focusable && role != QAccessible::ListItem && role != QAccessible::Cell && role != QAccessible::MenuItem)
        found << iface;
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface *child = iface->child(i))
            CollectFocusable(child, found);
    }
}

} // namespace

class AccessibilityTest : public QObject, private BothWindows {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void namedWidgets_data();
    void namedWidgets();
    void everyFocusTargetIsNamed_data();
    void everyFocusTargetIsNamed();
    void classBoxIsLabelledByAHiddenLabel();
    void fieldValueIsTheShownText_data();
    void fieldValueIsTheShownText();

private:
    QWidget *Named(QWidget *window, const QString &name) const { return NamedWidget(window, name); }
    void Act(const QString &step);
};

void AccessibilityTest::init()
{
    QVERIFY(OpenWindows());
}

void AccessibilityTest::cleanup()
{
    CloseWindows();
}

void AccessibilityTest::namedWidgets_data()
{
    QTest::addColumn<bool>("infoWindow");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("name");

    QTest::newRow("level field, its caption without the colon")
        << false << QStringLiteral("SpEStufeH") << QStringLiteral("Stufe des Charakters");
    QTest::newRow("class box, through its label")
        << false << QStringLiteral("CBCharwahl") << QStringLiteral("Charakterklasse");
    QTest::newRow("bonus list, its caption without the colon")
        << false << QStringLiteral("LBBoni") << QStringLiteral("resultierende Boni");
    for (int s = 1; s <= 28; ++s)
        QTest::addRow("skill %d %s", s, kCaptions[s - 1])
            << false << QStringLiteral("SpEFert%1").arg(s) << QString::fromUtf8(kCaptions[s - 1]);
    QTest::newRow("info text") << true << QStringLiteral("MInfo") << QStringLiteral("Info");
}

void AccessibilityTest::namedWidgets()
{
    QFETCH(bool, infoWindow);
    QFETCH(QString, widget);
    QFETCH(QString, name);

    QWidget *window = infoWindow ? static_cast<QWidget *>(info_.get()) : main_.get();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(Named(window, widget));
    QVERIFY(iface);
    QVERIFY(iface->isValid());
    QCOMPARE(AnnouncedName(iface), name);
}

void AccessibilityTest::everyFocusTargetIsNamed_data()
{
    QTest::addColumn<bool>("infoWindow");
    QTest::addColumn<int>("targets");

    // Level, class box and its edit, 28 skills, bonus list; the info text alone.
    QTest::newRow("main window") << false << 32;
    QTest::newRow("info window") << true << 1;
}

void AccessibilityTest::everyFocusTargetIsNamed()
{
    QFETCH(bool, infoWindow);
    QFETCH(int, targets);

    QWidget *window = infoWindow ? static_cast<QWidget *>(info_.get()) : main_.get();
    if (infoWindow) {
        info_->show();
        QVERIFY(QTest::qWaitForWindowExposed(info_.get()));
    }
    QList<QAccessibleInterface *> focusable;
    CollectFocusable(QAccessible::queryAccessibleInterface(window), focusable);
    QCOMPARE(focusable.size(), targets);

    for (QAccessibleInterface *iface : focusable) {
        const QObject *object = iface->object();
        const QString what = object->objectName() + QLatin1Char(' ') + object->metaObject()->className();
        const QString name = AnnouncedName(iface).trimmed();
        QVERIFY2(!name.isEmpty(), qPrintable(what));
        QVERIFY2(!name.endsWith(QLatin1Char(':')), qPrintable(what + ": " + name));
    }
}

void AccessibilityTest::classBoxIsLabelledByAHiddenLabel()
{
    auto *box = static_cast<QComboBox *>(Named(main_.get(), QStringLiteral("CBCharwahl")));
    QAccessibleInterface *boxIface = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(boxIface->role(), QAccessible::ComboBox);
    QCOMPARE(boxIface->text(QAccessible::Value), QStringLiteral("Gladiator"));

    const auto labels = boxIface->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first().second, QAccessible::Label);
    auto *label = qobject_cast<QLabel *>(labels.first().first->object());
    QVERIFY(label);
    QCOMPARE(label->buddy(), box);
    // Only for the reader: the window shows nothing new.
    QVERIFY(!label->isVisible());
    QVERIFY(labels.first().first->state().invisible);

    // And the other way round, as the bridge reports label-for.
    const auto labelled = labels.first().first->relations(QAccessible::Labelled);
    QCOMPARE(labelled.size(), 1);
    QCOMPARE(labelled.first().first->object(), box);

    // Choosing another class keeps the name; only the value follows.
    box->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(boxIface->text(QAccessible::Value), QStringLiteral("Seraphim"));
    QCOMPARE(AnnouncedName(boxIface), QStringLiteral("Charakterklasse"));
}

// Steps: "field=text" types over the field's text, "field:up", "field:down"
// step it, "field:leave" tabs away from it.
void AccessibilityTest::Act(const QString &step)
{
    const bool typing = step.contains(QLatin1Char('='));
    const QStringList parts = step.split(typing ? QLatin1Char('=') : QLatin1Char(':'));
    QWidget *field = Named(main_.get(), parts[0]);
    field->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(field->hasFocus());
    if (typing) {
        field->findChild<QLineEdit *>()->selectAll();
        QTest::keyClicks(field, parts[1]);
    } else if (parts[1] == QLatin1String("up")) {
        QTest::keyClick(field, Qt::Key_Up);
    } else if (parts[1] == QLatin1String("down")) {
        QTest::keyClick(field, Qt::Key_Down);
    } else {
        QTest::keyClick(field, Qt::Key_Tab);
    }
}

void AccessibilityTest::fieldValueIsTheShownText_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");

    QTest::newRow("starting skill at start") << QStringList{} << QStringLiteral("SpEFert1") << QStringLiteral("1");
    QTest::newRow("locked skill at start") << QStringList{} << QStringLiteral("SpEFert2") << QStringLiteral("0");
    QTest::newRow("level typed") << QStringList{"SpEStufeH=3"} << QStringLiteral("SpEStufeH") << QStringLiteral("3");
    QTest::newRow("level 3, skill 3 stepped up twice") << QStringList{"SpEStufeH=3", "SpEFert3:up", "SpEFert3:up"}
                                                       << QStringLiteral("SpEFert3") << QStringLiteral("2");
    QTest::newRow("level 3, skill 3 typed 2, stepped down") << QStringList{"SpEStufeH=3", "SpEFert3=2", "SpEFert3:down"}
                                                            << QStringLiteral("SpEFert3") << QStringLiteral("1");
    QTest::newRow("skill 3 locked again by the level")
        << QStringList{"SpEStufeH=3", "SpEFert3=2", "SpEStufeH=1"} << QStringLiteral("SpEFert3") << QStringLiteral("0");
    QTest::newRow("typed past the level, clamped by the planner on leaving") << QStringList{"SpEStufeH=250",
        "SpEFert1=300", "SpEFert1:leave"} << QStringLiteral("SpEFert1") << QStringLiteral("250");
}

void AccessibilityTest::fieldValueIsTheShownText()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, field);
    QFETCH(QString, value);

    for (const QString &step : steps)
        Act(step);
    auto *spin = static_cast<QAbstractSpinBox *>(Named(main_.get(), field));
    QCOMPARE(spin->findChild<QLineEdit *>()->text(), value);

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(spin);
    QCOMPARE(iface->role(), QAccessible::SpinBox);
    QCOMPARE(iface->text(QAccessible::Value), value);
    QAccessibleValueInterface *valueIface = iface->valueInterface();
    QVERIFY(valueIface);
    QCOMPARE(valueIface->currentValue().toString(), value);
    QAccessibleTextInterface *textIface = iface->textInterface();
    QVERIFY(textIface);
    QCOMPARE(textIface->text(0, textIface->characterCount()), value);
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
