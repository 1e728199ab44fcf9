// Another Windows program, for the end-to-end tests under Wine: it holds
// what other programs hold beside Tintbar, or starts a program as a package
// manager or the shell would.
//
//   winpeer clipboard         opens the clipboard and keeps it open
//   winpeer file PATH         opens PATH for reading without sharing it
//   winpeer run COMMAND-LINE  runs COMMAND-LINE exactly as given (quotes,
//                             spaces and all), waits, and exits with its
//                             exit code
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
    if (argc == 3 && wcscmp(argv[1], L"shortcut") == 0) {
        return PrintShortcut(argv[2]);
    }
    fputs("usage: winpeer clipboard | file PATH | run COMMAND-LINE | shortcut PATH\n", stderr);
    return 2;
}
