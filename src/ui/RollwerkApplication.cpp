#include "RollwerkApplication.h"

#include "PlannerCall.h"
#include "WindowLayout.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

namespace rollwerk {

RollwerkApplication::RollwerkApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    InstallFontSubstitutions();
    // The program's texts are all in the window's fonts. Qt lays out every new
    // line edit once in the application's font before it takes its own: with
    // the desktop's font there, start-up would load a font nothing shows.
    setFont(layout::FontOf(layout::FontKind::Body));
    InstallGermanTranslations();
}

void RollwerkApplication::InstallGermanTranslations()
{
    // The program speaks only German, also in Qt's own texts: the context
    // menus of the number fields and the class box, the message box buttons.
    auto *translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
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
