// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Commands.h"

#include <array>

namespace cmd {
namespace {

constexpr std::array kCommands{
    Command{NewDatabase, "&New Database", "Create a new database\nNew database", "Ctrl+N"},
    Command{OpenDatabase, "&Open Database...", "Open an existing database\nOpen database",
            "Ctrl+O"},
    Command{CloseDatabase, "&Close Database", "Closes the current database\nClose the database",
            ""},
    Command{SaveDatabase, "&Save Database", "Save the database\nSave database", "Ctrl+S"},
    Command{SaveDatabaseAs, "Save Database &As...",
            "Save the database with a new name\nSave database as", ""},
    Command{CompareDatabase, "Co&mpare With Database...",
            "Show the fields that differ from another database\nCompare with database", ""},
    Command{DownloadDatabase, "&Download Database",
            "Download the database from the deskset\nDownload database", ""},
    Command{UploadDatabase, "&Upload Database",
            "Upload the database to the deskset\nUpload database", ""},
    Command{Exit, "E&xit", "Quit the application; prompts to save database\nExit", ""},
    Command{ComPort, "&COM Port...", "Open the COM port selection dialog\nCOM port selection", ""},
    Command{TransferOptions, "&Transfer Options...",
            "Choose the backup and verify of uploads and the link trace\nTransfer options", ""},
    Command{Shortcuts, "&Shortcuts...",
            "Assign keyboard shorcuts to menu items\nAssign shortcuts to menu items", ""},
    Command{ConfigurationTree, "&Configuration Tree", "Activates the configuration tree", ""},
    Command{ViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle toolbar", ""},
    Command{ViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle status bar", ""},
    Command{Cascade, "&Cascade", "Arrange windows so they overlap\nCascade windows", ""},
    Command{HelpTopics, "&Help Topics", "List Help topics\nHelp topics", ""},
    Command{AboutTorvo, "&About Torvo...",
            "Display program information, version number and copyright\nAbout", ""},
};

}  // namespace

std::span<const Command> FixedCommands() {
    return kCommands;
}

QString StatusPrompt(const Command& command) {
    return QString::fromLatin1(command.prompt).section('\n', 0, 0);
}

QString ToolTip(const Command& command) {
    const QString prompt = QString::fromLatin1(command.prompt);
    return prompt.contains('\n') ? prompt.section('\n', 1) : QString();
}

QString PlainText(const Command& command) {
    QString text = QString::fromLatin1(command.menuText);
    text.remove('&');
    return text.remove("...");
}

}  // namespace cmd
