// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/qt/ListWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/CTorvoDoc.h"
#include "app/Prompt.h"
#include "model/ConfigImage.h"

namespace {

constexpr int kRecordRole = Qt::UserRole;
constexpr int kVisibleRows = 12;

}  // namespace

ListWindow::ListWindow(const EditorContext& context, const Setup& setup)
    : CEditorView(context), m_setup(setup) {
    m_prompt = new QLabel(setup.prompt, this);
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAccessibleName(setup.prompt);
    m_list->setColumnCount(static_cast<int>(setup.columns.size()));
    QStringList titles;
    const int dialogUnit = fontMetrics().averageCharWidth();
    int listWidth = 0;
    // The placeholder row fills the first column: it is shown in full.
    const int itemMargins =
        2 * (m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1);
    const int placeholderWidth =
        m_list->fontMetrics().horizontalAdvance(setup.placeholder) + itemMargins;
    for (int c = 0; c < setup.columns.size(); ++c) {
        titles << setup.columns[c].title;
        const int units = setup.columns[c].width * dialogUnit / 4;
        const int width = c == 0 ? std::max(units, placeholderWidth) : units;
        m_list->setColumnWidth(c, width);
        listWidth += width;
    }
    m_list->setHeaderLabels(titles);
    m_list->setHeaderHidden(std::all_of(titles.begin(), titles.end(),
                                        [](const QString& title) { return title.isEmpty(); }));
    m_list->setFixedSize(listWidth + 2 * m_list->frameWidth() + 4,
                         m_list->fontMetrics().height() * kVisibleRows);

    m_add = new QPushButton("&Add", this);
    m_edit = new QPushButton("&Edit", this);
    m_delete = new QPushButton("&Delete", this);
    m_close = new QPushButton("Close", this);
    m_close->setDefault(true);
    connect(m_add, &QPushButton::clicked, this, &ListWindow::Add);
    connect(m_edit, &QPushButton::clicked, this, &ListWindow::Edit);
    connect(m_delete, &QPushButton::clicked, this, &ListWindow::Delete);
    connect(m_close, &QPushButton::clicked, this, &ListWindow::Close);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &ListWindow::Edit);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* body = new QHBoxLayout;
    body->addWidget(m_list);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ListWindow::OnInitialUpdate() {
    SetFrameTitle(TreeText());
    Fill();
    SelectRow(0);
    if (QMdiSubWindow* frame = Frame()) {
        frame->move(0, 0);
    }
}

void ListWindow::OnUpdate() {
    // Records may have moved under the list: the selection follows the
    // selected row's first text (labels are unique), else keeps its position.
    const int row = SelectedRow();
    const QString text = SelectedRecord() ? m_list->topLevelItem(row)->text(0) : QString();
    Fill();
    for (int r = 0; r < static_cast<int>(m_rowCount); ++r) {
        if (!text.isEmpty() && m_list->topLevelItem(r)->text(0) == text) {
            SelectRow(r);
            return;
        }
    }
    SelectRow(row);
}

void ListWindow::Fill() {
    m_list->clear();
    const std::vector<Row> rows = Rows();
    for (const Row& row : rows) {
        auto* item = new QTreeWidgetItem(m_list, row.cells);
        item->setData(0, kRecordRole, QVariant::fromValue<qulonglong>(row.record));
    }
    m_rowCount = rows.size();
    if (rows.empty()) {
        new QTreeWidgetItem(m_list, QStringList{m_setup.placeholder});
    }
    UpdateButtons();
}

void ListWindow::UpdateButtons() {
    m_add->setEnabled(m_rowCount < m_setup.capacity);
    m_edit->setEnabled(m_rowCount > 0);
    m_delete->setEnabled(m_rowCount > 0);
}

int ListWindow::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

std::optional<std::size_t> ListWindow::SelectedRecord() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty() || !selected.front()->data(0, kRecordRole).isValid()) {
        return std::nullopt;
    }
    return selected.front()->data(0, kRecordRole).toULongLong();
}

void ListWindow::SelectRow(int row) {
    const int count = m_list->topLevelItemCount();
    if (count == 0) {
        return;
    }
    QTreeWidgetItem* item = m_list->topLevelItem(std::clamp(row, 0, count - 1));
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

void ListWindow::SelectRecord(std::size_t record) {
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        const QVariant data = m_list->topLevelItem(row)->data(0, kRecordRole);
        if (data.isValid() && data.toULongLong() == record) {
            SelectRow(row);
            return;
        }
    }
    SelectRow(m_list->topLevelItemCount() - 1);
}

void ListWindow::Add() {
    if (!m_add->isEnabled()) {
        return;
    }
    if (const std::optional<std::size_t> record = AddRecord()) {
        Document().MarkModified();  // refills every list, this one too
        SelectRecord(*record);
    }
}

void ListWindow::Edit() {
    const std::optional<std::size_t> selected = SelectedRecord();
    if (!selected) {
        return;  // the placeholder row
    }
    if (const std::optional<std::size_t> record = EditRecord(*selected)) {
        Document().MarkModified();  // refills every list, this one too
        SelectRecord(*record);
    }
}

void ListWindow::Delete() {
    const std::optional<std::size_t> record = SelectedRecord();
    if (!record || !MayDelete(*record)) {
        return;
    }
    if (ThePrompt().Ask(kDeleteQuestion, PromptIcon::Question, PromptButtons::YesNo) !=
        PromptAnswer::Yes) {
        return;
    }
    const int row = SelectedRow();
    DeleteRecord(*record);
    Document().SetModified(true);
    Fill();
    SelectRow(row);
}

void ListWindow::Close() {
    CloseFrame();
}

void ListWindow::keyPressEvent(QKeyEvent* event) {
    // Escape presses Close, the default button; so does Enter, unless a button
    // has the focus, which it presses then.
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            (focused && event->key() != Qt::Key_Escape ? focused : m_close)->click();
            return;
        }
        default:
            CEditorView::keyPressEvent(event);
    }
}
