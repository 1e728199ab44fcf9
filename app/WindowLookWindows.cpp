#include "app/WindowLook.h"

#include <wx/frame.h>
#include <wx/msw/private.h>

#include <commctrl.h>

#include <cstdlib>
#include <cwctype>
#include <string>
#include <vector>

// The system draws the title bar and the menu bar. A menu bar too wide for
// the window would wrap onto a second line there, which happens at some
// display scales with some interface fonts; then the program draws the
// titles itself, in the largest smaller font with which they fit on one.

namespace {

// Below this height, at 100 %, the Japanese titles are hard to read.
constexpr int kSmallestMenuFontPixels = 10;
constexpr UINT_PTR kTitlesSubclassId = 1;
constexpr UINT_PTR kScaleSubclassId = 2;
constexpr wchar_t kTitlesProperty[] = L"TintbarDrawnTitles";

// One title the program draws; its address is the menu item's data, which
// is how the window's handler knows the item for its own.
struct DrawnTitle {
    std::wstring text; // with its mnemonic, as the menu bar holds it
    int width = 0;     // of the text in the drawing font
};

// What the frame's handler needs to measure and draw the titles.
struct DrawnTitles {
    HFONT font = nullptr;
    std::vector<DrawnTitle> titles;

    DrawnTitles() = default;
    DrawnTitles(const DrawnTitles&) = delete;
    DrawnTitles& operator=(const DrawnTitles&) = delete;
    ~DrawnTitles() {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }

    DrawnTitle* Find(ULONG_PTR itemData) {
        for (DrawnTitle& title : titles) {
            if (reinterpret_cast<ULONG_PTR>(&title) == itemData) {
                return &title;
            }
        }
        return nullptr;
    }
};

// Looks up a function of user32 that older systems lack; through the
// generic function type, which any function's may be converted to.
template <typename Function> Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The interface font of menus at dots per inch dpi: the window's own
// scale for a per-monitor aware program where the system can tell it.
LOGFONTW MenuFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    const auto forDpi = User32Function<ForDpi>("SystemParametersInfoForDpi");
    if (forDpi == nullptr || !forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    }
    return metrics.lfMenuFont;
}

// A device context for measuring, with font selected while it lives.
class MeasuringContext {
public:
    explicit MeasuringContext(HFONT font)
        : m_dc(GetDC(nullptr)), m_previous(SelectObject(m_dc, font)) {}
    ~MeasuringContext() {
        SelectObject(m_dc, m_previous);
        ReleaseDC(nullptr, m_dc);
    }
    MeasuringContext(const MeasuringContext&) = delete;
    MeasuringContext& operator=(const MeasuringContext&) = delete;

    int TextWidth(const std::wstring& text) const {
        RECT bounds{};
        DrawTextW(m_dc, text.c_str(), static_cast<int>(text.size()), &bounds,
                  DT_SINGLELINE | DT_CALCRECT);
        return bounds.right - bounds.left;
    }

