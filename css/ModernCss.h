#pragma once

// The colours of a preview scrollbar as CSS for today's browsers, which no
// longer read the seven legacy properties. The text opens with the Copy text,
// so that older engines and Paste still find the BODY rule first; then
// ::-webkit-scrollbar rules draw the classic bar, buttons and thumb pixel for
// pixel as the preview draws them at scale 1, and engines that ignore those
// rules get the face and track colours through scrollbar-color. Putting the
// text anywhere is left to the caller.

#include "preview/ScrollBarModel.h"
#include "text/Types.h"

CString BuildModernCss(const CScrollBarModel& bar);
