#include "SpinField.h"
#include "Planner.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStyleOptionSpinBox>
#include <QTest>

#include <memory>
#include <stdexcept>

using namespace rollwerk;

namespace {

enum class Spot { Up, Down, EditField };

// A field on a shown, active window next to a second widget that can take the focus.
struct Fixture {
    Fixture(std::int32_t minimum, std::int32_t maximum, std::int32_t value, bool enabled = true)
        : model(minimum, maximum, value, enabled, kAvailableColour)
    {
        model.onChange = [this] { ++notifications; };
        field = new SpinField(model, &window);
        field->setGeometry(8, 8, 121, 29);
        other = new QLineEdit(&window);
        other->setGeometry(8, 48, 121, 29);
        window.resize(160, 90);
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
        if (enabled)
            field->setFocus(Qt::OtherFocusReason);
    }

    QLineEdit *edit() const { return field->findChild<QLineEdit *>(); }
    QString text() const { return edit()->text(); }

    QRect rectOf(QStyle::SubControl control) const
    {
        QStyleOptionSpinBox option;
        option.initFrom(field);
        option.frame = true;
        option.buttonSymbols = QAbstractSpinBox::UpDownArrows;
        option.subControls
            = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField;
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        return field->style()->subControlRect(QStyle::CC_SpinBox, &option, control, field);
    }

    QPoint point(Spot spot) const
    {
        switch (spot) {
        case Spot::Up:
            return rectOf(QStyle::SC_SpinBoxUp).center();
        case Spot::Down:
            return rectOf(QStyle::SC_SpinBoxDown).center();
        case Spot::EditField:
            break;
        }
        return rectOf(QStyle::SC_SpinBoxEditField).center();
    }

    void selectAll() const { edit()->selectAll(); }

