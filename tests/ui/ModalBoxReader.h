#pragma once

// Reads and accepts the modal message boxes that open while it lives, so
// that a window test can choose an item that opens one and go on: the box
// runs its own event loop, which the test would otherwise wait in.

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>

class ModalBoxReader {
public:
    ModalBoxReader()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                text_ = box->text();
                box->accept();
            }
        });
        timer_.start(10);
    }

    // The text of the last box read; empty while none was.
    const QString &Text() const { return text_; }

private:
    QTimer timer_;
    QString text_;
};
