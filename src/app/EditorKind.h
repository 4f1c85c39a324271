#pragma once
// The editor window classes, one per configuration area.

enum class EditorKind {
    DesksetCfg,         // DesksetCfgFV
    ChanCfg,            // ChanCfgFV, one per channel
    DesksetButtonsCfg,  // DesksetButtonsCfgFV
    ManualPageList,     // ManualPageListFV
    SpeedPageList,      // SpeedPageListFV
    CustomPageList,     // CustomPageListFV
    AliasList,          // AliasListFV
};
