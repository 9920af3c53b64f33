#include "RollwerkApplication.h"

#include "PlannerCall.h"
#include "WindowLayout.h"

#include <QFont>

#include <exception>

namespace rollwerk {

RollwerkApplication::RollwerkApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    InstallFontSubstitutions();
    // The program's texts are all in the window's fonts. Qt lays out every new
    // line edit once in the application's font before it takes its own: with
    // the desktop's font there, start-up would load a font nothing shows.
    setFont(layout::FontOf(layout::FontKind::Body));
}

void RollwerkApplication::InstallFontSubstitutions()
{
    // Each designed family is drawn in its free stand-in where it is missing.
    for (const layout::FontEntry &entry : layout::kFonts)
        QFont::insertSubstitution(layout::Text(entry.family), layout::Text(entry.substitute));
}

bool RollwerkApplication::notify(QObject *receiver, QEvent *event)
{
    // The planner calls catch their own errors; this only keeps the loop alive.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ShowPlannerError(activeWindow(), error);
    }
    return false;
}

} // namespace rollwerk
