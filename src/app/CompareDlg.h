// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Compare With Database...": the fields whose values differ between the open
// database and another .ddb file, read from the same field catalogue as
// torvo-cli's dump and diff.

#include <QDialog>
#include <vector>

#include "model/fleet/DatabaseDiff.h"

class QLabel;
class QTableWidget;

class CompareDlg : public QDialog {
    Q_OBJECT

public:
    CompareDlg(const std::vector<FieldDifference>& differences, const QString& otherName,
               QWidget* parent = nullptr);

    // Asks for the other file through the prompt, reads it (a file that does
    // not open is reported) and shows the differences with the open image.
    static void CompareWithFile(const ConfigImage& ours, QWidget* parent);

    QLabel* Summary() const { return m_summary; }
    QTableWidget* Table() const { return m_table; }

private:
    QLabel* m_summary;
    QTableWidget* m_table;
};
