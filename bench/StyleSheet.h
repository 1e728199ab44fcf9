#pragma once

// Generated style sheets of a chosen size, as a large site's sheet looks:
// many rules, each after a comment, and the BODY rule with the seven
// scrollbar colours near the end.

#include "text/Types.h"

#include <cstddef>

// The colours that the generated BODY rule sets, in colour list order.
extern const ColorList kStyleSheetColors;

// A style sheet of about bytes bytes (never less), whose only BODY rule
// begins after nine tenths of it.
CString GenerateStyleSheet(std::size_t bytes);
