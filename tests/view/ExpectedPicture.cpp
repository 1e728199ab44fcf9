#include "tests/view/ExpectedPicture.h"

#include "tests/preview/WorkedBars.h"

CRasterSurface BuildExpectedPicture(COLORREF background, const ColorList& colors) {
    CRasterSurface picture(180, 240);
    picture.FillRectangle({0, 51, 163, 219}, background);
    picture.FillRectangle({0, 219, 180, 240}, kExpectedStripGrey);
    for (const WorkedBar* bar : {&kHorizontalBar, &kVerticalBar}) {
        for (int element = kFace; element <= kArrow; ++element) {
            for (const RECT& rect : bar->rects[element - 1]) {
                picture.FillRectangle(rect, colors[PositionOf(element)]);
            }
        }
    }
    return picture;
}
