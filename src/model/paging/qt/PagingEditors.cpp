#include "model/paging/qt/PagingEditors.h"

#include "model/paging/qt/CustomPageListFV.h"
#include "model/paging/qt/ManualPageListFV.h"
#include "model/paging/qt/SpeedPageListFV.h"

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
