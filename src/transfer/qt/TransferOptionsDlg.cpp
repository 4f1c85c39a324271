// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/qt/TransferOptionsDlg.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/FocusLater.h"
#include "app/Prompt.h"
#include "app/TorvoSettings.h"

TransferOptionsDlg::TransferOptionsDlg(QWidget* parent)
    : QDialog(parent), m_openFolder([](const QString& folder) {
          QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
      }) {
    setWindowTitle("Transfer Options");
    const TransferPreferences stored = TorvoSettings::LoadTransferPreferences();

    m_backup = new QCheckBox("&Back up the deskset's database before every upload", this);
    m_backup->setChecked(stored.backupBeforeUpload);
    auto* folder = new QLabel("Backups are kept in " + TorvoSettings::BackupFolder(), this);
    folder->setWordWrap(true);
    m_showBackups = new QPushButton("Show Back&ups", this);
    m_verify = new QCheckBox("&Verify the deskset's database after every upload", this);
    m_verify->setChecked(stored.verifyAfterUpload);
    m_trace = new QCheckBox("Write a link &trace of every transfer", this);
    m_trace->setChecked(stored.writeTrace);
    auto* traceLabel = new QLabel("Trace &file:", this);
    m_traceFile = new QLineEdit(stored.traceFile, this);
    m_traceFile->setMinimumWidth(280);
    traceLabel->setBuddy(m_traceFile);
    m_browse = new QPushButton("B&rowse...", this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    connect(m_showBackups, &QPushButton::clicked, this, &TransferOptionsDlg::ShowBackups);
    connect(m_browse, &QPushButton::clicked, this, &TransferOptionsDlg::BrowseForTraceFile);
    connect(m_trace, &QCheckBox::toggled, this, &TransferOptionsDlg::EnableTraceFile);
    connect(buttons, &QDialogButtonBox::accepted, this, &TransferOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TransferOptionsDlg::reject);
    EnableTraceFile();

    auto* grid = new QGridLayout;
    grid->addWidget(m_backup, 0, 0, 1, 3);
    grid->addWidget(folder, 1, 0, 1, 2);
    grid->addWidget(m_showBackups, 1, 2);
    grid->addWidget(m_verify, 2, 0, 1, 3);
    grid->addWidget(m_trace, 3, 0, 1, 3);
    grid->addWidget(traceLabel, 4, 0);
    grid->addWidget(m_traceFile, 4, 1);
    grid->addWidget(m_browse, 4, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TransferOptionsDlg::EnableTraceFile() {
    m_traceFile->setEnabled(m_trace->isChecked());
    m_browse->setEnabled(m_trace->isChecked());
}

void TransferOptionsDlg::BrowseForTraceFile() {
    const QString path = ThePrompt().SaveFileName(m_traceFile->text(), kTraceFilter);
    if (!path.isEmpty()) {
        m_traceFile->setText(path);
    }
}

void TransferOptionsDlg::ShowBackups() {
    const QString folder = TorvoSettings::BackupFolder();
    QDir().mkpath(folder);  // the first upload makes it; until then show it empty
    m_openFolder(folder);
}

void TransferOptionsDlg::accept() {
    const QString traceFile = m_traceFile->text().trimmed();
    if (m_trace->isChecked() && traceFile.isEmpty()) {
        ThePrompt().Warn(kChooseTraceFile);
        FocusAndSelectLater(m_traceFile);
        return;
    }
    TorvoSettings::SetTransferPreferences(
        {m_backup->isChecked(), m_verify->isChecked(), m_trace->isChecked(), traceFile});
    QDialog::accept();
}
