#include "config/deskset/DesksetEditors.h"

#include "config/deskset/AliasListFV.h"
#include "config/deskset/ChanCfgFV.h"
#include "config/deskset/DesksetButtonsCfgFV.h"
#include "config/deskset/DesksetCfgFV.h"

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
