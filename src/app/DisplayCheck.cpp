#include "DisplayCheck.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace rollwerk {

namespace {

// Whether Qt's choice of platform may fall on anything but X11: a platform
// list in QT_QPA_PLATFORM names one, or a Wayland session is announced.
bool OtherPlatformPossible()
{
    if (const char *chosen = std::getenv("QT_QPA_PLATFORM"); chosen && *chosen) {
        std::string_view list(chosen);
        while (!list.empty()) {
            const std::string_view entry = list.substr(0, list.find(';'));
            if (entry.substr(0, entry.find(':')) != "xcb")
                return true;
            list.remove_prefix(std::min(list.size(), entry.size() + 1));
        }
        return false;
    }
    const char *session = std::getenv("XDG_SESSION_TYPE");
    return std::getenv("WAYLAND_DISPLAY") || (session && std::string_view(session) == "wayland");
}

} // namespace

bool DisplayReachable()
{
    if (OtherPlatformPossible())
        return true;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

} // namespace rollwerk
