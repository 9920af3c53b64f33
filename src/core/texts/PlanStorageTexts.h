#pragma once

// The page's German texts about where it keeps the saved plans (the desktop
// keeps them only while its window lives and says so itself), and the
// plans window's texts that only the page shows.

#include <string_view>

namespace rollwerk {

// The plans window's line under its buttons, with the browser's storage and without it.
inline constexpr std::string_view kPlansKeptOnDevice
    = "Die Pl\u00e4ne bleiben in diesem Browser auf diesem Ger\u00e4t gespeichert; \u201eAlle kopieren\u201c nimmt "
      "sie mit.";
inline constexpr std::string_view kPlansKeptUntilClosed
    = "Die Pl\u00e4ne bleiben nur, bis die Seite geschlossen wird; \u201eAlle kopieren\u201c nimmt sie mit.";

// Said once, when the browser refuses its storage (a private window, blocked site data) or it is full.
inline constexpr std::string_view kPlansNotKept
    = "Der Browser l\u00e4sst die Seite die Pl\u00e4ne nicht auf diesem Ger\u00e4t speichern (etwa in einem "
      "privaten Fenster, oder sein Speicher ist voll). Die Pl\u00e4ne bleiben erhalten, bis die Seite geschlossen "
      "wird; \u201eAlle kopieren\u201c nimmt sie mit.";

// Where the page may not use the clipboard: the plans' text to copy by hand, a field to paste them into.
inline constexpr std::string_view kPlansCopyByHand
    = "Die Pl\u00e4ne konnten nicht in die Zwischenablage kopiert werden. Hier sind sie zum Kopieren:";
inline constexpr std::string_view kPlansPasteByHand
    = "Der Browser l\u00e4sst die Seite die Zwischenablage nicht lesen. F\u00fcge die Pl\u00e4ne hier ein "
      "(Strg+V) und best\u00e4tige mit OK:";

// A screen reader's description of a comparison cell that differs from the plan shown.
inline constexpr std::string_view kDiffersFromShown = "weicht vom angezeigten Plan ab";

} // namespace rollwerk
