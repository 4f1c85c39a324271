// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ShortcutsDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Commands.h"
#include "app/ConfigAreas.h"
#include "app/HelpWindow.h"

namespace {
constexpr int kCommandRole = Qt::UserRole;

QString CommandName(int command) {
    return cmd::PlainText(MenuCommand(command));
}
}  // namespace

ShortcutsDlg::ShortcutsDlg(const Table& current, const Table& standard, QWidget* parent)
    : QDialog(parent), m_table(current), m_standard(standard) {
    setWindowTitle("Shortcut Keys");
    m_list = new QTreeWidget(this);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("Command"), tr("Keys")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->setMinimumSize(420, 360);
    m_list->setAccessibleName(tr("Commands and their shortcut keys"));

    m_assign = new QPushButton(tr("&Assign..."), this);
    m_remove = new QPushButton(tr("&Remove"), this);
    auto* reset = new QPushButton(tr("Reset A&ll"), this);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(m_assign, &QPushButton::clicked, this, &ShortcutsDlg::AssignWithDialog);
    connect(m_remove, &QPushButton::clicked, this, &ShortcutsDlg::RemoveFromSelected);
    connect(reset, &QPushButton::clicked, this, &ShortcutsDlg::ResetAll);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { emit HelpRequested(HelpWindow::kShortcutKeysTopic); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &ShortcutsDlg::AssignWithDialog);

    auto* side = new QVBoxLayout;
    side->addWidget(m_assign);
    side->addWidget(m_remove);
    side->addWidget(reset);
    side->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    Fill();
}

void ShortcutsDlg::Fill() {
    const int selected = SelectedCommand();
    m_list->clear();
    for (const cmd::Command& command : MenuCommands()) {
        auto* item = new QTreeWidgetItem(
            m_list, {cmd::PlainText(command),
                     m_table.value(command.id).toString(QKeySequence::NativeText)});
        item->setData(0, kCommandRole, int(command.id));
        item->setToolTip(0, cmd::StatusPrompt(command));
    }
    SelectCommand(selected ? selected : int(MenuCommands().front().id));
}

void ShortcutsDlg::SelectCommand(int command) {
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->data(0, kCommandRole).toInt() == command) {
            m_list->setCurrentItem(item);
        }
    }
}

int ShortcutsDlg::SelectedCommand() const {
    QTreeWidgetItem* item = m_list->currentItem();
    return item ? item->data(0, kCommandRole).toInt() : 0;
}

void ShortcutsDlg::Assign(Table& table, int command, const QKeySequence& key) {
    if (const int other = CommandWithKey(table, key); other != 0 && other != command) {
        table[other] = QKeySequence();
    }
    table[command] = key;
}

int ShortcutsDlg::CommandWithKey(const Table& table, const QKeySequence& key) {
    if (key.isEmpty()) {
        return 0;
    }
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (it.value() == key) {
            return it.key();
        }
    }
    return 0;
}

void ShortcutsDlg::AssignToSelected(const QKeySequence& key) {
    if (const int command = SelectedCommand(); command != 0 && !key.isEmpty()) {
        Assign(m_table, command, key);
        Fill();
    }
}

void ShortcutsDlg::RemoveFromSelected() {
    if (const int command = SelectedCommand(); command != 0) {
        m_table[command] = QKeySequence();
        Fill();
    }
}

void ShortcutsDlg::ResetAll() {
    m_table = m_standard;
    Fill();
}

void ShortcutsDlg::AssignWithDialog() {
    const int command = SelectedCommand();
    if (command == 0) {
        return;
    }
    AssignShortcutDlg dialog(m_table, command, this);
    connect(&dialog, &AssignShortcutDlg::HelpRequested, this, &ShortcutsDlg::HelpRequested);
    if (dialog.exec() == QDialog::Accepted) {
        AssignToSelected(dialog.Key());
    }
}

void ShortcutsDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        emit HelpRequested(HelpWindow::kShortcutKeysTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

AssignShortcutDlg::AssignShortcutDlg(const ShortcutsDlg::Table& table, int command, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Assign Shortcut");
    auto* label =
        new QLabel(tr("Press the new shortcut key for \"%1\":").arg(CommandName(command)), this);
    auto* edit = new QKeySequenceEdit(this);
    label->setBuddy(edit);
    auto* owner = new QLabel(this);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(edit, &QKeySequenceEdit::editingFinished, this, [=, this] {
        // One chord is a shortcut; keep only the first.
        m_key =
            edit->keySequence().isEmpty() ? QKeySequence() : QKeySequence(edit->keySequence()[0]);
        const int current = ShortcutsDlg::CommandWithKey(table, m_key);
        owner->setText(current != 0 && current != command
                           ? tr("Currently assigned to: %1").arg(CommandName(current))
                           : tr("Currently assigned to: [unassigned]"));
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_key.isEmpty());
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { emit HelpRequested(HelpWindow::kAssignShortcutTopic); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(owner);
    layout->addWidget(buttons);
    edit->setFocus();
}

void AssignShortcutDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        emit HelpRequested(HelpWindow::kAssignShortcutTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}
