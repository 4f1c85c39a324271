// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CompareDlg.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/AppStrings.h"
#include "app/Prompt.h"
#include "model/DatabaseFile.h"

namespace {

constexpr char kTitle[] = "Compare With Database";
constexpr char kEqual[] = "This database and %1 are equal.";
constexpr char kOneDiffers[] = "1 field differs between this database and %1.";
constexpr char kDiffer[] = "%1 fields differ between this database and %2.";
constexpr char kNotCompared[] = "%1 cannot be compared:\n%2";
constexpr char kEmptyFile[] = "The file is empty.";

// Image texts are single-byte characters.
QString Shown(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CompareDlg::CompareDlg(const std::vector<FieldDifference>& differences, const QString& otherName,
                       QWidget* parent)
    : QDialog(parent), m_summary(new QLabel(this)), m_table(new QTableWidget(this)) {
    setWindowTitle(kTitle);
    const std::size_t count = differences.size();
    m_summary->setText(count == 0   ? QString(kEqual).arg(otherName)
                       : count == 1 ? QString(kOneDiffers).arg(otherName)
                                    : QString(kDiffer).arg(count).arg(otherName));
    auto* tableLabel = new QLabel("&Differences", this);
    tableLabel->setBuddy(m_table);
    m_table->setAccessibleName("Differences");
    m_table->setColumnCount(3);
    m_table->setHorizontalHeaderLabels({"Field", "This database", otherName});
    m_table->setRowCount(static_cast<int>(differences.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const FieldDifference& difference = differences[row];
        const std::string field = difference.field.empty()
                                      ? difference.record
                                      : difference.record + ": " + difference.field;
        m_table->setItem(row, 0, new QTableWidgetItem(Shown(field)));
        m_table->setItem(row, 1, new QTableWidgetItem(Shown(difference.ours)));
        m_table->setItem(row, 2, new QTableWidgetItem(Shown(difference.theirs)));
    }
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->resizeColumnsToContents();
    tableLabel->setVisible(!differences.empty());
    m_table->setVisible(!differences.empty());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(tableLabel);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    if (!differences.empty()) {
        resize(640, 420);
    }
}

void CompareDlg::CompareWithFile(const ConfigImage& ours, QWidget* parent) {
    const QString path = ThePrompt().OpenFileName(app_strings::kFileFilter);
    if (path.isEmpty()) {
        return;
    }
    const QString name = QFileInfo(path).fileName();
    ConfigImage theirs;
    const FileResult result = ReadDatabaseFile(QFile::encodeName(path).toStdString(), theirs);
    if (!result.Ok()) {
        const QString reason = result.outcome == FileResult::Outcome::FailedSilently
                                   ? QString(kEmptyFile)
                                   : QString::fromLocal8Bit(result.message.c_str());
        ThePrompt().Warn(QString(kNotCompared).arg(name, reason));
        return;
    }
    CompareDlg dialog(CompareDatabases(ours, theirs), name, parent);
    dialog.exec();
}
