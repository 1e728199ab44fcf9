#pragma once

// How the toolkit draws the parts of the fixed-width main window that the
// desktop styles: the menu bar and, where the program draws it itself, the
// title bar (WindowLookGtk.cpp, WindowLookWindows.cpp); and how the window
// follows a change of its display's scale.

#include <wx/menu.h>
#include <wx/toplevel.h>

// Asks for a menu bar with little padding around its titles, so that it is
// no wider than the client area; call before the first window is created.
void UseCompactDecorations();

// Gives window, before it is first shown, a title bar without the window
// icon where the program draws its own, so that it is no wider than the
// client area.
void FitTitleBar(wxTopLevelWindow& window);

// Sets the menu bar's font to the largest size, no larger than the
// desktop's, with which the titles fit in width.
void FitMenuBar(wxMenuBar& menuBar, int width);

// Makes window get wxEVT_DPI_CHANGED and move where the system suggests
// when its display's scale changes, also where the toolkit leaves that to
// the program: on Windows, the toolkit answers the system's message only in
// windows with the second kind of per-monitor awareness, which Windows 8.1,
// early Windows 10 and Wine do not give. Elsewhere the desktop scales the
// window itself.
void FollowScaleChanges(wxTopLevelWindow& window);
