#pragma once

// The layout tables of both windows (WindowLayoutTable.h) as Qt sees them:
// texts, fonts, colours and rectangles, and the placing of a window's frame.

#include "WindowLayoutTable.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <array>
#include <string_view>

class QWidget;

namespace rollwerk::layout {

// The tables hold UTF-8 texts; Qt wants QStrings.
inline QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Keyboard order of the main window: the names of tab places 0 to 30.
std::array<std::string_view, 31> MainTabOrder();

QFont FontOf(FontKind kind);
QRect RectOf(Place place);

// Places a top-level window so that its outer frame covers frame. Qt sizes a
// window by its client area and learns the frame only from the window
// system, so the client starts at the full outer size (right wherever no
// frame is reported: offscreen, X without a window manager) and shrinks by
// the margins once, when they first become known.
void PlaceWindowFrame(QWidget &window, Place frame);

} // namespace rollwerk::layout
