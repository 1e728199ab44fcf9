#pragma once

// A small self-contained HTML page that shows a preview scrollbar's colours
// in a real browser: its one style sheet is the CSS for current browsers, so
// the page's own scrollbars and a scrolling box on it are drawn as that CSS
// draws them, on the preview's page background, above the CSS itself. The
// page needs no network and no script; its texts are Japanese in UTF-8,
// whatever the program's code page. Writing it anywhere is left to the
// caller.

#include "preview/ScrollBarModel.h"
#include "text/Types.h"

#include <string>

std::string BuildBrowserPage(const CScrollBarModel& bar, COLORREF background);
