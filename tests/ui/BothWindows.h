#pragma once

// Both windows as the program makes them at start-up, the main one shown and
// active, for tests that use them together.

#include "TFInfo.h"
#include "TFMain.h"

#include <QTest>

#include <memory>

class BothWindows {
protected:
    // False when the main window never became active.
    bool OpenWindows()
    {
        main_ = std::make_unique<rollwerk::TFMain>();
        info_ = std::make_unique<rollwerk::TFInfo>();
        main_->SetInfoWindow(info_.get());
        main_->show();
        main_->activateWindow();
        return QTest::qWaitForWindowActive(main_.get());
    }

    // The info window goes first: the main window refers to it.
    void CloseWindows()
    {
        info_.reset();
        main_.reset();
    }

    std::unique_ptr<rollwerk::TFMain> main_;
    std::unique_ptr<rollwerk::TFInfo> info_;
};
