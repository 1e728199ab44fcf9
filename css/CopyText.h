#pragma once

// The text that Copy places on the clipboard: two comment lines and a
// complete BODY rule with the seven colours of a preview scrollbar.

#include "preview/ScrollBarModel.h"
#include "text/Types.h"

CString BuildCopyText(const CScrollBarModel& bar);
