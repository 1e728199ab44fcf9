#pragma once

// The reader's rules carried out step by step in the plainest way, as the
// reference that CCssSource is compared with: the text is rebuilt for every
// comment, every search walks character by character, and every property
// lookup asks for declaration 0, 1, 2 ... each found afresh from the start
// of the text. Slow on purpose; for the fuzzer only.

#include "text/Types.h"

#include <cstdint>

class CLiteralCssSource {
public:
    explicit CLiteralCssSource(CString text);

    const CString& GetText() const { return m_text; }
    static void StripComments(CString& text);
    CString GetDeclaration(CString selector, std::int32_t index) const;
    CString GetPropertyValue(CString property) const;

private:
    CString m_text;
};
