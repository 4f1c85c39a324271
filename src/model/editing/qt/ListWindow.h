// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of the list windows (paging formats, speed paging, custom paging
// tones, PTT ID aliases): a prompt, a report-style list of the table's
// records, and Add / Edit / Delete / Close. The list holds nothing of its
// own: it is rebuilt from the image on open and on every refresh. While the
// table is empty it shows a placeholder row and Edit and Delete are disabled;
// while it is full Add is disabled. Each window supplies its columns, its rows
// and its add, edit and delete flows; the base keeps the row selection:
// after Add the new record's row, after Edit the edited record's row (where
// it moved to), after Delete the row that took its place (or the last row),
// after a refresh the row of the same label.

#include <QList>
#include <QStringList>
#include <optional>
#include <vector>

#include "app/CEditorView.h"

class QLabel;
class QPushButton;
class QTreeWidget;

class ListWindow : public CEditorView {
    Q_OBJECT

public:
    static constexpr char kDeleteQuestion[] = "Are you sure you want to delete the selected item?";

    struct Column {
        QString title;
        int width;  // in dialog units: a quarter of the average character width
    };
    // What a window tells the base about itself.
    struct Setup {
        QString prompt;  // the text above the list
        QList<Column> columns;
        QString placeholder;   // the single row of an empty table
        std::size_t capacity;  // Add is disabled once the table has this many records
    };
    struct Row {
        std::size_t record;
        QStringList cells;
    };

    // The title (the tree text) and help topic are the area's (ConfigAreas).
    ListWindow(const EditorContext& context, const Setup& setup);

    void OnInitialUpdate() override;
    void OnUpdate() override;

    // The buttons, as the user presses them.
    void Add();
    void Edit();
    void Delete();
    void Close();

    QTreeWidget* List() const { return m_list; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* CloseButton() const { return m_close; }
    // The selected row, -1 with none.
    int SelectedRow() const;
    // The record of the selected row; none on the placeholder row.
    std::optional<std::size_t> SelectedRecord() const;
    void SelectRow(int row);

protected:
    // The table's records in use, in the order the list shows them.
    virtual std::vector<Row> Rows() const = 0;
    // Runs the record dialog for a new record: the record written, none when cancelled.
    virtual std::optional<std::size_t> AddRecord() = 0;
    // Runs the record dialog on a record: where the record is now, none when
    // cancelled or when the record cannot be edited.
    virtual std::optional<std::size_t> EditRecord(std::size_t record) = 0;
    // The window's reference checks before the delete question; a refusal shows
    // its own message and returns false.
    virtual bool MayDelete(std::size_t) { return true; }
    // Frees the record, with whatever the table does after it (compaction).
    virtual void DeleteRecord(std::size_t record) = 0;

    void keyPressEvent(QKeyEvent* event) override;

private:
    void Fill();
    void UpdateButtons();
    void SelectRecord(std::size_t record);

    Setup m_setup;
    QLabel* m_prompt;
    QTreeWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QPushButton* m_close;
    std::size_t m_rowCount = 0;  // rows of records, the placeholder not counted
};

// A list window whose one record dialog adds and edits: Dialog(record, parent)
// with none for a new record.
template <class Dialog>
class ListWindowOf : public ListWindow {
public:
    using ListWindow::ListWindow;

protected:
    std::optional<std::size_t> AddRecord() override { return Dialog(std::nullopt, this).Run(); }
    std::optional<std::size_t> EditRecord(std::size_t record) override {
        return Dialog(record, this).Run();
    }
};
