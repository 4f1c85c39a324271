// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Transfer Options": what an upload does around the blocks (a backup of the
// deskset's database first, a verify afterwards) and the link trace of every
// transfer. Stored on OK.

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TransferOptionsDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr char kChooseTraceFile[] = "Choose the file the link trace is written to.";
    static constexpr char kTraceFilter[] = "Link traces (*.txt);;All files (*)";

    explicit TransferOptionsDlg(QWidget* parent = nullptr);

    QCheckBox* BackupBox() const { return m_backup; }
    QCheckBox* VerifyBox() const { return m_verify; }
    QCheckBox* TraceBox() const { return m_trace; }
    QLineEdit* TraceFileEdit() const { return m_traceFile; }
    QPushButton* BrowseButton() const { return m_browse; }
    QPushButton* ShowBackupsButton() const { return m_showBackups; }

    // How the backups folder is shown; the desktop's file manager unless replaced.
    void SetFolderOpener(std::function<void(const QString&)> opener) {
        m_openFolder = std::move(opener);
    }

public slots:
    void accept() override;

private:
    void BrowseForTraceFile();
    void ShowBackups();
    void EnableTraceFile();

    QCheckBox* m_backup;
    QCheckBox* m_verify;
    QCheckBox* m_trace;
    QLineEdit* m_traceFile;
    QPushButton* m_browse;
    QPushButton* m_showBackups;
    std::function<void(const QString&)> m_openFolder;
};
