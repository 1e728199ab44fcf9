#include "view/ViewTexts.h"

#include "text/MultiByte.h"

#include <array>
#include <string_view>

namespace {

// One text in both encodings: the UTF-8 form as written (this source file is
// UTF-8, and so is the compiler's narrow execution character set) and its
// Shift-JIS bytes for code page 932.
struct CJapaneseText {
    std::string_view utf8;
    std::string_view shiftJis;
};

constexpr CJapaneseText kReadyLabel = {"ﾚﾃﾞｨ", "\xDA\xC3\xDE\xA8"};

// Indexed by element number; 0 is the page background.
constexpr std::array<CJapaneseText, kElementCount + 1> kHoverLabels = {{
    {"背景(option)", "\x94\x77\x8C\x69"
                     "(option)"},
    {"四角形の面", "\x8E\x6C\x8A\x70\x8C\x60\x82\xCC\x96\xCA"},
    {"トラック部分", "\x83\x67\x83\x89\x83\x62\x83\x4E\x95\x94\x95\xAA"},
    {"内周右下", "\x93\xE0\x8E\xFC\x89\x45\x89\xBA"},
    {"外周右下", "\x8A\x4F\x8E\xFC\x89\x45\x89\xBA"},
    {"内周左上", "\x93\xE0\x8E\xFC\x8D\xB6\x8F\xE3"},
    {"外周左上", "\x8A\x4F\x8E\xFC\x8D\xB6\x8F\xE3"},
    {"矢印", "\x96\xEE\x88\xF3"},
}};

// Copying to the clipboard failed; memory may be short, or another
// application may be holding the clipboard.
constexpr CJapaneseText kCopyFailedMessage = {
    "クリップボードへのコピーに失敗しました。\n"
    "メモリの不足、あるいはクリップボードが他のアプリケーションに"
    "占有されている可能性があります。",
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xD6\x82\xCC\x83\x52\x83\x73"
    "\x81\x5B\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42"
    "\n"
    "\x83\x81\x83\x82\x83\x8A\x82\xCC\x95\x73\x91\xAB\x81\x41"
    "\x82\xA0\x82\xE9\x82\xA2\x82\xCD\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68"
    "\x82\xAA"
    "\x91\xBC\x82\xCC\x83\x41\x83\x76\x83\x8A\x83\x50\x81\x5B\x83\x56\x83\x87\x83\x93\x82\xC9"
    "\x90\xE8\x97\x4C\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x89\xC2\x94\x5C\x90\xAB\x82\xAA"
    "\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81\x42",
};

// The page for the browser could not be written (the temporary folder is
// full or cannot be had).
constexpr CJapaneseText kPageWriteFailedMessage = {
    "確認用のページを書き込めませんでした。",
    "\x8A\x6D\x94\x46\x97\x70\x82\xCC\x83\x79\x81\x5B\x83\x57\x82\xF0\x8F\x91\x82\xAB\x8D\x9E"
    "\x82\xDF\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42",
};

// No browser could be started; the user is told where to look.
constexpr CJapaneseText kNoBrowserMessage = {
    "ブラウザを起動できませんでした。\n"
    "既定のブラウザが設定されているか確認してください。",
    "\x83\x75\x83\x89\x83\x45\x83\x55\x82\xF0\x8B\x4E\x93\xAE\x82\xC5\x82\xAB\x82\xDC\x82\xB9"
    "\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42"
    "\n"
    "\x8A\xF9\x92\xE8\x82\xCC\x83\x75\x83\x89\x83\x45\x83\x55\x82\xAA\x90\xDD\x92\xE8\x82\xB3"
    "\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x82\xA9\x8A\x6D\x94\x46\x82\xB5\x82\xC4\x82\xAD\x82\xBE"
    "\x82\xB3\x82\xA2\x81\x42",
};

CString InCodePage(const CJapaneseText& text) {
    return CString{GetViewTextCodePage() == multibyte::kShiftJis ? text.shiftJis : text.utf8};
}

} // namespace

int GetViewTextCodePage() {
    const int codePage = multibyte::GetCodePage();
    return codePage == multibyte::kShiftJis ? codePage : multibyte::kUtf8;
}

CString GetHoverLabel(int element) {
    return InCodePage(kHoverLabels[element]);
}

CString GetReadyLabel() {
    return InCodePage(kReadyLabel);
}

CString GetCopyFailedMessage() {
    return InCodePage(kCopyFailedMessage);
}

CString GetPageWriteFailedMessage() {
    return InCodePage(kPageWriteFailedMessage);
}

CString GetNoBrowserMessage() {
    return InCodePage(kNoBrowserMessage);
}
