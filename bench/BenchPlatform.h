#pragma once

// The view's platform for the benchmarks: every paint goes to one raster
// of the client area; the clipboard is empty, the colour dialog is always
// cancelled and the desktop stays silent. Nothing here is measured for
// itself.

#include "preview/RasterSurface.h"
#include "view/TintbarView.h"
#include "view/ViewPlatform.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>

class CBenchSurfaces : public CSurfaceSource {
public:
    CDrawSurface* ObtainSurface() override { return &m_raster; }
    void ReleaseSurface(CDrawSurface&) override {}
    const CRasterSurface& GetRaster() const { return m_raster; }

private:
    CRasterSurface m_raster{kClientWidth, kClientHeight};
};

class CBenchClipboard : public CClipboard {
public:
    bool Open() override { return true; }
    void Close() override {}
    ClipboardRead ReadText(CString&, std::size_t) override { return ClipboardRead::kNoText; }
    ClipboardWrite WriteText(const CString&) override { return ClipboardWrite::kWritten; }
};

class CBenchColorDialog : public CColorDialog {
public:
    std::optional<COLORREF> RunModal(const CColorDialogRequest&) override { return std::nullopt; }
};

class CBenchDesktop : public CDesktop {
public:
    void Beep() override {}
    void ShowMessage(const CString&, const std::optional<CString>&) override {}
    void Pause(int) override {}
};

// A view built in an empty scratch directory, so that the start-up file it
// reads is never one lying where the benchmark happens to run.
class CBenchView {
public:
    CBenchView();
    ~CBenchView();
    CBenchView(const CBenchView&) = delete;
    CBenchView& operator=(const CBenchView&) = delete;

    CTintbarView& GetView() { return *m_view; }
    const CRasterSurface& GetRaster() const { return m_surfaces.GetRaster(); }

private:
    CBenchSurfaces m_surfaces;
    CBenchClipboard m_clipboard;
    CBenchColorDialog m_colorDialog;
    CBenchDesktop m_desktop;
    std::filesystem::path m_scratch;
    std::unique_ptr<CTintbarView> m_view;
};
