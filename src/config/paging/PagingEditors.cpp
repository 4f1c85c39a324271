#include "config/paging/PagingEditors.h"

#include "config/paging/CustomPageListFV.h"
#include "config/paging/ManualPageListFV.h"

std::vector<EditorRegistration> PagingEditors() {
    return {
        {EditorKind::ManualPageList,
         [](const EditorContext& context, int) { return new ManualPageListFV(context); }},
        {EditorKind::CustomPageList,
         [](const EditorContext& context, int) { return new CustomPageListFV(context); }},
    };
}
