#pragma once

// The name the product goes by: the window title, the About box and the
// first line of the Copy text all show it.

#include <string_view>

constexpr std::string_view kProductName = "Hueline";
