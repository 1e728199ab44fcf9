#pragma once

// The fuzz targets' verdict: a property that does not hold prints what was
// expected and what came instead, with every byte readable, and aborts, so
// that the fuzzer keeps the input that broke it.

#include <string_view>

void Require(bool holds, std::string_view what, std::string_view actual, std::string_view expected);
