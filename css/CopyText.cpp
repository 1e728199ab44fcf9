#include "css/CopyText.h"

#include "text/ProductName.h"

#include <string_view>

namespace {

// Free of the word body, so that even a reader that does not strip comments
// finds the BODY rule first.
constexpr std::string_view kNoticeLine = "/* Scrollbar colours made with Tintbar */\r\n";
constexpr std::string_view kRuleOpening = "BODY\r\n{\r\n";
constexpr std::string_view kRuleClosing = "}";
constexpr std::string_view kIndent = "\t";
constexpr std::string_view kLineEnd = "\r\n";

} // namespace

CString BuildCopyText(const CScrollBarModel& bar) {
    CString text;
    text += "/*";
    text += kProductName;
    text += " */\r\n";
    text += kNoticeLine;
    text += kRuleOpening;
    text += bar.GetCssDeclarations(CString(kIndent), CString(kLineEnd));
    text += kRuleClosing;
    return text;
}
