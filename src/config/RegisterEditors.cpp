#include "config/RegisterEditors.h"

#include "app/EditorWindows.h"
#include "config/deskset/ChanCfgFV.h"

void RegisterEditors() {
    EditorWindows::RegisterFactory(EditorKind::ChanCfg,
                                   [](const EditorContext& context, int channelIndex) {
                                       return new ChanCfgFV(context, channelIndex);
                                   });
}
