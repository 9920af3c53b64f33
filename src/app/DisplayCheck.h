#pragma once

// Qt ends the process with an abort when it can open no display. The entry
// asks first, so that it can explain and end with an exit code instead.

namespace rollwerk {

// False only when Qt would pick the X11 platform and its display cannot be
// reached; every other platform (offscreen, wayland, ...) is left to Qt.
bool DisplayReachable();

} // namespace rollwerk
