#include "config/paging/PagingEditors.h"

#include "config/paging/CustomPageListFV.h"
#include "config/paging/ManualPageListFV.h"
#include "config/paging/SpeedPageListFV.h"

std::vector<EditorRegistration> PagingEditors() {
    return {
        {EditorKind::ManualPageList,
         [](const EditorContext& context, int) { return new ManualPageListFV(context); }},
        {EditorKind::SpeedPageList,
         [](const EditorContext& context, int) { return new SpeedPageListFV(context); }},
        {EditorKind::CustomPageList,
         [](const EditorContext& context, int) { return new CustomPageListFV(context); }},
    };
}
