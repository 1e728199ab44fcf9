#pragma once

// The seven colours of a preview scrollbar as CSS for current browsers,
// which no longer read the seven legacy properties: the standard
// scrollbar-color on the root element, and ::-webkit-scrollbar rules that
// draw the classic three-dimensional bar where scrollbar-color is unknown.

#include "preview/ScrollBarModel.h"
#include "text/Types.h"

#include <string_view>

CString BuildModernCss(const CScrollBarModel& bar);

// text made safe inside a data: URL in a quoted CSS url(): every byte but the
// unreserved characters and a few harmless delimiters becomes %XX.
CString PercentEncode(std::string_view text);
