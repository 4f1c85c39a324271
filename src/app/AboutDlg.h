// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "About Torvo": the application title and version.

#include <QDialog>

class AboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit AboutDlg(QWidget* parent = nullptr);
};
