#pragma once

// Sets the process's code page for one test and puts the old one back.

#include "text/MultiByte.h"

#include <array>

class CodePageScope {
public:
    explicit CodePageScope(int codePage) { multibyte::SetCodePage(codePage); }
    ~CodePageScope() { multibyte::SetCodePage(m_saved); }
    CodePageScope(const CodePageScope&) = delete;
    CodePageScope& operator=(const CodePageScope&) = delete;

private:
    const int m_saved = multibyte::GetCodePage();
};

// The code pages that the reader must handle alike for ASCII text.
constexpr std::array<int, 2> kTestedCodePages = {multibyte::kShiftJis, multibyte::kUtf8};
