#pragma once

// The core's colours as Qt draws them.

#include "Colours.h"

#include <QColor>

namespace rollwerk {

inline QColor ToQColor(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace rollwerk
