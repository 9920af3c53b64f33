#pragma once

// The application object: the fonts the windows rely on, and a last catch for
// errors that escape an event handler.

#include <QApplication>

namespace rollwerk {

class RollwerkApplication : public QApplication {
    Q_OBJECT

public:
    RollwerkApplication(int &argc, char **argv);

    // Maps the designed font families to installed ones with fitting metrics.
    static void InstallFontSubstitutions();

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace rollwerk
