#include "view/TintbarView.h"

#include "css/BrowserPage.h"
#include "css/CopyText.h"
#include "css/CssSource.h"
#include "css/ModernCss.h"
#include "text/MultiByte.h"
#include "view/ViewTexts.h"

#include <cstddef>
#include <utility>

namespace {

constexpr std::int32_t kLabelX = 2;
constexpr std::int32_t kLabelY = 220;

constexpr const char* kStartupCssFile = "default.css";

// Another program may hold the clipboard for a moment: the first attempt and
// 20 retries, each failed attempt followed by a pause, the last one too.
constexpr int kOpenAttempts = 21;
constexpr int kOpenRetryPauseMilliseconds = 1;

// Paste takes no longer text: a style sheet that large is no style sheet,
// and reading it would only eat memory. A longer text counts as no text.
constexpr std::size_t kMaxPasteBytes = 128 * 1024 * 1024;

constexpr const char* kCopyFailedCaption = "Fatal error";
constexpr const char* kPasteLockFailedMessage = "error on the step ClipboardPaste - GlobalLock()";

void CopyColorsAndScale(const CScrollBarModel& source, CScrollBarModel& target) {
    target.SetColors(source.GetColors());
    target.SetScale(source.GetScale());
}

} // namespace

CTintbarView::CTintbarView(const CViewPlatform& platform) : m_platform(platform) {
    m_label = GetReadyLabel();
    ResetColors();
    SaveUndoSnapshot();
}

void CTintbarView::PaintPreview() {
    CDrawSurface* surface = m_platform.surfaces.ObtainSurface();
    if (surface == nullptr) {
        return;
    }
    DrawPreviewPicture(*surface, m_bars, m_background);
    surface->SetTextBackground(kStripGrey);
    surface->SetTextForeground(kBlack);
    surface->DrawTextRun(kLabelX, kLabelY, m_label);
    m_platform.surfaces.ReleaseSurface(*surface);
}

int CTintbarView::HitTestBars(std::int32_t x, std::int32_t y) {
    // The vertical bar first: where the two bars' closed rectangles meet, at
    // the column x = 163, the vertical bar claims the point.
    const int element = m_bars[kVerticalBar].HitTest(x, y, kVerticalBarLeft, 0, kVerticalBarWidth,
                                                     kClientHeight, kVertical);
    if (element != kNoElement) {
        return element;
    }
    return m_bars[kHorizontalBar].HitTest(x, y, 0, 0, kHorizontalBarWidth, kHorizontalBarHeight,
                                          kHorizontal);
}

void CTintbarView::OnMouseMove(std::int32_t x, std::int32_t y) {
    m_label = GetHoverLabel(HitTestBars(x, y));
    PaintPreview();
}

void CTintbarView::OnLButtonDown(std::int32_t x, std::int32_t y) {
    const int element = HitTestBars(x, y);
    CColorDialogRequest request;
    request.fullOpen = true;
    // Both bars hold the same colours; the vertical one is asked.
    request.initialColor =
        element != kNoElement ? m_bars[kVerticalBar].GetElementColor(element) : m_background;
    const std::optional<COLORREF> chosen = m_platform.colorDialog.RunModal(request);
    if (!chosen) {
        return;
    }
    // Taken after the user confirmed and before the change, so that Undo
    // brings back the colours from just before it.
    SaveUndoSnapshot();
    if (element != kNoElement) {
        for (CScrollBarModel& bar : m_bars) {
            bar.SetElementColor(element, *chosen);
        }
    } else {
        m_background = *chosen;
    }
    PaintPreview();
}

void CTintbarView::OnEditUndo() {
    // The undo copy stays as it is: a second Undo restores the same colours.
    m_background = m_undoBackground;
    for (std::size_t index = 0; index < m_bars.size(); ++index) {
        CopyColorsAndScale(m_undoBars[index], m_bars[index]);
    }
    PaintPreview();
}

void CTintbarView::OnEditCopy() {
    CopyToClipboard(BuildCopyText(m_bars[kHorizontalBar]));
}

void CTintbarView::OnEditCopyModern() {
    CopyToClipboard(BuildModernCss(m_bars[kHorizontalBar]));
}

void CTintbarView::OnEditPaste() {
    CString text = GetClipboardText();
    multibyte::TrimInPlace(text);
    if (!text.empty()) {
        // The beep says that text was taken, not that it held any colour.
        m_platform.desktop.Beep();
        SaveUndoSnapshot();
        // Both bars import the same text, so one source answers both
        // imports; it takes the text over rather than copying it.
        const CCssSource source(std::move(text));
        for (CScrollBarModel& bar : m_bars) {
            bar.ImportCssSource(source);
        }
    }
    PaintPreview();
}

void CTintbarView::OnEditViewInBrowser() {
    if (!m_platform.browserPage.Write(BuildBrowserPage(m_bars[kHorizontalBar], m_background))) {
        m_platform.desktop.ShowMessage(GetPageWriteFailedMessage(), std::nullopt);
    } else if (!m_platform.browserPage.OpenInBrowser()) {
        m_platform.desktop.ShowMessage(GetNoBrowserMessage(), std::nullopt);
    }
}

void CTintbarView::ResetColors() {
    m_background = kWhite;
    // Each bar reads the file on its own.
    for (CScrollBarModel& bar : m_bars) {
        bar.ImportCssFile(kStartupCssFile);
    }
    m_bars[kHorizontalBar].SetScale(kHorizontalScale);
    m_bars[kVerticalBar].SetScale(kVerticalScale);
}

void CTintbarView::SaveUndoSnapshot() {
    m_undoBackground = m_background;
    for (std::size_t index = 0; index < m_bars.size(); ++index) {
        CopyColorsAndScale(m_bars[index], m_undoBars[index]);
    }
}

bool CTintbarView::OpenClipboard() {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (m_platform.clipboard.Open()) {
            return true;
        }
        m_platform.desktop.Pause(kOpenRetryPauseMilliseconds);
    }
    return false;
}

bool CTintbarView::SetClipboardText(CString text) {
    if (!OpenClipboard()) {
        return false;
    }
    const ClipboardWrite result = m_platform.clipboard.WriteText(text);
    m_platform.clipboard.Close();
    return result == ClipboardWrite::kWritten;
}

void CTintbarView::CopyToClipboard(CString text) {
    if (SetClipboardText(std::move(text))) {
        m_platform.desktop.Beep();
    } else {
        m_platform.desktop.ShowMessage(GetCopyFailedMessage(), CString{kCopyFailedCaption});
    }
}

CString CTintbarView::GetClipboardText() {
    CString text;
    if (!OpenClipboard()) {
        return text;
    }
    const ClipboardRead result = m_platform.clipboard.ReadText(text, kMaxPasteBytes);
    // Closed before any message: a modal message box must not keep the
    // desktop's shared clipboard from every other program while it waits.
    m_platform.clipboard.Close();
    if (result == ClipboardRead::kLockFailed) {
        m_platform.desktop.ShowMessage(CString{kPasteLockFailedMessage}, std::nullopt);
    }
    if (result != ClipboardRead::kText) {
        text.clear();
    }
    return text;
}
