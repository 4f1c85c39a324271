#include "app/ConfigAreas.h"

namespace {

namespace t = area_texts;

constexpr ConfigArea kAreas[] = {
    {t::kDeskset, nullptr, cmd::DesksetConfiguration, cmd::OpenDesksetEditor,
     EditorKind::DesksetCfg, 0, 125, 0, false},
    {"Channel 1", t::kDeskset, cmd::Channel1, cmd::OpenChannel1Editor, EditorKind::ChanCfg, 1, 126,
     1, true},
    {"Channel 2", t::kDeskset, cmd::Channel2, cmd::OpenChannel1Editor + 1, EditorKind::ChanCfg, 2,
     126, 1, true},
    {"Channel 3", t::kDeskset, cmd::Channel3, cmd::OpenChannel1Editor + 2, EditorKind::ChanCfg, 3,
     126, 1, true},
    {"Channel 4", t::kDeskset, cmd::Channel4, cmd::OpenChannel4Editor, EditorKind::ChanCfg, 4, 126,
     1, true},
    {t::kButtons, nullptr, cmd::ButtonsConfiguration, cmd::OpenButtonsEditor,
     EditorKind::DesksetButtonsCfg, 0, 45, 2, true},
    {t::kPagingFormats, t::kPaging, cmd::PagingFormats, cmd::OpenPagingFormatsEditor,
     EditorKind::ManualPageList, 0, 74, 2, false},
    {t::kSpeedPaging, t::kPaging, cmd::SpeedPaging, cmd::OpenSpeedPagingEditor,
     EditorKind::SpeedPageList, 0, 107, 2, true},
    {t::kCustomTones, t::kPaging, cmd::CustomPagingTones, cmd::OpenCustomTonesEditor,
     EditorKind::CustomPageList, 0, 76, 2, false},
    {t::kAliases, nullptr, cmd::PttIdAliases, cmd::OpenAliasesEditor, EditorKind::AliasList, 0, 108,
     2, false},
};

template <class Matches>
const ConfigArea* FindArea(Matches matches) {
    for (const ConfigArea& area : kAreas) {
        if (matches(area)) {
            return &area;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const ConfigArea> ConfigAreas() {
    return kAreas;
}

const ConfigArea* AreaByTreeText(std::string_view text) {
    return FindArea([text](const ConfigArea& area) { return area.treeText == text; });
}

const ConfigArea* AreaByViewCommand(int id) {
    return FindArea([id](const ConfigArea& area) { return area.viewCommand == id; });
}

const ConfigArea* AreaByEditorCommand(int command) {
    return FindArea([command](const ConfigArea& area) { return area.editorCommand == command; });
}

const ConfigArea* AreaOf(EditorKind kind, int channel) {
    return FindArea(
        [&](const ConfigArea& area) { return area.kind == kind && area.channel == channel; });
}
