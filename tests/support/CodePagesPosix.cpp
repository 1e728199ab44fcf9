#include "tests/support/CodePages.h"

#include <iconv.h>

#include <stdexcept>
#include <string>

CString InCurrentCodePage(std::string_view utf8) {
    const int codePage = multibyte::GetCodePage();
    if (codePage == multibyte::kUtf8) {
        return CString(utf8);
    }
    const iconv_t converter = iconv_open(("CP" + std::to_string(codePage)).c_str(), "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv cannot convert to code page " + std::to_string(codePage));
    }
    std::string in(utf8);
    CString out(in.size() * 2, '\0');
    char* inAt = in.data();
    char* outAt = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t converted = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("iconv cannot convert \"" + in + "\"");
    }
    out.resize(out.size() - outLeft);
    return out;
}
