#include "config/RegisterEditors.h"

#include "app/EditorWindows.h"
#include "config/deskset/ChanCfgFV.h"
#include "config/deskset/DesksetCfgFV.h"

void RegisterEditors() {
    EditorWindows::RegisterFactory(EditorKind::DesksetCfg, [](const EditorContext& context, int) {
        return new DesksetCfgFV(context);
    });
    EditorWindows::RegisterFactory(EditorKind::ChanCfg,
                                   [](const EditorContext& context, int channelIndex) {
                                       return new ChanCfgFV(context, channelIndex);
                                   });
}
