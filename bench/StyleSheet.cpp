#include "bench/StyleSheet.h"

#include <string>

namespace {

constexpr std::size_t kBodyRuleShareNumerator = 9;
constexpr std::size_t kBodyRuleShareDenominator = 10;

// Nothing in a rule may contain the selector word, or the reader would take
// that rule for the BODY rule.
std::string Rule(std::size_t number) {
    const std::string name = std::to_string(number);
    return "/* Section " + name +
           ": cards and their headings, kept apart from the layout rules */\n"
           ".card-" +
           name + " > .Heading, .card-" + name +
           ":hover .Heading {\n"
           "  color: #336699;\n"
           "  margin: 0 auto 12px; /* centred */\n"
           "  padding: 4px 8px;\n"
           "  font: 14px/1.4 \"Noto Sans\", sans-serif;\n"
           "}\n";
}

const std::string kBodyRule = "/* The page's scrollbars */\n"
                              "BODY {\n"
                              "  margin: 0;\n"
                              "  scrollbar-track-color: #F0F0F0;\n"
                              "  scrollbar-face-color: #C0C0C0;\n"
                              "  scrollbar-shadow-color: #808080; /* inner edge */\n"
                              "  scrollbar-darkshadow-color: #404040;\n"
                              "  scrollbar-highlight-color: #FFFFFF;\n"
                              "  scrollbar-3dlight-color: #E0E0E0;\n"
                              "  scrollbar-arrow-color: #000000;\n"
                              "}\n";

} // namespace

const ColorList kStyleSheetColors = {0xF0F0F0, 0xC0C0C0, 0x808080, 0x404040,
                                     0xFFFFFF, 0xE0E0E0, 0x000000};

CString GenerateStyleSheet(std::size_t bytes) {
    CString sheet;
    sheet.reserve(bytes + kBodyRule.size() + Rule(0).size() * 2);
    const std::size_t bodyRuleAt = bytes / kBodyRuleShareDenominator * kBodyRuleShareNumerator;
    std::size_t number = 0;
    while (sheet.size() < bodyRuleAt) {
        sheet += Rule(number++);
    }
    sheet += kBodyRule;
    while (sheet.size() < bytes) {
        sheet += Rule(number++);
    }
    return sheet;
}