    NumberField model;
    int notifications = 0;
    QWidget window;
    SpinField *field = nullptr;
    QLineEdit *other = nullptr;
    bool active = false;
};

void SendWheel(QWidget *widget, int delta)
{
    const QPointF pos(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// QTest::keyClicks takes ASCII only.
void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, ch.toLatin1());
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(widget, &press);
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(Spot)

class SpinFieldTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void typing_data();
    void typing();
    void caretAfterTyping_data();
    void caretAfterTyping();
    void paste_data();
    void paste();
    void editingKeys_data();
    void editingKeys();
    void focusLoss_data();
    void focusLoss();
    void stepKeys_data();
    void stepKeys();
    void buttonsAreFifteenPixelsAtTheRightEdge();
    void buttonRelease_data();
    void buttonRelease();
    void pressAloneDoesNotStep();
    void holdingRepeats();
    void holdingOffTheButtonPauses();
    void wheel_data();
    void wheel();
    void disabledFieldTakesNoInput();
    void colour_data();
    void colour();
    void framePaintedInTheModelColour();
    void mirrorsModelWrites();
    void textWrittenPastTheKeyboardReachesTheModel();
    void errorInProcedureIsShownAndInputGoesOn();
    void plannerUndoesOverspendingStep();
    void plannerTypedLevelAndClampOnLeave();
};

void SpinFieldTest::initTestCase()
{
    // A locale whose decimal separator is not the full stop.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void SpinFieldTest::typing_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("notifications");

    // clang-format off
    QTest::newRow("digits over selection") << 0 << true << "12" << "12" << 2;
    QTest::newRow("appended at caret") << 1 << false << "5" << "15" << 1;
    QTest::newRow("signs") << 0 << true << "-+" << "-+" << 2;
    QTest::newRow("locale decimal separator") << 0 << true << "," << "," << 1;
    QTest::newRow("full stop refused in German locale") << 0 << true << "." << "0" << 0;
    QTest::newRow("letters refused") << 0 << true << "ab" << "0" << 0;
    QTest::newRow("space refused") << 0 << true << " " << "0" << 0;
    QTest::newRow("umlaut refused") << 0 << true << QString::fromUtf8("ä") << "0" << 0;
    QTest::newRow("fourth character refused") << 0 << true << "1234" << "123" << 3;
    QTest::newRow("refused keys between digits") << 0 << true << "1x2" << "12" << 2;
    QTest::newRow("identical character over selection") << 7 << true << "7" << "7" << 0;
    QTest::newRow("300 is not clamped while typing") << 0 << true << "300" << "300" << 3;
    QTest::newRow("input method digits") << 0 << true << "IM:42" << "42" << 2;
    QTest::newRow("input method letter refused") << 0 << true << QString::fromUtf8("IM:é") << "0" << 0;
    // clang-format on
}

void SpinFieldTest::typing()
{
    QFETCH(int, value);
    QFETCH(bool, selectAll);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(int, notifications);

    Fixture f(0, 250, value);
    QVERIFY(f.active);
    if (selectAll)
        f.selectAll();
    if (keys.startsWith(QStringLiteral("IM:"))) {
        QInputMethodEvent event;
        event.setCommitString(keys.mid(3));
        QApplication::sendEvent(f.field, &event);
    } else {
        TypeText(f.field, keys);
    }
    QCOMPARE(f.text(), expected);
    QCOMPARE(QString::fromStdString(f.model.Text()), expected);
    QCOMPARE(f.notifications, notifications);
}

void SpinFieldTest::caretAfterTyping_data()
{
    QTest::addColumn<bool>("procedureRewrites");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");

    // clang-format off
    QTest::newRow("after the inserted character") << false << "152" << 2;
    QTest::newRow("at the end after a rewrite") << true << "250" << 3;
    // clang-format on
}

void SpinFieldTest::caretAfterTyping()
{
    QFETCH(bool, procedureRewrites);
    QFETCH(QString, expected);
    QFETCH(int, caret);

    Fixture f(0, 250, 12);
    QVERIFY(f.active);
    f.model.onChange = [&] {
        if (procedureRewrites && f.model.Text() == "152")
            f.model.SetValue(250);
    };
    f.edit()->setCursorPosition(1);
    QTest::keyClick(f.field, Qt::Key_5);
    QCOMPARE(f.text(), expected);
    QCOMPARE(f.edit()->cursorPosition(), caret);
}

void SpinFieldTest::paste_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("notifications");

    const QKeyCombination ctrlV(Qt::ControlModifier, Qt::Key_V);
    // clang-format off
    QTest::newRow("cut to three over selection") << 0 << true << "98765" << ctrlV << "987" << 3 << 1;
    QTest::newRow("not filtered") << 0 << true << "ab" << ctrlV << "ab" << 2 << 1;
    QTest::newRow("room left at the caret") << 1 << false << "2345" << ctrlV << "123" << 3 << 1;
    QTest::newRow("full field takes nothing") << 123 << false << "4" << ctrlV << "123" << 3 << 0;
    QTest::newRow("characters outside the BMP stay whole") << 0 << true << QString::fromUtf8("😀😀😀😀😀") << ctrlV
                                                            << QString::fromUtf8("😀😀😀") << 6 << 1;
    QTest::newRow("shift insert") << 0 << true << "42" << QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert) << "42"
                                  << 2 << 1;
    // clang-format on
}

void SpinFieldTest::paste()
{
    QFETCH(int, value);
    QFETCH(bool, selectAll);
    QFETCH(QString, clipboard);
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    QFETCH(int, notifications);

    Fixture f(0, 250, value);
    QVERIFY(f.active);
    QGuiApplication::clipboard()->setText(clipboard);
    if (selectAll)
        f.selectAll();
    QTest::keyClick(f.field, keys.key(), keys.keyboardModifiers());
    QCOMPARE(f.text(), expected);
    QCOMPARE(f.edit()->cursorPosition(), caret);
    QCOMPARE(f.notifications, notifications);
}

