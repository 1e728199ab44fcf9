#pragma once

// On Windows the shared colour and rectangle types are the system's own
// COLORREF (a 32-bit DWORD) and RECT (four 32-bit LONGs).

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windef.h>

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
