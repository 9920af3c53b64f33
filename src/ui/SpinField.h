#pragma once

// A number spin field: a view of a NumberField. It shows the model's text,
// range, enabled flag and colour as they change, and forwards typed keys,
// pasting, editing, stepping (buttons, arrow keys, wheel) and focus loss to
// the model, which holds every rule. Everything one user action does runs in
// one UserAction of the model's planner.

#include "NumberField.h"
#include "StepHold.h"
#include "WindowLayoutTable.h"

#include <QAbstractSpinBox>
#include <QColor>
#include <QStyle>
#include <QTimer>

namespace rollwerk {

class SpinField : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(int minimum READ Minimum)
    Q_PROPERTY(int maximum READ Maximum)
    // Qt's accessible spin box reads its current value from this property;
    // the field's value is what it shows, typed digits and all.
    Q_PROPERTY(QString value READ text)

public:
    // Width of the up and down buttons along the right edge.
    static constexpr int kButtonWidth = layout::kSpinButtonWidth;

    explicit SpinField(NumberField &model, QWidget *parent = nullptr);

    int Minimum() const;
    int Maximum() const;

    void stepBy(int steps) override;

    // The text colour of the enabled field; a disabled field shows the style's greyed text.
    void SetTextColour(const QColor &colour);

signals:
    // The model's caption flag changed; the window owns the caption label.
    void captionEnabledChanged(bool enabled);

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    void initStyleOption(QStyleOptionSpinBox *option) const override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void ShowProperty(const NumberField::Change &change);
    void ApplyColour();
    void TypeCharacter(char32_t ch);
    void PasteClipboard();
    void ForwardToLineEdit(QKeyEvent *event);
    void LineEdited();
    void SyncText();
    // held: a further step of the press of a step button held down.
    bool Step(int direction, bool held = false);
    void RepeatStep();
    void ReleaseButton();
    QStyle::SubControl ButtonAt(const QPoint &pos) const;

    NumberField &model_;
    // Mirrors of the model, so that painting never reads it.
    QString shownText_;
    int minimum_ = 0;
    int maximum_ = 0;
    QColor colour_;
    QColor textColour_;
    bool forwardingKey_ = false;
    bool applyingColour_ = false;
    int wheelRemainder_ = 0;
    // Hold-to-repeat of the step buttons: the core's hold decides, the timer waits.
    StepHold hold_;
    QTimer repeatTimer_;

    // Last: ends the subscription before anything it writes to goes.
    Connection modelConnection_;
};

} // namespace rollwerk