void SpinFieldTest::editingKeys_data()
{
    QTest::addColumn<int>("caret");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("notifications");

    // clang-format off
    QTest::newRow("backspace") << 3 << QKeyCombination(Qt::Key_Backspace) << "12" << 1;
    QTest::newRow("backspace at start changes nothing") << 0 << QKeyCombination(Qt::Key_Backspace) << "123" << 0;
    QTest::newRow("delete") << 0 << QKeyCombination(Qt::Key_Delete) << "23" << 1;
    QTest::newRow("left moves only") << 3 << QKeyCombination(Qt::Key_Left) << "123" << 0;
    QTest::newRow("escape changes nothing") << 3 << QKeyCombination(Qt::Key_Escape) << "123" << 0;
    // clang-format on
}

void SpinFieldTest::editingKeys()
{
    QFETCH(int, caret);
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, expected);
    QFETCH(int, notifications);

    Fixture f(0, 250, 123);
    QVERIFY(f.active);
    f.edit()->setCursorPosition(caret);
    QTest::keyClick(f.field, keys.key(), keys.keyboardModifiers());
    QCOMPARE(f.text(), expected);
    QCOMPARE(QString::fromStdString(f.model.Text()), expected);
    QCOMPARE(f.notifications, notifications);
}

void SpinFieldTest::focusLoss_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("deactivate");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("notifications");

    // clang-format off
    QTest::newRow("above maximum clamps") << 0 << 250 << "300" << false << "250" << 4;
    QTest::newRow("below minimum clamps") << 1 << 250 << "-5" << false << "1" << 3;
    QTest::newRow("in range stays") << 0 << 250 << "42" << false << "42" << 2;
    QTest::newRow("no clamp while minimum equals maximum") << 1 << 1 << "5" << false << "5" << 1;
    QTest::newRow("unreadable text stays") << 0 << 250 << "-" << false << "-" << 1;
    QTest::newRow("window deactivation does not clamp") << 0 << 250 << "300" << true << "300" << 3;
    // clang-format on
}

void SpinFieldTest::focusLoss()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, typed);
    QFETCH(bool, deactivate);
    QFETCH(QString, expected);
    QFETCH(int, notifications);

    Fixture f(minimum, maximum, minimum);
    QVERIFY(f.active);
    f.selectAll();
    QTest::keyClicks(f.field, typed);
    QCOMPARE(f.text(), typed);

    std::unique_ptr<QWidget> second;
    if (deactivate) {
        second = std::make_unique<QWidget>();
        second->resize(50, 50);
        second->show();
        second->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(second.get()));
    } else {
        QTest::keyClick(f.field, Qt::Key_Tab);
        QVERIFY(f.other->hasFocus());
    }
    QCOMPARE(f.text(), expected);
    QCOMPARE(f.notifications, notifications);
}

void SpinFieldTest::stepKeys_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("notifications");

    // clang-format off
    QTest::newRow("up") << 0 << 10 << 5 << int(Qt::Key_Up) << 1 << false << "6" << 1;
    QTest::newRow("down twice") << 0 << 10 << 5 << int(Qt::Key_Down) << 2 << false << "3" << 2;
    QTest::newRow("held key steps once per repeat") << 0 << 10 << 5 << int(Qt::Key_Up) << 4 << true << "9" << 4;
    QTest::newRow("up at maximum") << 0 << 10 << 10 << int(Qt::Key_Up) << 1 << false << "10" << 0;
    QTest::newRow("down at minimum") << 0 << 10 << 0 << int(Qt::Key_Down) << 1 << false << "0" << 0;
    QTest::newRow("up past an equal range") << 1 << 1 << 1 << int(Qt::Key_Up) << 1 << false << "2" << 1;
    QTest::newRow("page up does nothing") << 0 << 10 << 5 << int(Qt::Key_PageUp) << 1 << false << "5" << 0;
    QTest::newRow("page down does nothing") << 0 << 10 << 5 << int(Qt::Key_PageDown) << 1 << false << "5" << 0;
    // clang-format on
}

