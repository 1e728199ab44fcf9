#include "app/AppPlatform.h"

#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool IsSet(const char* value) {
    return value != nullptr && *value != '\0';
}

} // namespace

bool PrepareDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    if (!IsSet(x11) && !IsSet(std::getenv("WAYLAND_DISPLAY"))) {
        std::fprintf(stderr, "tintbar: cannot open a display: neither DISPLAY nor "
                             "WAYLAND_DISPLAY is set\n");
        return false;
    }
    // Where an X server is reachable (X11, or XWayland beside a Wayland
    // session), draw through it: the window then shows each paint at once.
    if (x11 != nullptr && std::getenv("GDK_BACKEND") == nullptr) {
        setenv("GDK_BACKEND", "x11", 0);
    }
    return true;
}

void ReportDisplayFailure() {
    // The toolkit's own complaint names only DISPLAY; ours says it once.
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    std::fprintf(stderr, "tintbar: cannot open a display: cannot connect to \"%s\"\n",
                 x11 != nullptr ? x11 : (wayland != nullptr ? wayland : ""));
}

// Only X11 shows such drawing; native Wayland does not.
bool ClientDrawingReachesScreen() {
    return wxGetDisplayInfo().type == wxDisplayX11;
}
