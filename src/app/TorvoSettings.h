#pragma once
// Everything the program keeps between runs, over QSettings: the registry on
// Windows, INI files under the user's configuration folder elsewhere.
//
//   Zelnor/Torvo            "Settings/COM Port", COM port devices, window layout, shortcuts
//   ZEL/Velk Series Torvo   the recent-file list (the per-user profile)

#include <QByteArray>
#include <QKeySequence>
#include <QMap>
#include <QString>
#include <QStringList>

class TorvoSettings {
public:
    static constexpr int kRecentFileCount = 4;
    static constexpr int kComPortCount = 4;

    // Creates "Settings/COM Port" with an empty value when it is missing.
    static void EnsureComPortSetting();

    // The stored port's last character ("COM3" gives "3"); empty when unset.
    static QString ComPortDigit();
    static void SetComPort(int portNumber);  // 1..4, stored as "COM1".."COM4"
    // The serial device behind COMn; /dev/ttyS<n-1> unless the user chose another.
    static QString ComPortDevice(int portNumber);
    static void SetComPortDevice(int portNumber, const QString& device);

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
};
