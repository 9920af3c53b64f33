#include "SpinField.h"

#include "KeyTable.h"
#include "PlannerCall.h"
#include "QtColour.h"
#include "TypedText.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QList>
#include <QLocale>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <cstdlib>

namespace rollwerk {

namespace {

constexpr int kWheelNotch = 120;

// Sizes the step buttons to kButtonWidth at the right edge, whatever the
// base style would give them (Fusion makes them 14 px).
class ButtonWidthStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
        const QWidget *widget) const override
    {
        QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
        if (control != CC_SpinBox || !rect.isValid())
            return rect;
        if (subControl == SC_SpinBoxUp || subControl == SC_SpinBoxDown) {
            rect.setLeft(rect.right() - SpinField::kButtonWidth + 1);
        } else if (subControl == SC_SpinBoxEditField) {
            const QRect up = subControlRect(control, option, SC_SpinBoxUp, widget);
            if (up.isValid() && rect.right() >= up.left())
                rect.setRight(up.left() - 1);
        }
        return rect;
    }
};

// One instance for all fields, living as long as the application.
QStyle *SharedButtonStyle()
{
    static QPointer<QStyle> shared;
    if (!shared) {
        auto *style = new ButtonWidthStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(QCoreApplication::instance());
        shared = style;
    }
    return shared;
}

// Styles cache what they draw by the identity of the palette, and every
// widget's palette is an identity of its own: fields of equal colours draw
// with one shared palette, so that the style draws each look only once.
QPalette SharedPalette(const QPalette &palette)
{
    static QList<QPalette> shared;
    const auto found = std::find(shared.cbegin(), shared.cend(), palette);
    if (found != shared.cend())
        return *found;
    shared.append(palette);
    return palette;
}

QStyle::SubControl ButtonOf(int direction)
{
    return direction > 0 ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown;
}

} // namespace

SpinField::SpinField(NumberField &model, QWidget *parent) : QAbstractSpinBox(parent), model_(model)
{
    setStyle(SharedButtonStyle());
    // Qt's default (WheelFocus) would let a wheel turn over the field take the
    // focus, and then step, while the user only scrolls the window.
    setFocusPolicy(Qt::StrongFocus);
    setAccelerated(false);
    // The model keeps the text to its characters; the line edit counts UTF-16
    // units, of which a character takes up to two, and must never split one.
    lineEdit()->setMaxLength(static_cast<int>(2 * NumberField::kMaxLength));
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        // Keys forwarded to the line edit are compared once it is done with them.
        if (!forwardingKey_)
            LineEdited();
    });
    repeatTimer_.setTimerType(Qt::PreciseTimer);
    connect(&repeatTimer_, &QTimer::timeout, this, &SpinField::RepeatStep);

    minimum_ = model_.Minimum();
    maximum_ = model_.Maximum();
    shownText_ = QString::fromStdString(model_.Text());
    lineEdit()->setText(shownText_);
    // Connected after the first text: an event during construction would
    // make Qt cache an interface for a half-built field.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &text) {
        // Qt announces a spin box's new value only from its own value machinery, unused here.
        QAccessibleValueChangeEvent event(this, text);
        QAccessible::updateAccessibility(&event);
        // A text written past the keyboard (by an assistive tool, say) goes to the model too.
        if (!forwardingKey_ && text != shownText_)
            LineEdited();
    });
    setEnabled(model_.Enabled());
    colour_ = ToQColor(model_.Colour());
    ApplyColour();

    modelConnection_
        = model_.propertyChanged.Connect([this](const NumberField::Change &change) { ShowProperty(change); });
}

int SpinField::Minimum() const
{
    return minimum_;
}

int SpinField::Maximum() const
{
    return maximum_;
}

