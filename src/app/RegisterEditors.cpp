#include "app/RegisterEditors.h"

#include "model/deskset/qt/DesksetEditors.h"
#include "model/paging/qt/PagingEditors.h"

std::vector<EditorRegistration> AllEditors() {
    std::vector<EditorRegistration> editors;
    for (auto subsystem : {DesksetEditors, PagingEditors}) {
        for (EditorRegistration& editor : subsystem()) {
            editors.push_back(std::move(editor));
        }
    }
    return editors;
}

void RegisterEditors() {
    for (EditorRegistration& editor : AllEditors()) {
        EditorWindows::RegisterFactory(editor.kind, std::move(editor.factory));
    }
}
