// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Command identifiers of the main window and the texts that go with them.

#include <QString>
#include <span>

namespace cmd {

// The areas' View commands are 32800 and 32802..32810 (ConfigAreas).
enum Id : int {
    ComPort = 32771,
    Shortcuts = 32773,
    TransferOptions = 32774,
    DownloadDatabase = 32777,
    UploadDatabase = 32778,
    NewDatabase = 32788,
    CloseDatabase = 32791,
    ConfigurationTree = 32801,
    CompareDatabase = 32830,
    OpenDatabase = 57601,
    SaveDatabase = 57603,
    SaveDatabaseAs = 57604,
    RecentFiles = 57616,
    Cascade = 57650,
    AboutTorvo = 57664,
    Exit = 57665,
    HelpTopics = 57667,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
};

struct Command {
    Id id;
    const char* menuText;    // with & before the mnemonic
    const char* prompt;      // status-bar prompt; after a newline the tooltip
    const char* defaultKey;  // the standard shortcut, empty for none
};

// The commands of the main window other than the areas' View commands
// (ConfigAreas), in menu order.
std::span<const Command> FixedCommands();

QString StatusPrompt(const Command& command);
QString ToolTip(const Command& command);
// The menu text without its & mnemonic marks.
QString PlainText(const Command& command);

}  // namespace cmd
