#pragma once
// What the application shows of its database: the main window's side of the
// document commands.

class QString;

class IDatabaseDisplay {
public:
    virtual ~IDatabaseDisplay() = default;

    virtual void ShowNoDatabase() = 0;
    // rootLabel names the database in the tree, titleName in the title.
    virtual void ShowDatabaseOpen(const QString& rootLabel, const QString& titleName) = 0;
    virtual void ShowDatabaseName(const QString& rootLabel, const QString& titleName) = 0;
    virtual void RefreshRecentFiles() = 0;
    // A transfer replaced the image: the tree's items follow it.
    virtual void ShowImageReplaced() = 0;
    // An editor window of the database has closed.
    virtual void EditorClosed(const QString& treeText) = 0;
};
