#pragma once

// The info window: a short fixed text about the planner in a read-only box.
// Created hidden at start-up; closing it only hides it.

#include <QWidget>

class QPlainTextEdit;

namespace rollwerk {

class TFInfo : public QWidget {
    Q_OBJECT

public:
    explicit TFInfo(QWidget *parent = nullptr);

    QPlainTextEdit *MInfo = nullptr;
};

} // namespace rollwerk
