#pragma once

// A CSS text in normalised form (comments removed, lower-cased, trimmed) and
// the two questions that the colour import asks of it: the declarations of
// the rule for a selector and the value of a property in the BODY rule. It
// is a forgiving reader, not a CSS parser: it knows comments, one pair of
// braces, ";" and ":", and reports every failure as an empty string. Every
// search and split works on whole characters of the program's code page.

#include "text/Types.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

class CCssSource {
public:
    explicit CCssSource(const CString& text);
    // Takes the text over and normalises it where it lies, so that a long
    // text is never held twice.
    explicit CCssSource(CString&& text);
    // fromFile tells this constructor from the one that takes text.
    CCssSource(CString fileName, bool fromFile);

    void SetText(std::string_view text);
    // A file that cannot be read as a regular file gives an empty text.
    void LoadFile(CString fileName);
    const CString& GetText() const { return m_text; }

    // Removes every comment from text, in place. A comment runs from "/*" to
    // the first "*/" after it, which may not share the opener's star; an
    // unterminated comment runs to the end.
    static void StripComments(CString& text);
    // The declaration numbered index (from 0) of the first rule found for
    // selector, trimmed; empty when there is none.
    CString GetDeclaration(CString selector, std::int32_t index) const;
    // The lower-case, trimmed value of the first declaration of property in
    // the BODY rule; empty when there is none, and the search ends at the
    // first empty declaration.
    CString GetPropertyValue(CString property) const;

private:
    // Bytes [start, start + length) of m_text.
    struct TextRange {
        std::size_t start = 0;
        std::size_t length = 0;
    };

    template <typename Take>
    static void ForEachPieceOutsideComments(std::string_view text, Take take);
    // The trimmed block of the first rule for lowerSelector; empty when the
    // selector, its "{" or the "}" after that is missing.
    TextRange FindBlock(std::string_view lowerSelector) const;
    std::string_view View(TextRange range) const;
    // Lower-cases and trims m_text, which holds no comment any more, and
    // finds its BODY block.
    void FinishNormalising();

    CString m_text;
    // Kept for reference only.
    CString m_fileName;
    // Every property lookup reads this block, so it is found once per text.
    TextRange m_bodyBlock;
};
