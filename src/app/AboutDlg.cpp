// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppStrings.h"
#include "version/TorvoVersion.h"

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Torvo");
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/icons/torvo.svg").pixmap(48, 48));
    auto* text = new QLabel(
        QString("<b>%1</b><br>%2<br>Build %3<br><br>Configuration program for the Velk "
                "Series dispatch desksets.<br>Zelnor<br><br>Free software under the GNU "
                "General Public License, version 3 or later.")
            .arg(app_strings::kTitle, app_strings::kVersion, TorvoVersion()),
        this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
