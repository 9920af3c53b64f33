#pragma once

// The class box: an editable combo box that views a ClassBox model. Typed
// characters, Backspace, editing, Up/Down and picks from the list go to the
// model, which completes, decides and raises the change notification.
// Everything one user action does runs in one UserAction of the model's
// planner.

#include "ClassBox.h"

#include <QComboBox>

namespace rollwerk {

class ClassComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit ClassComboBox(ClassBox &model, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowModelText();
    void ApplyEdit(bool ok, const ClassBox::Edit &edit);
    void TypeCharacter(char32_t ch);
    void ForwardToLineEdit(QKeyEvent *event);
    void LineEdited();

    ClassBox &model_;
    bool forwardingKey_ = false;
    // Last: ends the subscription before anything it writes to goes.
    Connection modelConnection_;
};

} // namespace rollwerk
