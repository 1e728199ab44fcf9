#pragma once

// Splits CSS value text into the tokens that colour values are made of:
// identifiers, functions, hashes, numbers, percentages, dimensions and
// single-character delimiters. Comments vanish. It does not decode escapes:
// a backslash is a delimiter like any other stray character.

#include <deque>
#include <string_view>

enum class CssTokenType {
    Whitespace,
    Ident,      // text: the name
    Function,   // text: the name, without the "("
    Hash,       // text: the name after "#"
    Number,     // value
    Percentage, // value, without the "%"
    Dimension,  // value; text: the unit
    Comma,
    OpenParen,
    CloseParen,
    Delim, // text: the character
    End,
};

struct CssToken {
    CssTokenType type = CssTokenType::End;
    std::string_view text;
    double value = 0.0;

    // Whether text is lowerName, ignoring the case of ASCII letters as CSS
    // does for keywords, function names and units.
    bool TextIs(std::string_view lowerName) const;
    bool IsDelim(char character) const;
};

class CCssTokenizer {
public:
    // Token texts point into source, which must outlive them.
    explicit CCssTokenizer(std::string_view source) : m_source(source) {}

    // The next token; End at the end of the text, and End again after it.
    CssToken Next();

private:
    bool SkipComment();
    CssToken ConsumeNumeric();
    std::string_view ConsumeName();
    double ConsumeNumber();

    char At(std::size_t offset) const;
    bool StartsNumber(std::size_t offset) const;
    bool StartsIdent(std::size_t offset) const;

    std::string_view m_source;
    std::size_t m_position = 0;
};

// A read position in the tokens of one value, for the recursive-descent
// readers of colours and calc() expressions. Tokens are made as they are
// looked at, so a reader that gives up early never tokenizes the rest of a
// long text. Reading never passes End.
class CCssTokenStream {
public:
    explicit CCssTokenStream(std::string_view source) : m_tokenizer(source) {}

    // A reference valid until the token is read.
    const CssToken& Peek(std::size_t ahead = 0);
    CssToken Next();
    void SkipWhitespace();
    // After optional white space: the end of a function's arguments, either
    // its ")" or the end of the text, which closes every open function.
    bool CloseFunction();

private:
    CCssTokenizer m_tokenizer;
    // Tokens made but not yet read: no more than Peek has looked ahead.
    std::deque<CssToken> m_lookahead;
};