void SpinFieldTest::stepKeys()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(bool, autoRepeat);
    QFETCH(QString, expected);
    QFETCH(int, notifications);

    Fixture f(minimum, maximum, value);
    QVERIFY(f.active);
    for (int i = 0; i < presses; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat && i > 0);
        QApplication::sendEvent(f.field, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(f.field, &release);
    QCOMPARE(f.text(), expected);
    QCOMPARE(f.notifications, notifications);
}

void SpinFieldTest::buttonsAreFifteenPixelsAtTheRightEdge()
{
    Fixture f(0, 10, 5);
    QVERIFY(f.active);
    const QRect up = f.rectOf(QStyle::SC_SpinBoxUp);
    const QRect down = f.rectOf(QStyle::SC_SpinBoxDown);
    const QRect editField = f.rectOf(QStyle::SC_SpinBoxEditField);
    QCOMPARE(up.width(), 15);
    QCOMPARE(down.width(), 15);
    QCOMPARE(up.left(), down.left());
    QVERIFY(up.bottom() < down.top());
    QVERIFY2(f.field->width() - 1 - up.right() <= 3, "buttons stand at the right edge");
    QVERIFY(editField.right() < up.left());
    // The line edit must not cover the buttons, or it would take their clicks.
    QVERIFY(f.edit()->geometry().right() < up.left());

    // The button's leftmost column steps; the column left of it does not.
    QTest::mouseClick(f.field, Qt::LeftButton, {}, QPoint(up.left(), up.center().y()));
    QCOMPARE(f.text(), QStringLiteral("6"));
    QTest::mouseClick(f.field, Qt::LeftButton, {}, QPoint(up.left() - 1, up.center().y()));
    QCOMPARE(f.text(), QStringLiteral("6"));
    QCOMPARE(f.notifications, 1);
}

void SpinFieldTest::buttonRelease_data()
{
    QTest::addColumn<Spot>("pressAt");
    QTest::addColumn<Spot>("releaseAt");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("notifications");

    // clang-format off
    QTest::newRow("up") << Spot::Up << Spot::Up << "6" << 1;
    QTest::newRow("down") << Spot::Down << Spot::Down << "4" << 1;
    QTest::newRow("released on the other button") << Spot::Up << Spot::Down << "5" << 0;
    QTest::newRow("released off the buttons") << Spot::Down << Spot::EditField << "5" << 0;
    // clang-format on
}

void SpinFieldTest::buttonRelease()
{
    QFETCH(Spot, pressAt);
    QFETCH(Spot, releaseAt);
    QFETCH(QString, expected);
    QFETCH(int, notifications);

    Fixture f(0, 10, 5);
    QVERIFY(f.active);
    QTest::mousePress(f.field, Qt::LeftButton, {}, f.point(pressAt));
    QTest::mouseMove(f.field, f.point(releaseAt));
    QTest::mouseRelease(f.field, Qt::LeftButton, {}, f.point(releaseAt));
    QCOMPARE(f.text(), expected);
    QCOMPARE(f.notifications, notifications);
}

void SpinFieldTest::pressAloneDoesNotStep()
{
    Fixture f(0, 10, 5);
    QVERIFY(f.active);
    QTest::mousePress(f.field, Qt::LeftButton, {}, f.point(Spot::Up));
    QTest::qWait(150);
    QCOMPARE(f.notifications, 0);
    QTest::mouseRelease(f.field, Qt::LeftButton, {}, f.point(Spot::Up));
    QCOMPARE(f.notifications, 1);
    QCOMPARE(f.text(), QStringLiteral("6"));
}

