// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the program keeps between runs, over QSettings: the registry on
// Windows, INI files under the user's configuration folder elsewhere.
//
//   Zelnor/Torvo            window layout, shortcuts, transfer options
//                           (and the COM port: ComPortSettings)
//   ZEL/Velk Series Torvo   the recent-file list (the per-user profile)

#include <QByteArray>
#include <QKeySequence>
#include <QMap>
#include <QString>
#include <QStringList>

// What the desktop program does around a transfer (Options, Transfer Options).
struct TransferPreferences {
    bool backupBeforeUpload = true;
    bool verifyAfterUpload = true;
    bool writeTrace = false;
    QString traceFile;  // kept while the trace is off, for the next time
};

class TorvoSettings {
public:
    static constexpr int kRecentFileCount = 4;
    static QStringList RecentFiles();
    static void SetRecentFiles(const QStringList& files);
    // Puts path at the top of the list, keeping at most four entries.
    static void AddRecentFile(const QString& path);
    static void RemoveRecentFile(const QString& path);

    static QByteArray WindowGeometry();
    static QByteArray WindowState();
    static void SetWindowLayout(const QByteArray& geometry, const QByteArray& state);

    // Command id to its keys (an empty sequence: no key); every command once saved.
    static bool HasStoredShortcuts();
    static QMap<int, QKeySequence> Shortcuts();
    static void SetShortcuts(const QMap<int, QKeySequence>& shortcuts);

    static TransferPreferences LoadTransferPreferences();
    static void SetTransferPreferences(const TransferPreferences& preferences);
    // Where uploads keep the desksets' previous databases: "backups" in the
    // user's data folder.
    static QString BackupFolder();
};
