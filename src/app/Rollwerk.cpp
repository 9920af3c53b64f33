// The program's entry: picture formats, the application, the two windows, the loop.

#include "DisplayCheck.h"
#include "PictureFormats.h"
#include "RollwerkApplication.h"
#include "RollwerkVersion.h"
#include "TFInfo.h"
#include "TFMain.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (!rollwerk::DisplayReachable()) {
        // The command names the program as it was started (build/src/app/rollwerk from the
        // project's folder, rollwerk when installed), so it works where it was typed.
        const char *started = argc > 0 && argv[0] && *argv[0] ? argv[0] : "rollwerk";
        std::fprintf(stderr,
            "rollwerk: Es konnte keine Anzeige ge\u00f6ffnet werden. Auf einer virtuellen Anzeige startet "
            "das Programm mit: xvfb-run -a %s\n",
            started);
        return 1;
    }

    // The emblem is JPEG data: its decoder must be known before any window loads it.
    rollwerk::RegisterJpegFormat();

    // No command line: Qt sees only the program's name.
    char defaultName[] = "rollwerk";
    char *qtArgv[] = {argc > 0 ? argv[0] : defaultName, nullptr};
    int qtArgc = 1;
    rollwerk::RollwerkApplication app(qtArgc, qtArgv);
    app.setApplicationName(QStringLiteral("Rollwerk"));
    app.setApplicationVersion(QStringLiteral(ROLLWERK_VERSION));
    app.setDesktopFileName(QStringLiteral("de.rollwerk.Rollwerk"));

    rollwerk::TFMain FMain;
    app.setWindowIcon(FMain.windowIcon()); // the emblem, as the main window loaded it
    rollwerk::TFInfo FInfo;
    FMain.SetInfoWindow(&FInfo);
    FMain.show();
    return app.exec();
}