void SpinFieldTest::holdingRepeats()
{
    Fixture f(0, 100, 0);
    QVERIFY(f.active);
    QElapsedTimer clock;
    QTest::mousePress(f.field, Qt::LeftButton, {}, f.point(Spot::Up));
    clock.start();
    QTest::qWait(300);
    const int before400 = f.notifications;
    QTRY_VERIFY_WITH_TIMEOUT(f.notifications >= 1, 2000);
    const qint64 firstStepAfter = clock.elapsed();
    while (clock.elapsed() < 1000)
        QTest::qWait(20);
    const int held = f.notifications;
    QTest::mouseRelease(f.field, Qt::LeftButton, {}, f.point(Spot::Up));

    // 400 ms, then every 100 ms: 7 steps by 1 s when timers are punctual.
    QCOMPARE(before400, 0);
    QVERIFY2(firstStepAfter >= 390, qPrintable(QString::number(firstStepAfter)));
    QVERIFY2(held >= 5 && held <= 8, qPrintable(QString::number(held)));
    QCOMPARE(f.notifications, held + 1);
    QCOMPARE(f.text(), QString::number(held + 1));

    // Nothing goes on after the release.
    QTest::qWait(250);
    QCOMPARE(f.notifications, held + 1);
}

void SpinFieldTest::holdingOffTheButtonPauses()
{
    Fixture f(0, 100, 50);
    QVERIFY(f.active);
    QTest::mousePress(f.field, Qt::LeftButton, {}, f.point(Spot::Down));
    QTest::mouseMove(f.field, f.point(Spot::EditField));
    QTest::qWait(700);
    QCOMPARE(f.notifications, 0);
    // Back on the button the repeat goes on; a release off it adds no step.
    QTest::mouseMove(f.field, f.point(Spot::Down));
    QTRY_VERIFY_WITH_TIMEOUT(f.notifications >= 1, 1000);
    QTest::mouseRelease(f.field, Qt::LeftButton, {}, f.point(Spot::EditField));
    QCOMPARE(f.text(), QString::number(50 - f.notifications));
}

void SpinFieldTest::wheel_data()
{
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("accepted");

    // clang-format off
    QTest::newRow("up with focus") << true << 120 << "6" << true;
    QTest::newRow("down with focus") << true << -120 << "4" << true;
    QTest::newRow("half notches add up") << true << 60 << "5" << true;
    QTest::newRow("without focus the window scrolls") << false << 120 << "5" << false;
    // clang-format on
}

void SpinFieldTest::wheel()
{
    QFETCH(bool, focused);
    QFETCH(int, delta);
    QFETCH(QString, expected);
    QFETCH(bool, accepted);

    Fixture f(0, 10, 5);
    QVERIFY(f.active);
    if (!focused)
        f.other->setFocus(Qt::MouseFocusReason);
    QCOMPARE(f.field->hasFocus(), focused);

    const QPointF pos(f.field->width() / 2.0, f.field->height() / 2.0);
    QWheelEvent event(pos, f.field->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.field, &event);
    QCOMPARE(event.isAccepted(), accepted);
    QCOMPARE(f.text(), expected);

    if (delta == 60) {
        SendWheel(f.field, 60);
        QCOMPARE(f.text(), QStringLiteral("6"));
    }
}

void SpinFieldTest::disabledFieldTakesNoInput()
{
    Fixture f(0, 10, 0, false);
    QVERIFY(f.active);
    QVERIFY(!f.field->isEnabled());
    QTest::keyClicks(f.field, "7");
    QTest::keyClick(f.field, Qt::Key_Up);
    QTest::mouseClick(f.field, Qt::LeftButton, {}, f.point(Spot::Up));
    f.field->stepBy(1);
    QCOMPARE(f.text(), QStringLiteral("0"));
    QCOMPARE(f.notifications, 0);

    // Enabled by the model, the same field takes input again.
    f.model.SetEnabled(true);
    QVERIFY(f.field->isEnabled());
    QTest::mouseClick(f.field, Qt::LeftButton, {}, f.point(Spot::Up));
    QCOMPARE(f.text(), QStringLiteral("1"));
    QCOMPARE(f.notifications, 1);
}

void SpinFieldTest::colour_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QColor>("textColour"); // invalid: the style's
    QTest::addColumn<QColor>("expected");

    // clang-format off
    QTest::newRow("available") << true << QColor() << QColor(130, 255, 139);
    QTest::newRow("locked and disabled") << false << QColor() << QColor(255, 128, 128);
    QTest::newRow("own text colour, enabled") << true << QColor(Qt::black) << QColor(130, 255, 139);
    QTest::newRow("own text colour, disabled") << false << QColor(Qt::black) << QColor(255, 128, 128);
    // clang-format on
}

