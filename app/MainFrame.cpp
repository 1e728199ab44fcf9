#include "app/MainFrame.h"

#include "app/AppIcon.h"
#include "app/PreviewCanvas.h"
#include "app/WindowLook.h"
#include "text/ProductName.h"
#include "view/TintbarView.h"

#include <wx/accel.h>
#include <wx/menu.h>
#include <wx/sizer.h>

#include <array>

namespace {

constexpr long kFrameStyle = wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX;

constexpr int kFileMenu = 0;
// The window's pane commands: bound to F6 and Shift+F6 so that the keys are
// taken, but the single-pane window has nothing to answer them.
constexpr int kNextPane = wxID_HIGHEST + 1;
constexpr int kPreviousPane = wxID_HIGHEST + 2;

} // namespace

CMainFrame::CMainFrame(wxDocManager* manager)
    : wxDocParentFrame(manager, nullptr, wxID_ANY,
                       wxString(kProductName.data(), kProductName.size()), wxDefaultPosition,
                       wxDefaultSize, kFrameStyle),
      m_canvas(new CPreviewCanvas(this)), m_colorDialog(*this), m_desktop(*this) {
    SetIcons(GetAppIconBundle());
    SetMenuBar(CreateMenus(*manager));
    // Shown but disabled: the popup cannot be opened.
    GetMenuBar()->EnableTop(kFileMenu, false);
    CreateAccelerators();

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_canvas);
    SetSizer(sizer);
    FitToScale();
    Bind(wxEVT_DPI_CHANGED, &CMainFrame::OnDpiChanged, this);
    FollowScaleChanges(*this);

    m_preview = std::make_unique<CTintbarView>(CViewPlatform{
        m_canvas->GetSurfaceSource(), m_clipboard, m_colorDialog, m_desktop, m_browserPage});
    m_canvas->SetView(m_preview.get());
    m_canvas->SetFocus();
}

CMainFrame::~CMainFrame() {
    m_canvas->SetView(nullptr);
}

void CMainFrame::FitToScale() {
    // The menu bar cannot wrap onto a second line and would widen the window.
    FitMenuBar(*GetMenuBar(), FromDIP(kClientWidth));
    m_canvas->FitToScale();
    // Minimum and maximum alike: the window cannot be resized. The limits of
    // another scale go first, or they would hold the window to its old size.
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    SetClientSize(FromDIP(wxSize(kClientWidth, kClientHeight)));
    const wxSize frameSize = GetSize();
    SetSizeHints(frameSize, frameSize);
}

void CMainFrame::OnDpiChanged(wxDPIChangedEvent& event) {
    // The window keeps its place; it takes the size of the new scale, which
    // is the size the system suggests, and draws the picture anew.
    FitToScale();
    m_canvas->Refresh(false);
    event.Skip();
}

wxMenuBar* CMainFrame::CreateMenus(wxDocManager& manager) {
    // The toolkit reads everything after a TAB as the accelerator, so each
    // item's mnemonic stands at the end of its text, before the key hint.
    auto* fileMenu = new wxMenu;
    fileMenu->Append(wxID_NEW, wxString::FromUTF8("新規作成(&N)\tCtrl+N"));
    fileMenu->Append(wxID_OPEN, wxString::FromUTF8("開く...(&O)\tCtrl+O"));
    fileMenu->Append(wxID_SAVE, wxString::FromUTF8("上書き保存(&S)\tCtrl+S"));
    fileMenu->Append(wxID_SAVEAS, wxString::FromUTF8("名前を付けて保存(&A)..."));
    fileMenu->AppendSeparator();
    // The framework fills this submenu with the recent files.
    auto* recentFiles = new wxMenu;
    manager.FileHistoryUseMenu(recentFiles);
    manager.FileHistoryAddFilesToMenu(recentFiles);
    wxMenuItem* recentItem =
        fileMenu->AppendSubMenu(recentFiles, wxString::FromUTF8("最近使ったファイル"));
    recentItem->Enable(manager.GetHistoryFilesCount() > 0);
    fileMenu->AppendSeparator();
    fileMenu->Append(wxID_EXIT, wxString::FromUTF8("アプリケーションの終了(&X)"));

    auto* editMenu = new wxMenu;
    editMenu->Append(wxID_UNDO, wxString::FromUTF8("元に戻す(&U)\tCtrl+Z"));
    editMenu->AppendSeparator();
    editMenu->Append(wxID_COPY, wxString::FromUTF8("コピー(&C)\tCtrl+C"));
    editMenu->Append(kCopyModernCommand,
                     wxString::FromUTF8("最新ブラウザ用にコピー(&B)\tCtrl+Shift+C"));
    editMenu->Append(wxID_PASTE, wxString::FromUTF8("貼り付け(&P)\tCtrl+V"));
    editMenu->AppendSeparator();
    editMenu->Append(kViewInBrowserCommand, wxString::FromUTF8("ブラウザで確認(&R)\tCtrl+Shift+B"));

    auto* helpMenu = new wxMenu;
    helpMenu->Append(wxID_ABOUT, wxString::FromUTF8("バージョン情報 Tintbar(&A)..."));

    auto* menuBar = new wxMenuBar;
    menuBar->Append(fileMenu, wxString::FromUTF8("ファイル(&F)"));
    menuBar->Append(editMenu, wxString::FromUTF8("編集(&E)"));
    menuBar->Append(helpMenu, wxString::FromUTF8("ヘルプ(&H)"));
    return menuBar;
}

void CMainFrame::CreateAccelerators() {
    std::array<wxAcceleratorEntry, 15> entries = {{
        {wxACCEL_CTRL, 'N', wxID_NEW},
        {wxACCEL_CTRL, 'O', wxID_OPEN},
        {wxACCEL_CTRL, 'S', wxID_SAVE},
        {wxACCEL_CTRL, 'Z', wxID_UNDO},
        {wxACCEL_CTRL, 'X', wxID_CUT},
        {wxACCEL_CTRL, 'C', wxID_COPY},
        {wxACCEL_CTRL | wxACCEL_SHIFT, 'C', kCopyModernCommand},
        {wxACCEL_CTRL, 'V', wxID_PASTE},
        {wxACCEL_CTRL | wxACCEL_SHIFT, 'B', kViewInBrowserCommand},
        {wxACCEL_ALT, WXK_BACK, wxID_UNDO},
        {wxACCEL_SHIFT, WXK_DELETE, wxID_CUT},
        {wxACCEL_CTRL, WXK_INSERT, wxID_COPY},
        {wxACCEL_SHIFT, WXK_INSERT, wxID_PASTE},
        {wxACCEL_NORMAL, WXK_F6, kNextPane},
        {wxACCEL_SHIFT, WXK_F6, kPreviousPane},
    }};
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));
}
