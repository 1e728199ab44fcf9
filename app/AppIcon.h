#pragma once

// The application's icon, rendered from the SVG that the desktop entry
// uses too.

#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>

wxBitmapBundle GetAppIconBitmap();
// The icon at the sizes window managers ask for.
wxIconBundle GetAppIconBundle();