void SpinFieldTest::colour()
{
    QFETCH(bool, enabled);
    QFETCH(QColor, textColour);
    QFETCH(QColor, expected);

    Fixture f(0, 10, 0);
    QVERIFY(f.active);
    if (textColour.isValid())
        f.field->SetTextColour(textColour);
    f.model.SetEnabled(enabled);
    f.model.SetColour(enabled ? kAvailableColour : kLockedColour);
    // A palette set from outside does not take the model's colour away.
    f.field->setPalette(QPalette(Qt::yellow));

    for (const QWidget *widget : {static_cast<const QWidget *>(f.field), static_cast<const QWidget *>(f.edit())}) {
        const QPalette palette = widget->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            QCOMPARE(palette.color(group, QPalette::Base), expected);
    }
    // The text of a disabled field is greyed, also where the field has a text colour of its own.
    const QPalette palette = f.edit()->palette();
    QVERIFY(palette.color(QPalette::Disabled, QPalette::Text) != palette.color(QPalette::Active, QPalette::Text));
    if (textColour.isValid()) {
        QCOMPARE(palette.color(QPalette::Active, QPalette::Text), textColour);
        QCOMPARE(palette.color(QPalette::Inactive, QPalette::Text), textColour);
    }
}

void SpinFieldTest::framePaintedInTheModelColour()
{
    // The style draws the margin between the frame and the edit; a second field
    // of the same colours shares its drawing, a colour change must still show.
    NumberField twinModel(0, 10, 0, true, kAvailableColour); // outlives its view, on the fixture's window
    Fixture f(0, 10, 0);
    QVERIFY(f.active);
    auto *twin = new SpinField(twinModel, &f.window);
    twin->setGeometry(8, 48, 121, 29);
    twin->show();
    const QRect edit = f.rectOf(QStyle::SC_SpinBoxEditField);
    const QPoint margin(edit.left() - 1, edit.center().y());
    for (const Rgb colour : {kAvailableColour, kLockedColour, kAvailableColour}) {
        f.model.SetColour(colour);
        twinModel.SetColour(colour);
        const QColor expected(colour.red, colour.green, colour.blue);
        for (QWidget *field : {static_cast<QWidget *>(f.field), static_cast<QWidget *>(twin)})
            QCOMPARE(field->grab().toImage().pixelColor(margin), expected);
    }
}

void SpinFieldTest::textWrittenPastTheKeyboardReachesTheModel()
{
    // An assistive tool writes the line edit's text directly.
    Fixture enabled(0, 250, 1);
    enabled.edit()->setText(QStringLiteral("42"));
    QCOMPARE(enabled.model.Text(), std::string("42"));
    QCOMPARE(enabled.notifications, 1);
    enabled.edit()->setText(QStringLiteral("12345"));
    QCOMPARE(enabled.text(), QStringLiteral("123"));
    QCOMPARE(enabled.model.Text(), std::string("123"));

    Fixture disabled(0, 250, 1, false);
    disabled.edit()->setText(QStringLiteral("42"));
    QCOMPARE(disabled.text(), QStringLiteral("1"));
    QCOMPARE(disabled.model.Text(), std::string("1"));
    QCOMPARE(disabled.notifications, 0);
}

