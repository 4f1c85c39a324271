// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress of a download or upload: a status line, a bar, and a button
// that appears once the transfer has ended.

#include <QDialog>

#include "transfer/TransferInterfaces.h"

class QLabel;
class QProgressBar;
class QPushButton;

class TransferProgressDlg : public QDialog {
    Q_OBJECT

public:
    explicit TransferProgressDlg(QWidget* parent = nullptr);

    void ShowState(const transfer::ProgressState& state);

    QString StatusText() const;
    int Position() const;
    QPushButton* Button() const { return m_button; }

private:
    QLabel* m_status;
    QProgressBar* m_bar;
    QPushButton* m_button;
};
