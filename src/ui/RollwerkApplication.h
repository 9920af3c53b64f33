#pragma once

// The application object: the fonts the windows rely on, Qt's own texts in
// German, and a last catch for errors that escape an event handler.

#include <QApplication>

namespace rollwerk {

class RollwerkApplication : public QApplication {
    Q_OBJECT

public:
    RollwerkApplication(int &argc, char **argv);

    // Maps the designed font families to installed ones with fitting metrics.
    static void InstallFontSubstitutions();
    // Qt's own German texts, from the system's Qt translations.
    void InstallGermanTranslations();

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace rollwerk
