#pragma once
// What the desktop program's transfers need of the application and its main
// window, and nothing more.

class QString;

class ITransferHost {
public:
    virtual ~ITransferHost() = default;

    // True (after saying why) while editor windows are open.
    virtual bool RefuseWhileEditing(const char* message) const = 0;
    virtual bool IsDatabaseOpen() const = 0;
    // The close step, then a new database; false when the user cancelled.
    virtual bool NewDatabase() = 0;
    // The open database's name in the tree and the title.
    virtual void ShowDatabaseName(const QString& name) = 0;
    virtual void SetStatusText(const QString& text) = 0;
    // The image was replaced: the tree's items follow it.
    virtual void RefreshTreeItems() = 0;
};
