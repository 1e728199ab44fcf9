#pragma once

// Sets the process's code page for a while and puts the old one back.

#include "text/MultiByte.h"

class CodePageScope {
public:
    explicit CodePageScope(int codePage) { multibyte::SetCodePage(codePage); }
    ~CodePageScope() { multibyte::SetCodePage(m_saved); }
    CodePageScope(const CodePageScope&) = delete;
    CodePageScope& operator=(const CodePageScope&) = delete;

private:
    const int m_saved = multibyte::GetCodePage();
};
