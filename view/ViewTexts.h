#pragma once

// The view's Japanese texts (the status-strip labels and the messages of
// Copy and View in browser) in the program's code page. Each text is looked up when it is
// used, so it follows the code page in force at that moment; the ASCII
// texts are the same in every code page and live with their users.

#include "text/Types.h"

// The code page of these texts: the program's code page where it holds
// Japanese (932 and UTF-8), and UTF-8 under any other, whose single bytes
// have no Japanese characters. What shows them converts from this one.
int GetViewTextCodePage();

// The status-strip label for an element number, 1 to 7; 0 (no element)
// gives the page background's label.
CString GetHoverLabel(int element);
// The label shown from start-up until the first mouse move: "ready".
CString GetReadyLabel();
// The message shown when Copy could not place its text on the clipboard.
CString GetCopyFailedMessage();
// The messages shown when the page for the browser could not be written,
// and when no browser could be started for it.
CString GetPageWriteFailedMessage();
CString GetNoBrowserMessage();
