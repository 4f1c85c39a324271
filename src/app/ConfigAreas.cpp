// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConfigAreas.h"

#include <QString>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/deskset/qt/AliasListFV.h"
#include "model/deskset/qt/ChanCfgFV.h"
#include "model/deskset/qt/DesksetButtonsCfgFV.h"
#include "model/deskset/qt/DesksetCfgFV.h"
#include "model/paging/qt/CustomPageListFV.h"
#include "model/paging/qt/ManualPageListFV.h"
#include "model/paging/qt/SpeedPageListFV.h"

namespace {

namespace t = area_texts;

template <class View>
EditorFactory Make() {
    return [](const EditorContext& context) { return new View(context); };
}

const std::vector<EditorRegistration>& Registrations() {
    static const std::vector<EditorRegistration> editors{
        {EditorKind::DesksetCfg, t::kDeskset, nullptr, 0, 32800, "&Deskset Configuration",
         "Opens the deskset configuration window", 125, 0, false, Make<DesksetCfgFV>()},
        {EditorKind::ChanCfg, "Channel %1", t::kDeskset, 4, 32802, "Channel &%1",
         "Activates the channel %1 configuration window", 126, 1, true, Make<ChanCfgFV>()},
        {EditorKind::DesksetButtonsCfg, t::kButtons, nullptr, 0, 32807, "&Buttons Configuration",
         "Activates the buttons configuration window", 45, 2, true, Make<DesksetButtonsCfgFV>()},
        {EditorKind::ManualPageList, t::kPagingFormats, t::kPaging, 0, 32808, "Paging &Formats",
         "Activates the paging formats configuration window", 74, 2, false,
         Make<ManualPageListFV>()},
        {EditorKind::SpeedPageList, t::kSpeedPaging, t::kPaging, 0, 32806, "Sp&eed Paging",
         "Activates the speed paging configuration window", 107, 2, true, Make<SpeedPageListFV>()},
        {EditorKind::CustomPageList, t::kCustomTones, t::kPaging, 0, 32809, "C&ustom Paging Tones",
         "Activates the custom paging tones configuration window", 76, 2, false,
         Make<CustomPageListFV>()},
        {EditorKind::AliasList, t::kAliases, nullptr, 0, 32810, "PTT &ID Aliases",
         "Activates the PTT ID aliases configuration window", 108, 2, false, Make<AliasListFV>()},
    };
    return editors;
}

std::string WithChannel(const char* pattern, int channel) {
    return QString::fromLatin1(pattern).arg(channel).toStdString();
}

std::vector<ConfigArea> MakeAreas() {
    std::vector<ConfigArea> areas;
    for (const EditorRegistration& editor : Registrations()) {
        for (int channel = editor.channels == 0 ? 0 : 1; channel <= editor.channels; ++channel) {
            const int id = editor.viewCommand + std::max(channel - 1, 0);
            areas.push_back({editor.kind, channel, WithChannel(editor.treeText, channel),
                             editor.parentText, id, WithChannel(editor.menuText, channel),
                             WithChannel(editor.prompt, channel), editor.helpTopic,
                             editor.viewMenuGroup, editor.followsItsItem});
        }
    }
    return areas;
}

const std::vector<ConfigArea>& Areas() {
    static const std::vector<ConfigArea> areas = MakeAreas();
    return areas;
}

template <class Matches>
const ConfigArea* FindArea(Matches matches) {
    const auto it = std::find_if(Areas().begin(), Areas().end(), matches);
    return it == Areas().end() ? nullptr : &*it;
}

std::vector<cmd::Command> MakeMenuCommands() {
    std::vector<cmd::Command> commands;
    for (const cmd::Command& command : cmd::FixedCommands()) {
        commands.push_back(command);
        if (command.id == cmd::ConfigurationTree) {
            // The areas live for good: their texts stay where they are.
            for (const ConfigArea& area : Areas()) {
                commands.push_back(
                    {cmd::Id(area.viewCommand), area.menuText.c_str(), area.prompt.c_str(), ""});
            }
        }
    }
    return commands;
}

}  // namespace

std::span<const EditorRegistration> AllEditors() {
    return Registrations();
}

std::span<const ConfigArea> ConfigAreas() {
    return Areas();
}

const ConfigArea* AreaByTreeText(std::string_view text) {
    return FindArea([text](const ConfigArea& area) { return area.treeText == text; });
}

const ConfigArea* AreaByViewCommand(int id) {
    return FindArea([id](const ConfigArea& area) { return area.viewCommand == id; });
}

const ConfigArea* AreaOf(EditorKind kind, int channel) {
    return FindArea(
        [&](const ConfigArea& area) { return area.kind == kind && area.channel == channel; });
}

int ViewCommandOf(EditorKind kind, int channel) {
    const ConfigArea* area = AreaOf(kind, channel);
    return area ? area->viewCommand : 0;
}

std::span<const cmd::Command> MenuCommands() {
    static const std::vector<cmd::Command> commands = MakeMenuCommands();
    return commands;
}

const cmd::Command& MenuCommand(int id) {
    const auto commands = MenuCommands();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [id](const cmd::Command& c) { return c.id == id; });
    if (it == commands.end()) {
        throw std::out_of_range("unknown command");
    }
    return *it;
}