void SpinFieldTest::mirrorsModelWrites()
{
    Fixture f(0, 10, 0);
    QVERIFY(f.active);
    QCOMPARE(f.edit()->maxLength(), 6); // three characters of up to two UTF-16 units

    // The widget shows a write before the notification runs, so a nested
    // procedure sees it.
    QStringList seen;
    f.model.onChange = [&] { seen << f.text(); };
    f.model.SetValue(7);
    f.model.SetValue(8);
    f.model.SetValue(8);
    QCOMPARE(seen, (QStringList{"7", "8"}));
    QCOMPARE(f.edit()->cursorPosition(), 1);

    f.model.SetMinimum(3);
    f.model.SetMaximum(250);
    QCOMPARE(f.field->property("minimum").toInt(), 3);
    QCOMPARE(f.field->property("maximum").toInt(), 250);
    QCOMPARE(f.text(), QStringLiteral("8")); // a new range does not touch the value

    QSignalSpy caption(f.field, &SpinField::captionEnabledChanged);
    f.model.SetCaptionEnabled(false);
    QCOMPARE(caption.count(), 1);
    QCOMPARE(caption.at(0).at(0).toBool(), false);

    f.model.SetEnabled(false);
    QVERIFY(!f.field->isEnabled());

    // A view that goes leaves no hook behind on the model it viewed.
    f.model.onChange = nullptr;
    delete f.field;
    QVERIFY(!f.model.propertyChanged.HasSubscribers());
    f.model.SetValue(9);
}

void SpinFieldTest::errorInProcedureIsShownAndInputGoesOn()
{
    Fixture f(0, 250, 0);
    QVERIFY(f.active);
    int calls = 0;
    f.model.onChange = [&] {
        if (++calls == 1)
            throw std::runtime_error("Regel verletzt");
    };
    QString shown;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    closer.start(20);

    f.selectAll();
    QTest::keyClicks(f.field, "4");
    QCOMPARE(shown, QStringLiteral("Regel verletzt"));
    QCOMPARE(f.text(), QString::fromStdString(f.model.Text()));
    QTest::keyClicks(f.field, "2");
    QCOMPARE(calls, 2);
    QCOMPARE(f.text(), QStringLiteral("42"));
}

void SpinFieldTest::plannerUndoesOverspendingStep()
{
    Planner planner;
    planner.FormCreate();
    QWidget window;
    auto *skill = new SpinField(planner.SpEFert[1], &window);
    skill->setGeometry(8, 8, 121, 29);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    skill->setFocus();

    // Minimum and maximum are both 1 at level 1: Up sets 2, and the
    // overspending check puts 1 back through a nested run.
    planner.ResetCounts();
    QTest::keyClick(skill, Qt::Key_Up);
    QCOMPARE(skill->findChild<QLineEdit *>()->text(), QStringLiteral("1"));
    QCOMPARE(planner.Counts().skillChanges, 2);
    QCOMPARE(planner.LFertFrei.Text(), std::string("Freie Fertigkeitspunkte: 0"));
}

void SpinFieldTest::plannerTypedLevelAndClampOnLeave()
{
    Planner planner;
    planner.FormCreate();
    QWidget window;
    auto *level = new SpinField(planner.SpEStufeH, &window);
    level->setGeometry(8, 8, 57, 29);
    auto *skill = new SpinField(planner.SpEFert[1], &window);
    skill->setGeometry(8, 48, 121, 29);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    level->setFocus();
    level->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(level, "3");
    QCOMPARE(planner.LFertFrei.Text(), std::string("Freie Fertigkeitspunkte: 3"));
    QCOMPARE(planner.LFertGesAnzeige.Text(), std::string("1"));

    level->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(level, "250");
    QCOMPARE(skill->Maximum(), 250);

    skill->setFocus();
    skill->findChild<QLineEdit *>()->selectAll();
    planner.ResetCounts();
    QTest::keyClicks(skill, "300");
    QCOMPARE(skill->findChild<QLineEdit *>()->text(), QStringLiteral("300"));
    const int whileTyping = planner.Counts().skillChanges;
    QCOMPARE(whileTyping, 3);
    level->setFocus(Qt::TabFocusReason);
    QCOMPARE(skill->findChild<QLineEdit *>()->text(), QStringLiteral("250"));
    QCOMPARE(planner.Counts().skillChanges, whileTyping + 1);
}

QTEST_MAIN(SpinFieldTest)
#include "SpinFieldTest.moc"
