#include "ClassComboBox.h"

#include "FixedRowDelegate.h"
#include "KeyTable.h"
#include "PlannerCall.h"
#include "TypedText.h"
#include "WindowLayout.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace rollwerk {

ClassComboBox::ClassComboBox(ClassBox &model, QWidget *parent) : QComboBox(parent), model_(model)
{
    setEditable(true);
    // Completion, case handling and notifications are the model's.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(layout::kClassListRows);
    // A wheel turn must not take the focus away from a field (that would clamp it).
    setFocusPolicy(Qt::StrongFocus);
    // The list rows are one line of the box's font high, where the font's natural line is shorter.
    setItemDelegate(new FixedRowDelegate(layout::kRowHeight, this));
    {
        const QSignalBlocker blocker(this);
        for (const std::string &item : model_.Items())
            addItem(QString::fromStdString(item));
    }
    // The box looks its text up among the items when editing finishes and
    // reports a match as a pick: class changes nobody asked for, and at exit a
    // run of the planner on a half-destroyed window. Enter must add nothing.
    disconnect(lineEdit(), SIGNAL(editingFinished()), this, nullptr);
    disconnect(lineEdit(), SIGNAL(returnPressed()), this, nullptr);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (!forwardingKey_)
            LineEdited();
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index < 0)
            return;
        const UserAction action(model_.actions);
        CallPlanner(this, [&] { model_.Pick(static_cast<std::size_t>(index)); });
        ShowModelText();
    });
    ShowModelText();

    modelConnection_ = model_.textShown.Connect([this](const std::string &) { ShowModelText(); });
}

void ClassComboBox::keyPressEvent(QKeyEvent *event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    const UserAction action(model_.actions);
    // The drop-down list is Qt's own popup, which takes the keys while it is open.
    const bool alt = (event->modifiers() & Qt::AltModifier) != 0;
    if (const keys::ClassKey *key = keys::FindClassKey(KeyName(*event), false, alt, !HasModifier(*event))) {
        event->accept();
        switch (key->action) {
        case keys::ClassAction::SelectPrevious:
        case keys::ClassAction::SelectNext:
            if (CallPlanner(
                    this, [&] { model_.SelectAdjacent(key->action == keys::ClassAction::SelectPrevious ? -1 : 1); }))
                ShowModelText();
            lineEdit()->selectAll();
            break;
        case keys::ClassAction::OpenList:
        case keys::ClassAction::ToggleList:
            showPopup();
            break;
        case keys::ClassAction::Backspace: {
            const CharSelection selection = SelectionOf(*lineEdit());
            ClassBox::Edit edit;
            const bool ok = CallPlanner(this, [&] { edit = model_.Backspace(selection.start, selection.length); });
            ApplyEdit(ok, edit);
            break;
        }
        default: // the open list's keys, and those that are only taken
            break;
        }
        return;
    }
    if (TypeEach(*event, TypedCharacters(*event), [this](char32_t ch) { TypeCharacter(ch); }))
        return;
    ForwardToLineEdit(event);
}

void ClassComboBox::inputMethodEvent(QInputMethodEvent *event)
{
    // A character composed by an input method completes like a typed key.
    const UserAction action(model_.actions);
    if (isEnabled() && TypeEach(*event, ComposedCharacters(*event), [this](char32_t ch) { TypeCharacter(ch); }))
        return;
    QComboBox::inputMethodEvent(event);
}

void ClassComboBox::wheelEvent(QWheelEvent *event)
{
    // Turning the wheel over the closed box changes nothing; the window may scroll.
    event->ignore();
}

bool ClassComboBox::eventFilter(QObject *watched, QEvent *event)
{
    // Keys that reach the line edit directly (it normally passes focus to
    // the box) take the same way as the box's own.
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void ClassComboBox::ShowModelText()
{
    const QString text = QString::fromStdString(model_.Text());
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0 && index != currentIndex()) {
        const QSignalBlocker blocker(this);
        const QSignalBlocker editBlocker(lineEdit());
        setCurrentIndex(index);
    }
    if (lineEdit()->text() != text) {
        const QSignalBlocker editBlocker(lineEdit());
        lineEdit()->setText(text);
    }
}

void ClassComboBox::ApplyEdit(bool ok, const ClassBox::Edit &edit)
{
    ShowModelText();
    // A procedure that set another text during the notification wins; the caret then stands at the end.
    if (!ok || model_.Text() != edit.text) {
        lineEdit()->end(false);
        return;
    }
    const QString text = lineEdit()->text();
    const int start = Utf16Position(text, edit.selectionStart);
    const int end = Utf16Position(text, edit.selectionStart + edit.selectionLength);
    if (end > start)
        lineEdit()->setSelection(start, end - start);
    else
        lineEdit()->setCursorPosition(start);
}

void ClassComboBox::TypeCharacter(char32_t ch)
{
    const CharSelection selection = SelectionOf(*lineEdit());
    const UserAction action(model_.actions);
    ClassBox::Edit edit;
    const bool ok = CallPlanner(this, [&] { edit = model_.TypeCharacter(selection.start, selection.length, ch); });
    ApplyEdit(ok, edit);
}

void ClassComboBox::ForwardToLineEdit(QKeyEvent *event)
{
    ForwardKey(*lineEdit(), *event, forwardingKey_);
    LineEdited();
}

void ClassComboBox::LineEdited()
{
    const QString text = lineEdit()->text();
    if (text.toStdString() == model_.Text())
        return;
    const UserAction action(model_.actions);
    CallPlanner(this, [&] { model_.EditText(text.toStdString()); });
    ShowModelText();
}

} // namespace rollwerk
