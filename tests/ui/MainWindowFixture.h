#pragma once

// The main window as the program makes it at start-up, shown and active,
// made again for each test function of the window tests, with the ways
// they read it.

#include "NamedWidget.h"
#include "TFMain.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QStringList>
#include <QTest>

#include <memory>

class MainWindowFixture {
protected:
    // False when the window never became active.
    bool OpenWindow()
    {
        window_ = std::make_unique<rollwerk::TFMain>();
        window_->show();
        window_->activateWindow();
        return QTest::qWaitForWindowActive(window_.get());
    }

    void CloseWindow() { window_.reset(); }

    template <typename T = QWidget> T *Named(const QString &name) const { return NamedWidget<T>(window_.get(), name); }

    QStringList BonusRows() const
    {
        QStringList rows;
        const auto *list = Named<QListWidget>(QStringLiteral("LBBoni"));
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }

    // The right button on the client area, over the free points label, which
    // passes the event on to the area. The window turns the press into this
    // event; QTest would send the press to the widget itself.
    void RightClickClientArea() const
    {
        auto *label = Named<QLabel>(QStringLiteral("LFertFrei"));
        const QPoint position = label->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, position, label->mapToGlobal(position));
        QApplication::sendEvent(label, &event);
    }

    std::unique_ptr<rollwerk::TFMain> window_;
};
