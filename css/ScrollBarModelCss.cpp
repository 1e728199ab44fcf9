// The CSS import and export of CScrollBarModel. They live here rather than
// beside the rest of the model so that the preview library needs nothing of
// the CSS code.

#include "chromlib/Chromlib.h"
#include "css/CssSource.h"
#include "css/ScrollbarProperties.h"
#include "preview/ScrollBarModel.h"

#include <cstddef>
#include <utility>

void CScrollBarModel::ImportCssFile(CString fileName) {
    ImportCssSource(CCssSource(std::move(fileName), true));
}

void CScrollBarModel::ImportCssText(const CString& text) {
    ImportCssSource(CCssSource(text));
}

// Every value is turned into a colour, an empty one too: a property that is
// missing sets its element to the colour of the empty text, never keeping
// the colour from before. The source is only asked, never changed.
void CScrollBarModel::ImportCssSource(const CCssSource& source) {
    ColorList colors{};
    for (std::size_t position = 0; position < kScrollbarProperties.size(); ++position) {
        const CString value = source.GetPropertyValue(CString(kScrollbarProperties[position]));
        colors[position] = static_cast<COLORREF>(CChromlib::HtmlColorToRgb(value.c_str()));
    }
    SetColors(colors);
}

CString CScrollBarModel::GetCssDeclarations(CString indent, CString lineEnd) const {
    CString declarations;
    for (std::size_t position = 0; position < kScrollbarProperties.size(); ++position) {
        declarations += indent;
        declarations += kScrollbarProperties[position];
        declarations += ':';
        declarations += CChromlib::RgbToHtmlColor(GetElementColor(kColorListOrder[position]));
        declarations += ';';
        declarations += lineEnd;
    }
    return declarations;
}
