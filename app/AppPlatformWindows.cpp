#include "app/AppPlatform.h"

#include <cstdio>

// The desktop is always there on Windows.
bool PrepareDisplay() {
    return true;
}

void ReportDisplayFailure() {
    std::fprintf(stderr, "tintbar: the window system could not be started\n");
}

bool ClientDrawingReachesScreen() {
    return true;
}
