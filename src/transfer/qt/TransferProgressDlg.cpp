// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/qt/TransferProgressDlg.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/editing/qt/Latin1.h"

TransferProgressDlg::TransferProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
    setModal(true);
    m_status = new QLabel(this);
    m_status->setMinimumWidth(320);
    m_status->setWordWrap(true);  // a failed backup or verify says why at length
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, transfer::ProgressState::kRangeEnd);
    m_bar->setTextVisible(false);
    m_button = new QPushButton(this);
    m_button->setDefault(true);
    m_button->hide();
    connect(m_button, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    layout->addWidget(m_button, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TransferProgressDlg::ShowState(const transfer::ProgressState& state) {
    m_status->setText(QFile::decodeName(state.status.c_str()));  // may name a backup file
    m_bar->setValue(transfer::ProgressState::Clamped(state.position));
    m_button->setText(FromLatin1(state.buttonText));
    m_button->setVisible(state.buttonVisible);
}

QString TransferProgressDlg::StatusText() const {
    return m_status->text();
}

int TransferProgressDlg::Position() const {
    return m_bar->value();
}
