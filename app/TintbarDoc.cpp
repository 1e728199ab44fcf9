#include "app/TintbarDoc.h"

wxIMPLEMENT_DYNAMIC_CLASS(CTintbarDoc, wxDocument);

bool CTintbarDoc::OnNewDocument() {
    return wxDocument::OnNewDocument();
}

bool CTintbarDoc::Save() {
    if (!GetDocumentSaved()) {
        return SaveAs();
    }
    return OnSaveDocument(GetFilename());
}

std::ostream& CTintbarDoc::SaveObject(std::ostream& stream) {
    return stream;
}

std::istream& CTintbarDoc::LoadObject(std::istream& stream) {
    return stream;
}
