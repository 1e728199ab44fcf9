// Another Windows program, for the end-to-end tests under Wine: it holds
// what other programs hold beside Tintbar, or starts a program as a package
// manager or the shell would.
//
//   winpeer clipboard         opens the clipboard and keeps it open
//   winpeer file PATH         opens PATH for reading without sharing it
//   winpeer run COMMAND-LINE  runs COMMAND-LINE exactly as given (quotes,
//                             spaces and all), waits, and exits with its
//                             exit code
//   winpeer dpichanged TITLE DX DY
//                             tells the top-level window TITLE that its
//                             monitor's scale changed to the scale it has,
//                             suggesting its rectangle moved by DX, DY and
//                             half as wide and as high, as the system
//                             would when a window moves between monitors
//   winpeer shortcut PATH     prints the target, the working folder and the
//                             icon ("file,index") of the shell link PATH as
//                             the shell reads them, a line each, in UTF-8;
//                             the target from the link's item list, which
//                             the shell starts (Wine keeps the link's path
//                             text in the ANSI code page only)
//
// The holding commands print "holding" once they hold, and let go when
// their standard input ends.
#define COBJMACROS
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

static int HoldUntilStdinEnds(void) {
    puts("holding");
    fflush(stdout);
    while (getchar() != EOF) {
    }
    return 0;
}

static int Fail(const char* what) {
    fprintf(stderr, "winpeer: %s failed (error %lu)\n", what, GetLastError());
    return 1;
}

// Opened for a window, as programs open it: Wine lets another program that
// opens the clipboard for no window in while it is open for none.
static int HoldClipboard(void) {
    const HWND window =
        CreateWindowW(L"STATIC", L"winpeer", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    if (window == NULL) {
        return Fail("CreateWindowW");
    }
    if (!OpenClipboard(window)) {
        return Fail("OpenClipboard");
    }
    const int status = HoldUntilStdinEnds();
    CloseClipboard();
    DestroyWindow(window);
    return status;
}

static int HoldFile(const wchar_t* path) {
    const HANDLE file =
        CreateFileW(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return Fail("CreateFileW");
    }
    const int status = HoldUntilStdinEnds();
    CloseHandle(file);
    return status;
}

static int Run(wchar_t* commandLine) {
    STARTUPINFOW startup = {.cb = sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        return Fail("CreateProcessW");
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return (int)exitCode;
}

// The system hands the suggested rectangle over in the receiver's memory:
// WM_DPICHANGED is not one of the messages whose pointers are carried
// across processes.
static int SendDpiChanged(const wchar_t* title, int dx, int dy) {
    const HWND window = FindWindowW(NULL, title);
    if (window == NULL) {
        return Fail("FindWindowW");
    }
    RECT suggested;
    GetWindowRect(window, &suggested);
    suggested.left += dx;
    suggested.top += dy;
    suggested.right = suggested.left + (suggested.right - suggested.left + 1) / 2;
    suggested.bottom = suggested.top + (suggested.bottom - suggested.top + 1) / 2;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == NULL) {
        return Fail("OpenProcess");
    }
    void* remote = VirtualAllocEx(process, NULL, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    int status = remote == NULL ? Fail("VirtualAllocEx") : 0;
    if (status == 0 && !WriteProcessMemory(process, remote, &suggested, sizeof suggested, NULL)) {
        status = Fail("WriteProcessMemory");
    }
    if (status == 0) {
        const WORD dpi = (WORD)GetDpiForWindow(window);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)remote);
    }
    if (remote != NULL) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return status;
}

static void PrintLine(const wchar_t* text) {
    char line[4 * MAX_PATH];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, line, sizeof line, NULL, NULL);
    puts(line);
}

static int PrintShortcut(const wchar_t* path) {
    wchar_t target[MAX_PATH], folder[MAX_PATH], icon[MAX_PATH + 16];
    int iconIndex = 0;
    IShellLinkW* link = NULL;
    IPersistFile* file = NULL;
    LPITEMIDLIST items = NULL;
    HRESULT result = CoInitialize(NULL);
    if (SUCCEEDED(result)) {
        result = CoCreateInstance(&CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, &IID_IShellLinkW,
                                  (void**)&link);
    }
    if (SUCCEEDED(result)) {
        result = IShellLinkW_QueryInterface(link, &IID_IPersistFile, (void**)&file);
    }
    if (SUCCEEDED(result)) {
        result = IPersistFile_Load(file, path, STGM_READ);
    }
    if (SUCCEEDED(result)) {
        result = IShellLinkW_GetIDList(link, &items);
    }
    if (SUCCEEDED(result) && !SHGetPathFromIDListW(items, target)) {
        result = E_FAIL;
    }
    if (SUCCEEDED(result)) {
        result = IShellLinkW_GetWorkingDirectory(link, folder, MAX_PATH);
    }
    if (SUCCEEDED(result)) {
        result = IShellLinkW_GetIconLocation(link, icon, MAX_PATH, &iconIndex);
    }
    if (SUCCEEDED(result)) {
        PrintLine(target);
        PrintLine(folder);
        swprintf(icon + wcslen(icon), 16, L",%d", iconIndex);
        PrintLine(icon);
    } else {
        fprintf(stderr, "winpeer: reading the shortcut failed (0x%08lx)\n", (unsigned long)result);
    }
    CoTaskMemFree(items);
    if (file != NULL) {
        IPersistFile_Release(file);
    }
    if (link != NULL) {
        IShellLinkW_Release(link);
    }
    return SUCCEEDED(result) ? 0 : 1;
}

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && wcscmp(argv[1], L"clipboard") == 0) {
        return HoldClipboard();
    }
    if (argc == 3 && wcscmp(argv[1], L"file") == 0) {
        return HoldFile(argv[2]);
    }
    if (argc == 3 && wcscmp(argv[1], L"run") == 0) {
        return Run(argv[2]);
    }
    if (argc == 5 && wcscmp(argv[1], L"dpichanged") == 0) {
        return SendDpiChanged(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
    }
    if (argc == 3 && wcscmp(argv[1], L"shortcut") == 0) {
        return PrintShortcut(argv[2]);
    }
    fputs("usage: winpeer clipboard | file PATH | run COMMAND-LINE | dpichanged TITLE DX DY"
          " | shortcut PATH\n",
          stderr);
    return 2;
}
