#pragma once

// The few start-up steps that differ between the desktops the program runs
// on, one small function each (AppPlatformGtk.cpp, AppPlatformWindows.cpp).

// Before the toolkit starts: false, after printing why, when no display can
// be reached at all.
bool PrepareDisplay();
// Prints why the toolkit could not start.
void ReportDisplayFailure();

// Whether drawing through a client context outside a paint request reaches
// the screen; where it does not, the window is asked to repaint itself at
// once instead.
bool ClientDrawingReachesScreen();
