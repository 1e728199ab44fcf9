#pragma once

// The fixed-size main window: caption, window menu, minimize and close
// boxes, the menu bar and the accelerators, around the canvas that shows
// the preview. It owns the one CTintbarView and the desktop services the
// view uses, so New and Open, which recreate the framework's view, never
// touch the colours.

#include "app/WxBrowserPage.h"
#include "app/WxClipboard.h"
#include "app/WxColorDialog.h"
#include "app/WxDesktop.h"

#include <wx/docview.h>

#include <memory>

class CPreviewCanvas;
class CTintbarView;

// The Edit menu's Copy for current browsers and View in browser, which have
// no stock ids.
constexpr int kCopyModernCommand = wxID_HIGHEST + 3;
constexpr int kViewInBrowserCommand = wxID_HIGHEST + 4;

class CMainFrame : public wxDocParentFrame {
public:
    // Constructing the frame constructs the view, which reads "default.css".
    explicit CMainFrame(wxDocManager* manager);
    ~CMainFrame() override;

    CTintbarView& GetPreview() { return *m_preview; }

private:
    // Sizes the window for a 180 x 240 client area at the present display
    // scale, fixed at that size, with the menu bar fitted to that width.
    void FitToScale();
    void OnDpiChanged(wxDPIChangedEvent& event);
    wxMenuBar* CreateMenus(wxDocManager& manager);
    void CreateAccelerators();

    CPreviewCanvas* m_canvas;
    CWxClipboard m_clipboard;
    CWxColorDialog m_colorDialog;
    CWxDesktop m_desktop;
    CWxBrowserPage m_browserPage;
    std::unique_ptr<CTintbarView> m_preview;
};