void SpinField::stepBy(int steps)
{
    const UserAction action(model_.actions);
    for (int i = 0; i < std::abs(steps); ++i)
        if (!Step(steps > 0 ? 1 : -1))
            return;
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const
{
    // The model decides what a step does, also at the range's ends.
    return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepEnabled(StepNone);
}

QValidator::State SpinField::validate(QString &, int &) const
{
    // Any text is taken while typing; the model filters keys and clamps later.
    return QValidator::Acceptable;
}

void SpinField::fixup(QString &) const
{ }

void SpinField::initStyleOption(QStyleOptionSpinBox *option) const
{
    QAbstractSpinBox::initStyleOption(option);
    option->palette = SharedPalette(option->palette);
    if (hold_.ShowsPressed()) {
        option->activeSubControls = ButtonOf(hold_.Direction());
        option->state |= QStyle::State_Sunken;
    }
}

void SpinField::keyPressEvent(QKeyEvent *event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    const UserAction action(model_.actions);
    if (const keys::FieldKey *key = keys::FindFieldKey(KeyName(*event))) {
        event->accept();
        switch (key->action) {
        case keys::FieldAction::StepUp:
        case keys::FieldAction::StepDown:
            // Each press, auto-repeat included, steps once: no acceleration.
            Step(key->action == keys::FieldAction::StepUp ? 1 : -1);
            break;
        case keys::FieldAction::TypeReturn:
            TypeCharacter(U'\r');
            break;
        case keys::FieldAction::Swallow:
            break;
        }
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        PasteClipboard();
        return;
    }
    if (TypeEach(*event, TypedCharacters(*event), [this](char32_t ch) { TypeCharacter(ch); }))
        return;
    ForwardToLineEdit(event);
}

bool SpinField::event(QEvent *event)
{
    // QAbstractSpinBox hands input method events straight to its line edit.
    if (event->type() == QEvent::InputMethod) {
        inputMethodEvent(static_cast<QInputMethodEvent *>(event));
        return true;
    }
    return QAbstractSpinBox::event(event);
}

void SpinField::inputMethodEvent(QInputMethodEvent *event)
{
    // A character composed by an input method is typed like a key, so that
    // the filter and the length limit hold for it too.
    const UserAction action(model_.actions);
    if (isEnabled() && TypeEach(*event, ComposedCharacters(*event), [this](char32_t ch) { TypeCharacter(ch); }))
        return;
    QAbstractSpinBox::inputMethodEvent(event);
}

void SpinField::focusOutEvent(QFocusEvent *event)
{
    QAbstractSpinBox::focusOutEvent(event);
    wheelRemainder_ = 0;
    // Hidden means the window is closing or being destroyed; disabled means a
    // procedure locked the field and is setting its value itself.
    if (!isVisible() || !isEnabled())
        return;
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    const UserAction action(model_.actions);
    CallPlanner(this, [this] { model_.FocusLost(); });
    SyncText();
}

void SpinField::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (!hasFocus() || !isEnabled() || delta == 0) {
        event->ignore();
        return;
    }
    event->accept();
    const UserAction action(model_.actions);
    wheelRemainder_ += delta;
    while (wheelRemainder_ >= kWheelNotch || wheelRemainder_ <= -kWheelNotch) {
        const int direction = wheelRemainder_ > 0 ? 1 : -1;
        wheelRemainder_ -= direction * kWheelNotch;
        if (!Step(direction)) {
            wheelRemainder_ = 0;
            return;
        }
    }
}

void SpinField::mousePressEvent(QMouseEvent *event)
{
    const QStyle::SubControl button
        = event->button() == Qt::LeftButton && !hold_.Held() ? ButtonAt(event->position().toPoint()) : QStyle::SC_None;
    if (button == QStyle::SC_None) {
        event->ignore();
        return;
    }
    // A press alone does not step; the release over the same button does.
    event->accept();
    repeatTimer_.start(hold_.Press(0, button == QStyle::SC_SpinBoxUp ? 1 : -1).waitMs);
    update();
}

void SpinField::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !hold_.Held()) {
        QAbstractSpinBox::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    const bool over = ButtonAt(event->position().toPoint()) == ButtonOf(hold_.Direction());
    repeatTimer_.stop();
    const std::optional<command::Step> step = hold_.Lift(over);
    update();
    if (step)
        Step(step->direction, step->held);
}

void SpinField::mouseMoveEvent(QMouseEvent *event)
{
    QAbstractSpinBox::mouseMoveEvent(event);
    if (!hold_.Held())
        return;
    const bool shown = hold_.ShowsPressed();
    hold_.Move(ButtonAt(event->position().toPoint()) == ButtonOf(hold_.Direction()));
    if (hold_.ShowsPressed() != shown)
        update();
}

void SpinField::changeEvent(QEvent *event)
{
    QAbstractSpinBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        ReleaseButton();
    } else if (event->type() == QEvent::PaletteChange && !applyingColour_) {
        // A palette set from outside must not take the model's colours away.
        ApplyColour();
    }
}

void SpinField::ShowProperty(const NumberField::Change &change)
{
    switch (change.property) {
    case NumberField::Property::Text:
        SyncText();
        break;
    case NumberField::Property::Minimum:
        minimum_ = std::get<std::int32_t>(change.value);
        break;
    case NumberField::Property::Maximum:
        maximum_ = std::get<std::int32_t>(change.value);
        break;
    case NumberField::Property::Enabled:
        setEnabled(std::get<bool>(change.value));
        break;
    case NumberField::Property::Colour:
        colour_ = ToQColor(std::get<Rgb>(change.value));
        ApplyColour();
        break;
    case NumberField::Property::CaptionEnabled:
        emit captionEnabledChanged(std::get<bool>(change.value));
        break;
    }
}

