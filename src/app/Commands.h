#pragma once
// Command identifiers of the main window and the texts that go with them.

#include <QString>
#include <span>

namespace cmd {

enum Id : int {
    ComPort = 32771,
    Shortcuts = 32773,
    TransferOptions = 32774,
    DownloadDatabase = 32777,
    UploadDatabase = 32778,
    NewDatabase = 32788,
    CloseDatabase = 32791,
    DesksetConfiguration = 32800,
    ConfigurationTree = 32801,
    Channel1 = 32802,
    Channel2 = 32803,
    Channel3 = 32804,
    Channel4 = 32805,
    SpeedPaging = 32806,
    ButtonsConfiguration = 32807,
    PagingFormats = 32808,
    CustomPagingTones = 32809,
    PttIdAliases = 32810,
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

// Internal commands posted to the main window to open an editor window.
enum EditorCommand : int {
    OpenDesksetEditor = 200,
    OpenChannel1Editor = 201,
    OpenChannel4Editor = 204,
    OpenButtonsEditor = 205,
    OpenPagingFormatsEditor = 206,
    OpenSpeedPagingEditor = 207,
    OpenCustomTonesEditor = 208,
    OpenAliasesEditor = 210,
};

struct Command {
    Id id;
    const char* menuText;    // with & before the mnemonic
    const char* prompt;      // status-bar prompt; after a newline the tooltip
    const char* defaultKey;  // the standard shortcut, empty for none
};

// Every command of the main window, in menu order.
std::span<const Command> AllCommands();
const Command& CommandById(Id id);

QString StatusPrompt(const Command& command);
QString ToolTip(const Command& command);
// The menu text without its & mnemonic marks.
QString PlainText(const Command& command);

}  // namespace cmd
