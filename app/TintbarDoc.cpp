#include "app/TintbarDoc.h"

wxIMPLEMENT_DYNAMIC_CLASS(CTintbarDoc, wxDocument);

bool CTintbarDoc::OnNewDocument() {
    return wxDocument::OnNewDocument();
}

// Saving would write an empty file and let the user believe the colours
// were kept.
bool CTintbarDoc::Save() {
    return false;
}

bool CTintbarDoc::SaveAs() {
    return false;
}

std::ostream& CTintbarDoc::SaveObject(std::ostream& stream) {
    return stream;
}

std::istream& CTintbarDoc::LoadObject(std::istream& stream) {
    return stream;
}
