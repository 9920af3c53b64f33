#include "PlannerCall.h"

#include <QMessageBox>

#include <algorithm>

namespace rollwerk {

namespace {

const QString kTitle = QStringLiteral("Rollwerk");

// Steps over one character: a surrogate pair counts once.
int NextCharacter(const QString &text, int index)
{
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate())
        return index + 2;
    return index + 1;
}

} // namespace

void ShowPlannerError(QWidget *parent, const std::exception &error)
{
    QMessageBox::critical(parent, kTitle, QString::fromUtf8(error.what()));
}

void ShowUnknownPlannerError(QWidget *parent)
{
    QMessageBox::critical(parent, kTitle, QStringLiteral("Unbekannter Fehler in der Planung."));
}

std::size_t CharPosition(const QString &text, int utf16Position)
{
    const int end = std::min<int>(std::max(utf16Position, 0), static_cast<int>(text.size()));
    std::size_t chars = 0;
    for (int i = 0; i < end; i = NextCharacter(text, i))
        ++chars;
    return chars;
}

int Utf16Position(const QString &text, std::size_t charPosition)
{
    int i = 0;
    for (std::size_t chars = 0; chars < charPosition && i < text.size(); ++chars)
        i = NextCharacter(text, i);
    return i;
}

} // namespace rollwerk
