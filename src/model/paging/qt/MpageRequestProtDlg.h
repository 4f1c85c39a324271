// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base-format chooser that opens before a new paging format's editor.

#include <QDialog>

#include "model/paging/PagingFormats.h"

class QComboBox;

class MpageRequestProtDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 72;

    explicit MpageRequestProtDlg(QWidget* parent);

    QComboBox* Formats() const { return m_formats; }
    // The base format of the chosen entry.
    BaseFormat Chosen() const;

signals:
    void HelpRequested(int topic);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QComboBox* m_formats;
};