void SpinField::SyncText()
{
    shownText_ = QString::fromStdString(model_.Text());
    // setText leaves the caret at the end, where a rewrite by a procedure puts it.
    if (lineEdit()->text() != shownText_)
        lineEdit()->setText(shownText_);
}

void SpinField::SetTextColour(const QColor &colour)
{
    textColour_ = colour;
    ApplyColour();
}

void SpinField::ApplyColour()
{
    if (!colour_.isValid())
        return;
    applyingColour_ = true;
    for (QWidget *widget : {static_cast<QWidget *>(this), static_cast<QWidget *>(lineEdit())}) {
        QPalette palette = widget->palette();
        // Every group, Disabled included: a locked field keeps its colour.
        palette.setColor(QPalette::Base, colour_);
        if (textColour_.isValid()) {
            palette.setColor(QPalette::Active, QPalette::Text, textColour_);
            palette.setColor(QPalette::Inactive, QPalette::Text, textColour_);
        }
        widget->setPalette(palette);
    }
    applyingColour_ = false;
}

void SpinField::TypeCharacter(char32_t ch)
{
    const CharSelection selection = SelectionOf(*lineEdit());
    const char32_t separator = QLocale().decimalPoint().toUcs4().value(0, U'.');
    const UserAction action(model_.actions);
    NumberField::TypedKey typed;
    const bool ok
        = CallPlanner(this, [&] { typed = model_.TypeCharacter(selection.start, selection.length, ch, separator); });
    if (!ok) {
        SyncText();
        return;
    }
    switch (typed.outcome) {
    case NumberField::KeyOutcome::Refused:
        QApplication::beep();
        break;
    case NumberField::KeyOutcome::Inserted:
    case NumberField::KeyOutcome::Unchanged:
        lineEdit()->setCursorPosition(Utf16Position(shownText_, typed.caret));
        break;
    case NumberField::KeyOutcome::NotTyped:
        break;
    }
}

void SpinField::PasteClipboard()
{
    const QString pasted = QGuiApplication::clipboard()->text();
    if (pasted.isEmpty() && !lineEdit()->hasSelectedText())
        return;
    const CharSelection selection = SelectionOf(*lineEdit());
    const UserAction action(model_.actions);
    std::size_t caret = selection.start;
    const bool ok
        = CallPlanner(this, [&] { caret = model_.Paste(selection.start, selection.length, pasted.toStdString()); });
    SyncText();
    if (ok)
        lineEdit()->setCursorPosition(Utf16Position(shownText_, caret));
}

void SpinField::ForwardToLineEdit(QKeyEvent *event)
{
    ForwardKey(*lineEdit(), *event, forwardingKey_);
    LineEdited();
}

void SpinField::LineEdited()
{
    // The line edit reports edits that change nothing (a character over an
    // identical selection); only a real change reaches the model.
    if (lineEdit()->text() == shownText_)
        return;
    const QString text = lineEdit()->text();
    const UserAction action(model_.actions);
    CallPlanner(this, [&] { model_.EditText(text.toStdString()); });
    SyncText();
}

bool SpinField::Step(int direction, bool held)
{
    const UserAction action(model_.actions);
    return CallPlanner(this, [&] { direction > 0 ? model_.StepUp(held) : model_.StepDown(held); });
}

void SpinField::RepeatStep()
{
    // Stopped while the step runs, so that an error box cannot pile up repeats.
    repeatTimer_.stop();
    const int direction = hold_.Direction();
    const StepHold::Next next = hold_.Tick();
    if (next.waitMs == 0)
        return;
    const bool ok = !next.step || Step(next.step->direction, next.step->held);
    if (ok && hold_.Direction() == direction)
        repeatTimer_.start(next.waitMs);
    else
        ReleaseButton();
}

void SpinField::ReleaseButton()
{
    repeatTimer_.stop();
    if (!hold_.Held())
        return;
    hold_.Release();
    update();
}

QStyle::SubControl SpinField::ButtonAt(const QPoint &pos) const
{
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QStyle::SubControl control = style()->hitTestComplexControl(QStyle::CC_SpinBox, &option, pos, this);
    return control == QStyle::SC_SpinBoxUp || control == QStyle::SC_SpinBoxDown ? control : QStyle::SC_None;
}

} // namespace rollwerk
