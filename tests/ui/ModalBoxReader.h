#pragma once

// Reads and accepts the modal message boxes that open while it lives, so
// that a window test can choose an item that opens one and go on: the box
// runs its own event loop, which the test would otherwise wait in. Given a
// button's object name, it answers a box that has the button with a click
// on it instead, as the user does.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>

class ModalBoxReader {
public:
    explicit ModalBoxReader(const QString &answer = {})
    {
        QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                text_ = box->text();
                ++boxes_;
                if (auto *button = answer.isEmpty() ? nullptr : box->findChild<QAbstractButton *>(answer))
                    button->click();
                else
                    box->accept();
            }
        });
        timer_.start(10);
    }

    // The text of the last box read; empty while none was.
    const QString &Text() const { return text_; }
    // How many boxes it read.
    int Boxes() const { return boxes_; }

private:
    QTimer timer_;
    QString text_;
    int boxes_ = 0;
};
