#pragma once

// The reader's rules carried out step by step in the plainest way, as the
// reference that CCssSource is compared with: the text is rebuilt for every
// comment and every search walks character by character. Slow on purpose;
// for the fuzzer only.

#include "text/Types.h"

#include <utility>
#include <vector>

class CLiteralCssSource {
public:
    explicit CLiteralCssSource(CString text);

    const CString& GetText() const { return m_text; }
    static void StripComments(CString& text);
    // The trimmed declarations of the block of selector, in order.
    std::vector<CString> GetDeclarations(CString selector) const;
    CString GetPropertyValue(CString property) const;

private:
    CString m_text;
    // The names and values of BODY's declarations, the first of a name first.
    std::vector<std::pair<CString, CString>> m_bodyProperties;
};
