// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TorvoSettings.h"

#include <QSettings>
#include <QStandardPaths>

#include "app/AppStrings.h"
#include "settings/SettingsStores.h"

namespace {

constexpr char kRecentGroup[] = "Recent File List";
constexpr char kShortcutGroup[] = "Shortcuts";
constexpr char kBackupKey[] = "Transfer/BackupBeforeUpload";
constexpr char kVerifyKey[] = "Transfer/VerifyAfterUpload";
constexpr char kTraceKey[] = "Transfer/WriteTrace";
constexpr char kTraceFileKey[] = "Transfer/TraceFile";

}  // namespace

QStringList TorvoSettings::RecentFiles() {
    QSettings settings = ProfileSettings(app_strings::kTitle);
    settings.beginGroup(kRecentGroup);
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings.value(QString("File%1").arg(i)).toString();
        if (!file.isEmpty()) {
            files << file;
        }
    }
    return files;
}

void TorvoSettings::SetRecentFiles(const QStringList& files) {
    QSettings settings = ProfileSettings(app_strings::kTitle);
    settings.remove(kRecentGroup);
    settings.beginGroup(kRecentGroup);
    for (int i = 0; i < files.size() && i < kRecentFileCount; ++i) {
        settings.setValue(QString("File%1").arg(i + 1), files[i]);
    }
}

void TorvoSettings::AddRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    SetRecentFiles(files.mid(0, kRecentFileCount));
}

void TorvoSettings::RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    SetRecentFiles(files);
}

QByteArray TorvoSettings::WindowGeometry() {
    return MachineSettings().value("Workspace/Geometry").toByteArray();
}

QByteArray TorvoSettings::WindowState() {
    return MachineSettings().value("Workspace/State").toByteArray();
}

void TorvoSettings::SetWindowLayout(const QByteArray& geometry, const QByteArray& state) {
    QSettings settings = MachineSettings();
    settings.setValue("Workspace/Geometry", geometry);
    settings.setValue("Workspace/State", state);
}

bool TorvoSettings::HasStoredShortcuts() {
    return MachineSettings().childGroups().contains(kShortcutGroup);
}

QMap<int, QKeySequence> TorvoSettings::Shortcuts() {
    QSettings settings = MachineSettings();
    settings.beginGroup(kShortcutGroup);
    QMap<int, QKeySequence> shortcuts;
    for (const QString& key : settings.childKeys()) {
        shortcuts.insert(key.toInt(),
                         QKeySequence(settings.value(key).toString(), QKeySequence::PortableText));
    }
    return shortcuts;
}

void TorvoSettings::SetShortcuts(const QMap<int, QKeySequence>& shortcuts) {
    QSettings settings = MachineSettings();
    settings.remove(kShortcutGroup);
    settings.beginGroup(kShortcutGroup);
    for (auto it = shortcuts.begin(); it != shortcuts.end(); ++it) {
        settings.setValue(QString::number(it.key()),
                          it.value().toString(QKeySequence::PortableText));
    }
}

TransferPreferences TorvoSettings::LoadTransferPreferences() {
    const QSettings settings = MachineSettings();
    const TransferPreferences defaults;
    return {settings.value(kBackupKey, defaults.backupBeforeUpload).toBool(),
            settings.value(kVerifyKey, defaults.verifyAfterUpload).toBool(),
            settings.value(kTraceKey, defaults.writeTrace).toBool(),
            settings.value(kTraceFileKey).toString()};
}

void TorvoSettings::SetTransferPreferences(const TransferPreferences& preferences) {
    QSettings settings = MachineSettings();
    settings.setValue(kBackupKey, preferences.backupBeforeUpload);
    settings.setValue(kVerifyKey, preferences.verifyAfterUpload);
    settings.setValue(kTraceKey, preferences.writeTrace);
    settings.setValue(kTraceFileKey, preferences.traceFile);
}

QString TorvoSettings::BackupFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/backups";
}
