// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's document handling: at most one open database, and the
// commands that create, open, close and save it. The main window follows
// through the signals.

#include <QObject>
#include <QString>
#include <memory>

#include "app/CTorvoDoc.h"
#include "transfer/TransferInterfaces.h"

class CTorvoApp : public QObject, public transfer::IDatabaseSteps {
    Q_OBJECT

public:
    CTorvoApp();
    ~CTorvoApp() override;

    CTorvoDoc* Document() const { return m_doc.get(); }

    // The close step of every command that replaces or ends the database.
    // Returns true (OK) when no database is open afterwards.
    bool CloseDatabase();
    bool LastCloseSucceeded() const { return m_lastCloseOk; }

    // Returns false when the close step was cancelled.
    bool NewDatabase();
    void OpenDatabase();
    // Returns false when the file could not be opened (the request failed).
    bool OpenDatabaseFile(const QString& path);
    void SaveDatabase();
    void SaveDatabaseAs();

    // The refusal of Save, Download and Upload while an editor window is open:
    // shows message and returns true when refused.
    bool RefuseWhileEditing(const char* message) const;

    // The steps a transfer takes on the database.
    bool IsDatabaseOpen() const override { return m_doc != nullptr; }
    bool StartNewDatabase() override { return NewDatabase(); }
    void ShowDownloadName() override;
    void ImageReplaced() override;
    std::string ComPortDigit() const override;
    ConfigImage& Image() override;
    ConfigImage& ReceivedImage() override;

signals:
    void DatabaseClosed();
    // rootLabel names the database in the tree, titleName in the title.
    void DatabaseOpened(const QString& rootLabel, const QString& titleName);
    void DatabaseNamed(const QString& rootLabel, const QString& titleName);
    void RecentFilesChanged();
    // A transfer replaced the image: the tree's items follow it.
    void ImageChanged();
    // An editor window of the database has closed.
    void EditorClosed(const QString& treeText);

private:
    // Creates the document and shows the open state; rootLabel and titleName name it.
    void BeginDocument(const QString& title, const QString& path);
    // Writes the image to the document's path or to one chosen in the save dialog.
    bool DoSave(bool askForName);
    void ShowSavedName();

    std::unique_ptr<CTorvoDoc> m_doc;
    bool m_lastCloseOk = true;
};
