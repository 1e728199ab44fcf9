#pragma once

// The text that Copy places on the clipboard: a header comment, a notice
// comment and a complete BODY rule with the seven colours of a preview
// scrollbar. Putting it on the clipboard is left to the view.

#include "preview/ScrollBarModel.h"
#include "text/Types.h"

CString BuildCopyText(const CScrollBarModel& bar);
