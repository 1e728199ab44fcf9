#include "fuzz/FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kLastPrintable = 0x7E;

void PrintEscaped(const char* label, std::string_view bytes) {
    std::fprintf(stderr, "  %s: \"", label);
    for (const char character : bytes) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte >= kFirstPrintable && byte <= kLastPrintable && byte != '\\' && byte != '"') {
            std::fputc(byte, stderr);
        } else {
            std::fprintf(stderr, "\\x%02x", byte);
        }
    }
    std::fprintf(stderr, "\"\n");
}

} // namespace

void Require(bool holds, std::string_view what, std::string_view actual,
             std::string_view expected) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(what.size()), what.data());
    PrintEscaped("actual  ", actual);
    PrintEscaped("expected", expected);
    std::abort();
}
