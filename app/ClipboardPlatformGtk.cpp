#include "app/ClipboardPlatform.h"

#include "app/CodePageText.h"

#include <gtk/gtk.h>

#include <array>
#include <string>

namespace {

// UTF-8 first: a program that takes the first target it understands gets
// the whole text.
constexpr std::array<const char*, 3> kUtf8Targets = {"UTF8_STRING", "text/plain;charset=utf-8",
                                                     "text/plain"};
constexpr std::array<const char*, 2> kLatin1Targets = {"STRING", "TEXT"};

struct Offer {
    std::string utf8;
    std::string latin1;
};

// Characters beyond Latin-1 become '?', as in the other code pages.
std::string ToLatin1(const wxString& text) {
    std::string bytes;
    bytes.reserve(text.length());
    for (const wxUniChar character : text) {
        bytes += character.GetValue() < 0x100 ? static_cast<char>(character.GetValue()) : '?';
    }
    return bytes;
}

void Answer(GtkClipboard*, GtkSelectionData* selection, guint latin1, gpointer data) {
    const Offer& offer = *static_cast<const Offer*>(data);
    const std::string& bytes = latin1 != 0 ? offer.latin1 : offer.utf8;
    gtk_selection_data_set(selection, gtk_selection_data_get_target(selection), 8,
                           reinterpret_cast<const guchar*>(bytes.data()),
                           static_cast<gint>(bytes.size()));
}

void Withdraw(GtkClipboard*, gpointer data) {
    delete static_cast<Offer*>(data);
}

} // namespace

bool ClipboardCanBeOpened() {
    return true;
}

bool OfferClipboardText(const wxString& text) {
    auto* offer = new Offer{std::string(text.utf8_str()), ToLatin1(text)};
    std::array<GtkTargetEntry, kUtf8Targets.size() + kLatin1Targets.size()> targets{};
    auto target = targets.begin();
    for (const char* name : kUtf8Targets) {
        *target++ = GtkTargetEntry{const_cast<gchar*>(name), 0, 0};
    }
    for (const char* name : kLatin1Targets) {
        *target++ = GtkTargetEntry{const_cast<gchar*>(name), 0, 1};
    }
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    if (!gtk_clipboard_set_with_data(clipboard, targets.data(), targets.size(), &Answer, &Withdraw,
                                     offer)) {
        delete offer;
        return false;
    }
    // A clipboard manager may keep every target once the program ends.
    gtk_clipboard_set_can_store(clipboard, nullptr, 0);
    return true;
}

std::span<const wxDataFormatId> PasteTextFormats() {
    // UTF8_STRING first; STRING only from owners that offer nothing better.
    static constexpr wxDataFormatId kFormats[] = {wxDF_UNICODETEXT, wxDF_TEXT};
    return kFormats;
}

void PastedTextToCodePage(CString& text) {
    Utf8ToCodePageInPlace(text);
}
