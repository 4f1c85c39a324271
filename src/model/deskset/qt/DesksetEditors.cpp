#include "model/deskset/qt/DesksetEditors.h"

#include "model/deskset/qt/AliasListFV.h"
#include "model/deskset/qt/ChanCfgFV.h"
#include "model/deskset/qt/DesksetButtonsCfgFV.h"
#include "model/deskset/qt/DesksetCfgFV.h"

std::vector<EditorRegistration> DesksetEditors() {
    return {
        {EditorKind::DesksetButtonsCfg,
         [](const EditorContext& context, int) { return new DesksetButtonsCfgFV(context); }},
        {EditorKind::DesksetCfg,
         [](const EditorContext& context, int) { return new DesksetCfgFV(context); }},
        {EditorKind::ChanCfg,
         [](const EditorContext& context, int channelIndex) {
             return new ChanCfgFV(context, channelIndex);
         }},
        {EditorKind::AliasList,
         [](const EditorContext& context, int) { return new AliasListFV(context); }},
    };
}
