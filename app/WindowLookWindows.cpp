#include "app/WindowLook.h"

// The system draws the title bar and the menu bar; a menu bar too wide for
// the window wraps onto a second line there, and the client area keeps its
// size either way.
void UseCompactDecorations() {}

void FitTitleBar(wxTopLevelWindow&) {}

void FitMenuBar(wxMenuBar&, int) {}