    // The width the system adds on each side of a title: the average
    // width of a letter, measured as the system measures it.
    int AverageLetterWidth() const {
        static constexpr wchar_t kLetters[] =
            L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        SIZE size{};
        GetTextExtentPoint32W(m_dc, kLetters, 52, &size);
        return (size.cx / 26 + 1) / 2;
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// The width of the titles laid out in font, with the system's room around
// each in the system's menu font.
int BarWidth(const std::vector<DrawnTitle>& titles, HFONT font, int roomPerTitle) {
    const MeasuringContext measure(font);
    int width = 0;
    for (const DrawnTitle& title : titles) {
        width += measure.TextWidth(title.text) + roomPerTitle;
    }
    return width;
}

void DrawTitle(const DrawnTitles& drawn, const DrawnTitle& title, const DRAWITEMSTRUCT& item) {
    BOOL flat = FALSE;
    SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
    const bool lit = (item.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    const bool disabled = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    RECT bounds = item.rcItem;
    int background = flat ? COLOR_MENUBAR : COLOR_MENU;
    int foreground = disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT;
    if (lit && flat) {
        background = COLOR_MENUHILIGHT;
        foreground = disabled ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT;
    }
    FillRect(item.hDC, &bounds, GetSysColorBrush(background));
    if (lit && !flat) {
        // The classic look: a title pressed in while its menu is open,
        // raised while the pointer is over it.
        DrawEdge(item.hDC, &bounds,
                 (item.itemState & ODS_SELECTED) ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    const HGDIOBJ previous = SelectObject(item.hDC, drawn.font);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(foreground));
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (item.itemState & ODS_NOACCEL) {
        format |= DT_HIDEPREFIX;
    }
    DrawTextW(item.hDC, title.text.c_str(), static_cast<int>(title.text.size()), &bounds, format);
    SelectObject(item.hDC, previous);
}

// The title whose mnemonic is key, as an index, or -1.
int TitleByMnemonic(const DrawnTitles& drawn, wchar_t key) {
    for (size_t index = 0; index < drawn.titles.size(); ++index) {
        const std::wstring& text = drawn.titles[index].text;
        const size_t at = text.find(L'&');
        if (at != std::wstring::npos && at + 1 < text.size() &&
            std::towupper(text[at + 1]) == std::towupper(key)) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

// Measures and draws the titles the program draws, and opens their menus
// by their mnemonics; everything else goes on to the toolkit's handler,
// which must not see these items: it takes any menu item's data for one of
// its own.
LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
    auto* drawn = reinterpret_cast<DrawnTitles*>(data);
    switch (message) {
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (wParam == 0 && item->CtlType == ODT_MENU) {
            if (const DrawnTitle* title = drawn->Find(item->itemData)) {
                item->itemWidth = static_cast<UINT>(title->width);
                item->itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYMENU));
                return TRUE;
            }
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (wParam == 0 && item->CtlType == ODT_MENU) {
            if (const DrawnTitle* title = drawn->Find(item->itemData)) {
                DrawTitle(*drawn, *title, *item);
                return TRUE;
            }
        }
        break;
    }
    case WM_MENUCHAR:
        if (reinterpret_cast<HMENU>(lParam) == GetMenu(window) && !drawn->titles.empty()) {
            const int index = TitleByMnemonic(*drawn, static_cast<wchar_t>(LOWORD(wParam)));
            if (index >= 0) {
                return MAKELRESULT(index, MNC_EXECUTE);
            }
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, FrameProc, kTitlesSubclassId);
        RemovePropW(window, kTitlesProperty);
        delete drawn;
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// The frame's record of the titles it draws, made with its handler on
// first use and kept as a property of the window.
DrawnTitles& TitlesOf(HWND window) {
    if (auto* drawn = static_cast<DrawnTitles*>(GetPropW(window, kTitlesProperty))) {
        return *drawn;
    }
    auto* drawn = new DrawnTitles;
    SetPropW(window, kTitlesProperty, drawn);
    SetWindowSubclass(window, FrameProc, kTitlesSubclassId, reinterpret_cast<DWORD_PTR>(drawn));
    return *drawn;
}

// Makes item index of menu drawn by the program as title, whose address
// becomes the item's data, or, for no title, by the system again.
void SetDrawnBy(HMENU menu, size_t index, const DrawnTitle* title) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = title != nullptr ? info.fType | MFT_OWNERDRAW
                                  : info.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
    info.dwItemData = reinterpret_cast<ULONG_PTR>(title);
    SetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info);
}

// The largest font like font, no larger, no smaller than smallest pixels
// unless nothing larger fits, in which the titles fit in width.
HFONT FittingFont(LOGFONTW font, const std::vector<DrawnTitle>& titles, int width, int roomPerTitle,
                  int smallest) {
    for (int pixels = std::abs(font.lfHeight);; --pixels) {
        font.lfHeight = -pixels;
        HFONT fitting = CreateFontIndirectW(&font);
        if (pixels <= smallest || BarWidth(titles, fitting, roomPerTitle) <= width) {
            return fitting;
        }
        DeleteObject(fitting);
    }
}

// Whether the system gave window the second kind of per-monitor awareness,
// in which the toolkit answers a change of scale itself.
bool HasSecondPerMonitorAwareness(HWND window) {
    using GetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
    using AreEqual = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT);
    const auto getContext = User32Function<GetContext>("GetWindowDpiAwarenessContext");
    const auto areEqual = User32Function<AreEqual>("AreDpiAwarenessContextsEqual");
    return getContext != nullptr && areEqual != nullptr &&
           areEqual(getContext(window), DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

// Answers WM_DPICHANGED as the toolkit does where it answers it: the frame
// updates for the new scale (fonts, sizes, then its own handler) and goes
// to the suggested place. dpi is the scale the frame was last told of.
LRESULT CALLBACK ScaleChangeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR dpi) {
    if (message == WM_DPICHANGED && !HasSecondPerMonitorAwareness(window)) {
        const wxSize newDpi(LOWORD(wParam), HIWORD(wParam));
        const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowSubclass(window, ScaleChangeProc, kScaleSubclassId,
                          static_cast<DWORD_PTR>(newDpi.y));
        // The title bar and the menu bar take the new scale's sizes first.
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (wxWindow* frame = wxFindWinFromHandle(window)) {
            const int oldDpi = static_cast<int>(dpi);
            frame->MSWUpdateOnDPIChange(wxSize(oldDpi, oldDpi), newDpi);
        }
        SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, ScaleChangeProc, kScaleSubclassId);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void UseCompactDecorations() {}

void FitTitleBar(wxTopLevelWindow&) {}

void FitMenuBar(wxMenuBar& menuBar, int width) {
    wxFrame* frame = menuBar.GetFrame();
    if (frame == nullptr) {
        return;
    }
    const auto window = static_cast<HWND>(frame->GetHWND());
    const auto menu = static_cast<HMENU>(menuBar.GetHMenu());
    const int count = static_cast<int>(menuBar.GetMenuCount());
    const int dpi = frame->GetDPI().y;

    std::vector<DrawnTitle> titles;
    for (int index = 0; index < count; ++index) {
        titles.push_back({menuBar.GetMenuLabel(static_cast<size_t>(index)).ToStdWstring(), 0});
    }
    const LOGFONTW font = MenuFont(static_cast<UINT>(dpi));
    HFONT systemFont = CreateFontIndirectW(&font);
    const int roomPerTitle = 2 * MeasuringContext(systemFont).AverageLetterWidth();
    const bool fits = BarWidth(titles, systemFont, roomPerTitle) <= width;
    DeleteObject(systemFont);

    DrawnTitles& drawn = TitlesOf(window);
    for (size_t index = 0; index < drawn.titles.size(); ++index) {
        SetDrawnBy(menu, index, nullptr);
    }
    drawn.titles.clear();
    if (drawn.font != nullptr) {
        DeleteObject(drawn.font);
        drawn.font = nullptr;
    }
    if (!fits) {
        drawn.font = FittingFont(font, titles, width, roomPerTitle,
                                 MulDiv(kSmallestMenuFontPixels, dpi, 96));
        const MeasuringContext measure(drawn.font);
        for (DrawnTitle& title : titles) {
            title.width = measure.TextWidth(title.text);
        }
        drawn.titles = std::move(titles);
        for (size_t index = 0; index < drawn.titles.size(); ++index) {
            SetDrawnBy(menu, index, &drawn.titles[index]);
        }
    }
    DrawMenuBar(window);
}

void FollowScaleChanges(wxTopLevelWindow& window) {
    SetWindowSubclass(static_cast<HWND>(window.GetHWND()), ScaleChangeProc, kScaleSubclassId,
                      static_cast<DWORD_PTR>(window.GetDPI().y));
}
