#include "text/MultiByte.h"

#include <windows.h>

// The system's ANSI code page: 932 on Japanese Windows.
int multibyte::SystemCodePage() {
    return static_cast<int>(GetACP());
}
