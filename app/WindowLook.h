#pragma once

// How the toolkit draws the parts of the fixed-width main window that the
// desktop styles: the menu bar and, where the program draws it itself, the
// title bar (WindowLookGtk.cpp).

#include <wx/menu.h>

// Asks for a menu bar with little padding around its titles and a drawn
// title bar without the window icon, so that neither is wider than the
// client area; call before the first window is created.
void UseCompactDecorations();

// Sets the menu bar's font to the largest size, no larger than the
// desktop's, with which the titles fit in width.
void FitMenuBar(wxMenuBar& menuBar, int width);
