// The colour import of arbitrary bytes. On every text the model must end up
// with the colours of the reader's values, and every value must be a piece
// of the reader's normalised text. On short texts, where the quadratic
// step-by-step reference is cheap, the one-pass reader must also answer
// every question exactly as the reference does. The first byte chooses the
// code page (even: 932, odd: UTF-8); the rest is the CSS text.

#include "chromlib/Chromlib.h"
#include "css/CssSource.h"
#include "css/ScrollbarProperties.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/LiteralCssSource.h"
#include "preview/ScrollBarModel.h"
#include "text/MultiByte.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Names beside the seven properties: prefixes, the selector word, odd bytes
// and capitals, which the lookup lower-cases.
constexpr std::array<std::string_view, 6> kOtherNames = {
    "", "scrollbar", "body", "color", "SCROLLBAR-FACE-COLOR", "\x82\x60"};
constexpr std::array<std::string_view, 2> kSelectors = {"BODY", "a"};
// Declarations asked for by index, a negative one included; the BODY rules
// of the seed corpus have up to ten.
constexpr std::int32_t kFirstIndex = -1;
constexpr std::int32_t kLastIndex = 11;
// Texts up to this size are compared with the reference as well.
constexpr std::size_t kReferenceLimit = 128;

std::string Number(unsigned long value) {
    return std::to_string(value);
}

using PropertyValues = std::array<CString, kElementCount>;

// The reader's values of the seven properties; each is a piece of its text.
PropertyValues ReadValues(const CCssSource& source) {
    PropertyValues values;
    for (std::size_t position = 0; position < kScrollbarProperties.size(); ++position) {
        values[position] = source.GetPropertyValue(CString(kScrollbarProperties[position]));
        Require(source.GetText().find(values[position]) != CString::npos,
                "a value is a piece of the text", values[position], source.GetText());
    }
    return values;
}

void CompareWithReference(const CString& text, const CCssSource& source,
                          const PropertyValues& values) {
    CString stripped = text;
    CCssSource::StripComments(stripped);
    CString expectedStripped = text;
    CLiteralCssSource::StripComments(expectedStripped);
    Require(stripped == expectedStripped, "StripComments", stripped, expectedStripped);
    const CLiteralCssSource reference(text);
    Require(source.GetText() == reference.GetText(), "normalised text", source.GetText(),
            reference.GetText());
    const CString inPlace = CCssSource(CString(text)).GetText();
    Require(inPlace == reference.GetText(), "text normalised in place", inPlace,
            reference.GetText());
    for (const std::string_view selector : kSelectors) {
        const std::vector<CString> declarations = reference.GetDeclarations(CString(selector));
        for (std::int32_t index = kFirstIndex; index <= kLastIndex; ++index) {
            const CString actual = source.GetDeclaration(CString(selector), index);
            const auto number = static_cast<std::size_t>(index);
            const CString expected =
                index >= 0 && number < declarations.size() ? declarations[number] : CString();
            Require(actual == expected, "GetDeclaration", actual, expected);
        }
    }
    for (const std::string_view name : kOtherNames) {
        const CString actual = source.GetPropertyValue(CString(name));
        const CString expected = reference.GetPropertyValue(CString(name));
        Require(actual == expected, name, actual, expected);
    }
    for (std::size_t position = 0; position < kScrollbarProperties.size(); ++position) {
        const std::string_view name = kScrollbarProperties[position];
        const CString expected = reference.GetPropertyValue(CString(name));
        Require(values[position] == expected, name, values[position], expected);
    }
}

void CompareImport(const CCssSource& source, const PropertyValues& values) {
    CScrollBarModel bar;
    bar.ImportCssSource(source);
    const ColorList colors = bar.GetColors();
    for (std::size_t position = 0; position < kScrollbarProperties.size(); ++position) {
        const auto expected =
            static_cast<COLORREF>(CChromlib::HtmlColorToRgb(values[position].c_str()));
        Require(colors[position] == expected, kScrollbarProperties[position],
                Number(colors[position]), Number(expected));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    multibyte::SetCodePage((data[0] & 1) != 0 ? multibyte::kUtf8 : multibyte::kShiftJis);
    const CString text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const CCssSource source(text);
    const PropertyValues values = ReadValues(source);
    if (text.size() <= kReferenceLimit) {
        CompareWithReference(text, source, values);
    }
    CompareImport(source, values);
    return 0;
}
