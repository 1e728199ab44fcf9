#pragma once

// Chooses where COLORREF and RECT come from: the system's own on Windows,
// the project's elsewhere. The one place that asks which platform it is.
#ifdef _WIN32
#include "text/PlatformTypesWindows.h"
#else
#include "text/PlatformTypesPosix.h"
#endif
